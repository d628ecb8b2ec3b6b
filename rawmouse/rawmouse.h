// One independent pointer per physical mouse, fed by the raw-input entry points.
//
// Use: rawmouse_init(0, 0, 1) once at start (0 on failure: no raw input); hand the long
// parameter of every WM_INPUT to rawmouse_handle_input; then read each mouse 0..mouse_count-1
// with rawmouse_button and the take operations; rawmouse_release at the end of the run.
#pragma once

#include "platform/raw_input.h"

#include <cstdint>
#include <string_view>

struct RawMouse {
    RawDeviceHandle device = 0; // 0 in the aggregate record
    int32_t x = 0;
    int32_t y = 0;
    int32_t wheel = 0;
    int32_t absolute = 0;
    int32_t button_down[3] = {0, 0, 0}; // left, right, middle
};

// Number of reported mice; the accessors accept indices below it.
extern int32_t mouse_count;

// Binds the four entry points; false when raw input is not available.
using RawInputBinder = bool (*)(RawInputApi& api);

// Chooses what rawmouse_init binds: the platform layer unless changed (tests bind scripted ones).
void rawmouse_set_binder(RawInputBinder binder);

int rawmouse_init(int include_aggregate, int include_remote_desktop, int include_individual);
int rawmouse_handle_input(uintptr_t handle);
int rawmouse_button(int mouse, int button);
int rawmouse_take_x(int mouse);
int rawmouse_take_y(int mouse);
int rawmouse_take_wheel(int mouse);
void rawmouse_release();

// True for the name of a remote-desktop connection's mouse.
bool rawmouse_is_remote_desktop_name(std::string_view name);

// Tests only: forgets every record and the initialised state, and binds the platform layer again.
void rawmouse_reset_for_tests();
