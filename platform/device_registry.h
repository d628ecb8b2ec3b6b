// Stable device handles for the raw-input backends. The devices seen before the module
// starts listening are the known ones, each with a handle of its own. A known device that is
// unplugged and comes back (same name and port) gets its handle back, so its record goes on;
// a device never seen before gets no handle, and a backend id that the system hands to a
// different device never carries the old handle along.
#pragma once

#include "platform/raw_input.h"

#include <map>
#include <string>
#include <vector>

struct DeviceIdentity {
    std::string name;
    std::string port; // the physical port path where the system gives one; "" otherwise
    bool operator==(const DeviceIdentity&) const = default;
};

class DeviceRegistry {
  public:
    // The device with backend id `source` is present; returns its handle, 0 when unknown.
    RawDeviceHandle attach(int source, const DeviceIdentity& who);
    // The device with backend id `source` is gone.
    void detach(int source);
    // The handle of a present device, 0 for unknown or absent ones.
    RawDeviceHandle handle_of(int source) const;
    const DeviceIdentity* identity(RawDeviceHandle handle) const;
    // From now on no device becomes known.
    void stop_learning() { learning_ = false; }
    void clear() { *this = DeviceRegistry{}; }

  private:
    struct Known {
        DeviceIdentity who;
        int source = -1; // -1 while absent
    };
    std::vector<Known> known_;      // handle = index + 1
    std::map<int, size_t> present_; // backend id -> index in known_, for known devices only
    bool learning_ = true;
};
