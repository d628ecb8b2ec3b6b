#include "platform/device_registry.h"

RawDeviceHandle DeviceRegistry::attach(int source, const DeviceIdentity& who) {
    auto it = present_.find(source);
    if (it != present_.end()) {
        if (known_[it->second].who == who) {
            return it->second + 1;
        }
        detach(source); // the id now names another device
    }
    for (size_t i = 0; i < known_.size(); ++i) {
        if (known_[i].source == -1 && known_[i].who == who) {
            known_[i].source = source;
            present_[source] = i;
            return i + 1;
        }
    }
    if (!learning_) {
        return 0;
    }
    known_.push_back({who, source});
    present_[source] = known_.size() - 1;
    return known_.size();
}

void DeviceRegistry::detach(int source) {
    auto it = present_.find(source);
    if (it != present_.end()) {
        known_[it->second].source = -1;
        present_.erase(it);
    }
}

RawDeviceHandle DeviceRegistry::handle_of(int source) const {
    auto it = present_.find(source);
    return it == present_.end() ? 0 : it->second + 1;
}

const DeviceIdentity* DeviceRegistry::identity(RawDeviceHandle handle) const {
    // Handles count from 1; 0 and anything past the known devices name none.
    if (handle == 0 || handle > known_.size()) {
        return nullptr;
    }
    return &known_[handle - 1].who;
}
