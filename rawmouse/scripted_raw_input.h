// Scripted raw-input entry points for tests: a device list and events set up by the test,
// with switches that make each call fail.
#pragma once

#include "platform/raw_input.h"

#include <string>
#include <vector>

struct ScriptedDevice {
    RawDeviceHandle device = 0;
    uint32_t type = RIM_TYPEMOUSE;
    std::string name;
};

struct ScriptedRawInput {
    std::vector<ScriptedDevice> devices;
    std::vector<RawInputEvent> events; // the handle of events[i] is i + 1

    bool fail_bind = false;
    bool fail_count = false;        // the device count query
    bool fail_list = false;         // the list fetch
    int fail_info_call = -1;        // the n-th device-info call (from 0) fails
    int huge_name_from_call = -1;   // from the n-th device-info call on, names claim 1 GiB
    bool huge_device_count = false; // the count query answers 4 billion devices
    bool fail_register = false;
    bool fail_event_size = false; // the event size query
    bool fail_event_fetch = false;
    uint32_t event_size = sizeof(RawInputEvent); // what the size query answers

    // What the module did.
    int info_calls = 0;
    int register_calls = 0;
    RawInputRegistration registration;
    uint32_t registration_size = 0;
};

// The state the scripted entry points read; tests set it up before binding.
ScriptedRawInput& scripted_raw_input();

// Clears the script: no devices, no events, nothing fails.
void scripted_raw_input_reset();

// Binds the scripted entry points (fails when fail_bind is set).
bool scripted_bind_raw_input(RawInputApi& api);

// Appends an event from device and returns its handle.
uintptr_t scripted_event(RawDeviceHandle device, int32_t dx, int32_t dy, uint16_t button_flags = 0,
                         int16_t button_data = 0, uint16_t flags = 0);
