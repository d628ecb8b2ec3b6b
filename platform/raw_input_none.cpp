// Raw input where no backend is built in: binding fails, no events arrive.
#include "platform/raw_input.h"

bool raw_input_bind(RawInputApi&) {
    return false;
}

void raw_input_unbind() {}

void raw_input_collect_events(std::vector<uintptr_t>&) {}

void raw_input_discard_event(uintptr_t) {}

void raw_input_wait_fds(std::vector<int>&) {}
