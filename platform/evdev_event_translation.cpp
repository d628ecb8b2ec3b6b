#include "platform/evdev_event_translation.h"

#include <linux/input-event-codes.h>

#include <cstdlib>

namespace {

// A frame that claims more notches than this is garbage, not a wheel.
constexpr int32_t kMostNotchesPerFrame = 64;

constexpr uint16_t kDownFlags[3] = {RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_DOWN,
                                    RI_MOUSE_MIDDLE_BUTTON_DOWN};
constexpr uint16_t kUpFlags[3] = {RI_MOUSE_LEFT_BUTTON_UP, RI_MOUSE_RIGHT_BUTTON_UP,
                                  RI_MOUSE_MIDDLE_BUTTON_UP};

int button_index(uint16_t code) {
    switch (code) {
    case BTN_LEFT:
        return 0;
    case BTN_RIGHT:
        return 1;
    case BTN_MIDDLE:
        return 2;
    default:
        return -1;
    }
}

int32_t wrapping_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

RawInputEvent blank_event() {
    RawInputEvent event;
    event.header.size = sizeof(RawInputEvent);
    return event;
}

} // namespace

void EvdevFrame::resync(const bool held[3], std::vector<RawInputEvent>& out) {
    RawInputEvent event = blank_event();
    for (int b = 0; b < 3; ++b) {
        if (held[b] != down_[b]) {
            event.mouse.button_flags |= held[b] ? kDownFlags[b] : kUpFlags[b];
            down_[b] = held[b];
        }
    }
    if (event.mouse.button_flags != 0) {
        out.push_back(event);
    }
}

bool EvdevFrame::feed(uint16_t type, uint16_t code, int32_t value,
                      std::vector<RawInputEvent>& out) {
    if (type == EV_SYN && code == SYN_DROPPED) {
        // What came before is incomplete and what follows up to the next report is stale.
        dropping_ = true;
        dx_ = dy_ = wheel_ = 0;
        button_flags_.clear();
        return false;
    }
    if (dropping_) {
        dropping_ = !(type == EV_SYN && code == SYN_REPORT);
        return !dropping_;
    }
    if (type == EV_REL) {
        if (code == REL_X) {
            dx_ = wrapping_add(dx_, value);
        } else if (code == REL_Y) {
            dy_ = wrapping_add(dy_, value);
        } else if (code == REL_WHEEL) {
            wheel_ = wrapping_add(wheel_, value);
        }
        return false;
    }
    if (type == EV_KEY) {
        const int b = button_index(code);
        // Value 2 is the kernel's key repeat, which a held button never needs.
        if (b >= 0 && (value == 0 || value == 1)) {
            button_flags_.push_back(value ? kDownFlags[b] : kUpFlags[b]);
            down_[b] = value != 0;
        }
        return false;
    }
    if (type != EV_SYN || code != SYN_REPORT) {
        return false;
    }
    RawInputEvent event = blank_event();
    event.mouse.last_x = dx_;
    event.mouse.last_y = dy_;
    bool used = dx_ != 0 || dy_ != 0;
    for (uint16_t flag : button_flags_) {
        const int b = (flag & (kDownFlags[0] | kUpFlags[0]))   ? 0
                      : (flag & (kDownFlags[1] | kUpFlags[1])) ? 1
                                                               : 2;
        if (event.mouse.button_flags & (kDownFlags[b] | kUpFlags[b])) {
            out.push_back(event); // the button changes again: the first change gets its pass
            event = blank_event();
        }
        event.mouse.button_flags |= flag;
        used = true;
    }
    if (used) {
        out.push_back(event);
    }
    const int32_t notches = wheel_ < -kMostNotchesPerFrame  ? -kMostNotchesPerFrame
                            : wheel_ > kMostNotchesPerFrame ? kMostNotchesPerFrame
                                                            : wheel_;
    for (int32_t i = 0; i < std::abs(notches); ++i) {
        RawInputEvent w = blank_event();
        w.mouse.button_flags = RI_MOUSE_WHEEL;
        w.mouse.button_data = notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        out.push_back(w);
    }
    dx_ = dy_ = wheel_ = 0;
    button_flags_.clear();
    return false;
}
