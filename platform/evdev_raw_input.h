// The evdev raw-input backend: the mice read straight from /dev/input/event*, the way the
// Linux multi-mouse libraries do it. Serves desktops whose X server cannot tell mice apart.
#pragma once

#include "platform/evdev_devices.h"
#include "platform/raw_input_backend.h"

#include <chrono>
#include <memory>

struct EvdevProbe {
    int mice = 0;     // mice that sysfs lists
    int openable = 0; // ... whose node could be opened for reading
};

// Counts the mice and tries to open each (then closes it again).
EvdevProbe probe_evdev_mice(const EvdevRoots& roots);

// The backend over the given roots. The device folder is looked at again at most every
// `rescan` (an unplugged mouse stops; a known one that comes back resumes its handle).
std::unique_ptr<RawInputBackend>
make_evdev_backend(const EvdevRoots& roots,
                   std::chrono::milliseconds rescan = std::chrono::milliseconds(500));

// Where the backend choice looks for event devices (tests point it at a tree of their own).
void raw_input_set_evdev_roots(const EvdevRoots& roots);
