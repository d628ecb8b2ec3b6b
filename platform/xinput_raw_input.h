// The XInput2 raw-input backend, on an X connection of its own.
#pragma once

#include "platform/raw_input_backend.h"
#include "platform/xinput_device_selection.h"

#include <memory>

class XInputBackend : public RawInputBackend {
  public:
    // The server's devices as the selection reads them.
    virtual std::vector<XiDeviceDescription> describe() = 0;
};

// Connects to the X display; null when there is none or it lacks XInput 2.2.
std::unique_ptr<XInputBackend> open_xinput_backend();
