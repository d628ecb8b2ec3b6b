#include "rawmouse/scripted_raw_input.h"

#include <cstring>

namespace {

// The entry points are plain functions, so the script they follow lives here.
ScriptedRawInput script;

int register_devices(const RawInputRegistration* devices, uint32_t count, uint32_t entry_size) {
    ++script.register_calls;
    if (script.fail_register || !devices || count != 1) {
        return 0;
    }
    script.registration = devices[0];
    script.registration_size = entry_size;
    return 1;
}

uint32_t get_device_list(RawInputDeviceEntry* list, uint32_t* count, uint32_t entry_size) {
    if (!count || entry_size != sizeof(RawInputDeviceEntry)) {
        return RAW_INPUT_ERROR;
    }
    const auto found = static_cast<uint32_t>(script.devices.size());
    if (!list) {
        if (script.fail_count) {
            return RAW_INPUT_ERROR;
        }
        *count = script.huge_device_count ? 0xFFFFFFF0u : found;
        return 0;
    }
    if (script.fail_list || *count < found) {
        return RAW_INPUT_ERROR;
    }
    for (uint32_t i = 0; i < found; ++i) {
        list[i] = {script.devices[i].device, script.devices[i].type};
    }
    return found;
}

uint32_t get_device_info(RawDeviceHandle device, uint32_t command, void* data, uint32_t* size) {
    const int call = script.info_calls++;
    if (call == script.fail_info_call || command != RIDI_DEVICENAME || !size) {
        return RAW_INPUT_ERROR;
    }
    for (const ScriptedDevice& d : script.devices) {
        if (d.device != device) {
            continue;
        }
        const auto needed = static_cast<uint32_t>(d.name.size() + 1);
        if (!data) {
            const bool huge = script.huge_name_from_call >= 0 && call >= script.huge_name_from_call;
            *size = huge ? (1u << 30) : needed;
            return 0;
        }
        if (*size < needed) {
            return RAW_INPUT_ERROR;
        }
        std::memcpy(data, d.name.c_str(), needed);
        return needed;
    }
    return RAW_INPUT_ERROR;
}

uint32_t get_data(uintptr_t handle, uint32_t command, void* data, uint32_t* size,
                  uint32_t header_size) {
    if (command != RID_INPUT || !size || header_size != sizeof(RawInputHeader) || handle == 0 ||
        handle > script.events.size()) {
        return RAW_INPUT_ERROR;
    }
    if (!data) {
        if (script.fail_event_size) {
            return RAW_INPUT_ERROR;
        }
        *size = script.event_size;
        return 0;
    }
    if (script.fail_event_fetch || *size < sizeof(RawInputEvent)) {
        return RAW_INPUT_ERROR;
    }
    std::memcpy(data, &script.events[handle - 1], sizeof(RawInputEvent));
    return sizeof(RawInputEvent);
}

} // namespace

ScriptedRawInput& scripted_raw_input() {
    return script;
}

void scripted_raw_input_reset() {
    script = ScriptedRawInput{};
}

bool scripted_bind_raw_input(RawInputApi& api) {
    if (script.fail_bind) {
        return false;
    }
    api.register_devices = register_devices;
    api.get_device_list = get_device_list;
    api.get_device_info = get_device_info;
    api.get_data = get_data;
    return true;
}

uintptr_t scripted_event(RawDeviceHandle device, int32_t dx, int32_t dy, uint16_t button_flags,
                         int16_t button_data, uint16_t flags) {
    RawInputEvent event;
    event.header.size = sizeof(RawInputEvent);
    event.header.device = device;
    event.mouse.flags = flags;
    event.mouse.button_flags = button_flags;
    event.mouse.button_data = button_data;
    event.mouse.last_x = dx;
    event.mouse.last_y = dy;
    script.events.push_back(event);
    return script.events.size();
}
