// The raw mouse events waiting between a raw-input backend and the raw-mouse module. Each
// stored event has a handle (the long parameter of its WM_INPUT) that stays valid until the
// event is fetched or discarded, however many events arrive in between: a busy frame loses
// nothing. Past a generous cap, new motion is merged into the newest waiting motion of the
// same device, so memory stays bounded while button changes are always kept.
#pragma once

#include "platform/raw_input.h"

#include <cstddef>
#include <deque>
#include <map>

class RawEventQueue {
  public:
    static constexpr size_t kDefaultCap = size_t{1} << 16;

    RawEventQueue() = default;
    explicit RawEventQueue(size_t cap) : cap_(cap) {}

    // Stores the event; returns its handle, or 0 when it was merged into a waiting event.
    uintptr_t push(const RawInputEvent& event);
    // The waiting event of a handle; null when it was fetched, discarded or never made.
    const RawInputEvent* find(uintptr_t handle) const;
    // The event is done with (fetched or discarded); its handle becomes invalid.
    void release(uintptr_t handle);
    size_t waiting() const { return waiting_; }
    // True once motion had to be merged (reported once by the caller).
    bool merged_any() const { return merged_any_; }
    void clear();

  private:
    struct Slot {
        RawInputEvent event;
        bool live = true;
    };
    Slot* slot(uintptr_t handle);

    size_t cap_ = kDefaultCap;
    std::deque<Slot> slots_;
    uintptr_t first_handle_ = 1; // handle of slots_.front()
    size_t waiting_ = 0;
    bool merged_any_ = false;
    // Newest waiting motion-only event per device: where merged motion goes.
    std::map<RawDeviceHandle, uintptr_t> last_motion_;
};
