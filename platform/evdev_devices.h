// The mice among the kernel's event devices, as sysfs describes them: read before any node
// is opened, so the evdev backend never opens (and never reads) a keyboard.
#pragma once

#include "platform/device_registry.h"

#include <string>
#include <vector>

// Where the kernel's input devices are described and where their nodes are.
struct EvdevRoots {
    std::string sysfs = "/sys/class/input";
    std::string dev = "/dev/input";
};

struct EvdevNode {
    int number = 0;   // N of eventN
    std::string path; // the node to open
    DeviceIdentity who;
};

// Bit `bit` of a capability bitmap as sysfs writes it: hexadecimal words of the kernel's
// long size, separated by blanks, the highest word first.
bool capability_bit(const std::string& bitmap, unsigned bit);

// A mouse reports relative X and Y and has a left button, and types no letters. Touchpads
// and tablets (absolute), keyboards and joysticks are no mice.
bool evdev_is_mouse(const std::string& rel_bitmap, const std::string& key_bitmap);

// The event devices that are mice, by increasing N, with their names and port paths.
std::vector<EvdevNode> scan_evdev_mice(const EvdevRoots& roots);
