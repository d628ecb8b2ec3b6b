// What each raw-input backend (XInput2, evdev) gives the shared entry points: its known
// mice, the start of listening, and the events that arrived.
#pragma once

#include "platform/raw_event_queue.h"
#include "platform/raw_input.h"

#include <memory>
#include <string>
#include <vector>

struct ListedMouse {
    RawDeviceHandle handle = 0;
    std::string name;
};

class RawInputBackend {
  public:
    virtual ~RawInputBackend() = default;
    virtual const char* label() const = 0; // "XInput2", "evdev"
    // The known mice that are present, in the system's order. Until listening starts, every
    // mouse found becomes known.
    virtual std::vector<ListedMouse> list_mice() = 0;
    // Starts (or stops) delivering events; no mouse becomes known after the start.
    virtual bool listen(bool on) = 0;
    // Stores what arrived in the queue and appends the handles of the stored events.
    virtual void collect(RawEventQueue& queue, std::vector<uintptr_t>& handles) = 0;
    // Descriptors that become readable when input arrives, for a pump that waits.
    virtual void wait_fds(std::vector<int>& fds) const = 0;
};

// Binds the entry points to this backend, replacing any bound before (tests bind one over a
// device tree of their own).
bool raw_input_bind_backend(RawInputApi& api, std::unique_ptr<RawInputBackend> backend);
