// Raw input where no XInput2 implementation is built in: binding fails, no events arrive.
#include "platform/raw_input.h"

bool xinput_bind_raw_input(RawInputApi&) {
    return false;
}

void xinput_collect_raw_events(std::vector<uintptr_t>&) {}

int xinput_connection_fd() {
    return -1;
}
