#include "platform/xinput_device_selection.h"

#include <algorithm>

namespace {

bool starts_with(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// XWayland names its devices "xwayland-pointer:N", "xwayland-relative-pointer:N",
// "xwayland-keyboard:N", "xwayland-touch:N" and so on.
bool is_xwayland_device(const XiDeviceDescription& d) {
    return starts_with(d.name, "xwayland-");
}

bool is_xwayland_pointer(const XiDeviceDescription& d) {
    return starts_with(d.name, "xwayland-pointer") ||
           starts_with(d.name, "xwayland-relative-pointer");
}

bool relative_xy(const XiDeviceDescription& d) {
    return d.has_x && d.has_y && d.x_relative && d.y_relative;
}

} // namespace

bool looks_like_xwayland(const std::vector<XiDeviceDescription>& devices) {
    return std::any_of(devices.begin(), devices.end(), is_xwayland_device);
}

std::vector<XiMouse> select_xinput_mice(const std::vector<XiDeviceDescription>& devices) {
    std::vector<XiMouse> mice;
    XiMouse xwayland{kXWaylandMouseName, {}, {}};
    size_t xwayland_at = 0; // where the shared mouse goes: at its first member
    for (const XiDeviceDescription& d : devices) {
        if (!d.slave_pointer || !d.enabled) {
            continue;
        }
        if (is_xwayland_pointer(d)) {
            if (xwayland.members.empty()) {
                xwayland_at = mice.size();
            }
            xwayland.members.push_back(d.id);
            // Its absolute positions are no motion; the relative pointer reports that.
            if (!relative_xy(d)) {
                xwayland.motion_ignored.push_back(d.id);
            }
        } else if (relative_xy(d) && !is_xwayland_device(d)) {
            mice.push_back({d.name, {d.id}, {}});
        }
    }
    if (!xwayland.members.empty()) {
        mice.insert(mice.begin() + static_cast<std::ptrdiff_t>(xwayland_at), xwayland);
    }
    return mice;
}
