// Turns one mouse's kernel input events into raw-input mouse events, one event frame
// (up to SYN_REPORT) at a time.
#pragma once

#include "platform/raw_input.h"

#include <vector>

class EvdevFrame {
  public:
    // Takes one kernel event; at SYN_REPORT appends the frame's events to `out`: the motion
    // with the first button changes, a new event whenever a button changes twice (so a
    // press and release in one frame are seen as a click), then one event per wheel notch.
    // Returns true when a stretch the kernel dropped (SYN_DROPPED) has just ended: the
    // caller then asks the kernel which buttons are held and hands that to resync().
    bool feed(uint16_t type, uint16_t code, int32_t value, std::vector<RawInputEvent>& out);
    // Sets the buttons to `held` (left, right, middle), appending an event if that changes any.
    void resync(const bool held[3], std::vector<RawInputEvent>& out);

  private:
    int32_t dx_ = 0, dy_ = 0, wheel_ = 0;
    std::vector<uint16_t> button_flags_; // in the order they happened
    bool down_[3] = {false, false, false};
    bool dropping_ = false; // between SYN_DROPPED and the next SYN_REPORT
};
