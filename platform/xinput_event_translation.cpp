#include "platform/xinput_event_translation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A scroll that claims more notches than this in one event is garbage, not a wheel.
constexpr int kMostNotchesPerEvent = 64;

// Whole units of value + carry; the fraction stays in carry for the next event.
int32_t take_whole(double value, double& carry) {
    const double total = carry + value;
    if (!std::isfinite(total)) {
        carry = 0.0;
        return 0;
    }
    const double whole = std::trunc(total);
    carry = total - whole;
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(whole, lowest, highest));
}

// An absolute coordinate scaled to 0..65535 over the device's range.
int32_t scale_absolute(double value, const AxisRange& range) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double unit = (value - range.min) / (range.max - range.min);
    return static_cast<int32_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 65535.0));
}

RawInputEvent wheel_event(int16_t delta) {
    RawInputEvent event;
    event.header.size = sizeof(RawInputEvent);
    event.mouse.button_flags = RI_MOUSE_WHEEL;
    event.mouse.button_data = delta;
    return event;
}

} // namespace

std::vector<RawInputEvent> translate_motion(PointerAxes& axes, const RawValuators& valuators) {
    std::vector<RawInputEvent> events;
    // An unusable range (max not above min) is read as relative motion.
    const bool absolute = (axes.x.absolute && axes.x.max > axes.x.min) ||
                          (axes.y.absolute && axes.y.max > axes.y.min);
    bool moved = false;
    int32_t dx = 0, dy = 0;
    double scroll = 0.0;
    bool scrolled = false;
    for (const RawValuator& v : valuators) {
        if (v.number == 0 || v.number == 1) {
            const bool is_x = v.number == 0;
            const AxisRange& range = is_x ? axes.x : axes.y;
            moved = true;
            if (absolute && range.absolute && range.max > range.min) {
                (is_x ? axes.last_absolute_x : axes.last_absolute_y) = scale_absolute(v.raw, range);
            } else if (is_x) {
                dx = take_whole(v.raw, axes.carry_x);
            } else {
                dy = take_whole(v.raw, axes.carry_y);
            }
        } else if (v.number == axes.vertical_scroll_valuator && std::isfinite(v.value)) {
            scroll += v.value;
            scrolled = true;
        }
    }
    if (moved && (absolute || dx != 0 || dy != 0)) {
        RawInputEvent event;
        event.header.size = sizeof(RawInputEvent);
        if (absolute) {
            event.mouse.flags = MOUSE_MOVE_ABSOLUTE;
            event.mouse.last_x = axes.last_absolute_x;
            event.mouse.last_y = axes.last_absolute_y;
        } else {
            event.mouse.last_x = dx;
            event.mouse.last_y = dy;
        }
        events.push_back(event);
    }
    if (scrolled) {
        // Scroll valuators grow downwards; the wheel counts a notch away from the user as +.
        int notches = take_whole(scroll / axes.scroll_increment, axes.carry_scroll);
        notches = std::clamp(notches, -kMostNotchesPerEvent, kMostNotchesPerEvent);
        for (int i = 0; i < std::abs(notches); ++i) {
            events.push_back(wheel_event(notches > 0 ? -WHEEL_DELTA : WHEEL_DELTA));
        }
    }
    return events;
}

std::vector<RawInputEvent> translate_button(int button, bool press) {
    RawInputEvent event;
    event.header.size = sizeof(RawInputEvent);
    switch (button) {
    case 1:
        event.mouse.button_flags = press ? RI_MOUSE_LEFT_BUTTON_DOWN : RI_MOUSE_LEFT_BUTTON_UP;
        break;
    case 2:
        event.mouse.button_flags = press ? RI_MOUSE_MIDDLE_BUTTON_DOWN : RI_MOUSE_MIDDLE_BUTTON_UP;
        break;
    case 3:
        event.mouse.button_flags = press ? RI_MOUSE_RIGHT_BUTTON_DOWN : RI_MOUSE_RIGHT_BUTTON_UP;
        break;
    case 4:
    case 5:
        // A wheel notch is one press; its release carries nothing.
        if (!press) {
            return {};
        }
        return {wheel_event(button == 4 ? WHEEL_DELTA : -WHEEL_DELTA)};
    default:
        return {};
    }
    return {event};
}
