#include "platform/raw_event_queue.h"

namespace {

bool motion_only(const RawInputEvent& event) {
    return event.mouse.button_flags == 0;
}

// Adds like the device counters it sums: wrapping, never undefined.
int32_t wrapping_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

} // namespace

RawEventQueue::Slot* RawEventQueue::slot(uintptr_t handle) {
    // Handles below the front were released; above the back were never made.
    if (handle < first_handle_ || handle - first_handle_ >= slots_.size()) {
        return nullptr;
    }
    Slot& s = slots_[handle - first_handle_];
    return s.live ? &s : nullptr;
}

uintptr_t RawEventQueue::push(const RawInputEvent& event) {
    const RawDeviceHandle device = event.header.device;
    if (waiting_ >= cap_ && motion_only(event)) {
        auto last = last_motion_.find(device);
        Slot* into = last == last_motion_.end() ? nullptr : slot(last->second);
        const bool same_kind = into && (into->event.mouse.flags & MOUSE_MOVE_ABSOLUTE) ==
                                           (event.mouse.flags & MOUSE_MOVE_ABSOLUTE);
        if (same_kind) {
            RawMouseData& m = into->event.mouse;
            if (event.mouse.flags & MOUSE_MOVE_ABSOLUTE) {
                m.last_x = event.mouse.last_x; // a newer position replaces the older one
                m.last_y = event.mouse.last_y;
            } else {
                m.last_x = wrapping_add(m.last_x, event.mouse.last_x);
                m.last_y = wrapping_add(m.last_y, event.mouse.last_y);
            }
            merged_any_ = true;
            return 0;
        }
    }
    slots_.push_back({event, true});
    ++waiting_;
    const uintptr_t handle = first_handle_ + slots_.size() - 1;
    if (motion_only(event)) {
        last_motion_[device] = handle;
    } else {
        // Motion after a button change must not be merged back in front of it.
        last_motion_.erase(device);
    }
    return handle;
}

const RawInputEvent* RawEventQueue::find(uintptr_t handle) const {
    const Slot* s = const_cast<RawEventQueue*>(this)->slot(handle);
    return s ? &s->event : nullptr;
}

void RawEventQueue::release(uintptr_t handle) {
    Slot* s = slot(handle);
    if (!s) {
        return;
    }
    s->live = false;
    --waiting_;
    // Done slots at the front go; one still waiting there keeps those behind it.
    while (!slots_.empty() && !slots_.front().live) {
        slots_.pop_front();
        ++first_handle_;
    }
}

void RawEventQueue::clear() {
    first_handle_ += slots_.size();
    slots_.clear();
    waiting_ = 0;
    last_motion_.clear();
}
