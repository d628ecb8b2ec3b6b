// Turns XInput2 raw events into raw-input mouse events. Free of X headers so that tests can
// feed it valuator values directly.
#pragma once

#include "platform/raw_input.h"

#include <vector>

struct AxisRange {
    bool absolute = false;
    double min = 0.0;
    double max = 0.0;
    bool present = false; // the device has this valuator
};

// What the layer knows and keeps of one pointer device between its events.
struct PointerAxes {
    AxisRange x;
    AxisRange y;
    int vertical_scroll_valuator = -1; // -1: the device scrolls with buttons 4 and 5 only
    double scroll_increment = 0.0;     // valuator distance of one wheel notch
    // Sub-unit motion and scrolling carried over to the next event.
    double carry_x = 0.0;
    double carry_y = 0.0;
    double carry_scroll = 0.0;
    // The last absolute position, 0..65535, for events that move one axis only.
    int32_t last_absolute_x = 0;
    int32_t last_absolute_y = 0;
};

struct RawValuator {
    int number = 0;
    double raw = 0.0;   // device units, before acceleration
    double value = 0.0; // after the server's transformation
};
using RawValuators = std::vector<RawValuator>;

// A raw motion event: at most one movement event (relative deltas, or a position scaled to
// 0..65535 and flagged absolute for absolute devices) and one wheel event per whole notch.
std::vector<RawInputEvent> translate_motion(PointerAxes& axes, const RawValuators& valuators);

// A raw button event: buttons 1, 3, 2 are left, right, middle; pressing 4 or 5 is one wheel
// notch up or down. Other buttons give nothing.
std::vector<RawInputEvent> translate_button(int button, bool press);
