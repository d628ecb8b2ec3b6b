// Which XInput2 devices are mice, from a plain description of the server's device list.
// Free of X headers, so tests can feed it any list.
#pragma once

#include <string>
#include <vector>

struct XiDeviceDescription {
    int id = 0;
    std::string name;
    bool slave_pointer = false; // attached to a master pointer
    bool enabled = true;
    bool has_x = false, has_y = false; // valuators 0 and 1
    bool x_relative = false, y_relative = false;
};

// One mouse as the raw-input layer reports it. Events of every member device count as this
// mouse's; the motion of the members in `motion_ignored` does not (it is reported twice).
struct XiMouse {
    std::string name;
    std::vector<int> members;
    std::vector<int> motion_ignored;
};

// True when the server is XWayland: it shows its own virtual pointers, never the mice.
bool looks_like_xwayland(const std::vector<XiDeviceDescription>& devices);

// The mice, in the server's order: enabled slave pointers with relative X and Y. The XTEST
// pointers stay in (the layer names them as remote-desktop mice). XWayland's virtual
// pointers are no mice of their own: together they make one mouse that every physical mouse
// moves, its motion taken from the relative pointer only (absolute positions are no motion).
std::vector<XiMouse> select_xinput_mice(const std::vector<XiDeviceDescription>& devices);

// The name under which XWayland's pointers are reported together.
constexpr const char* kXWaylandMouseName = "XWayland pointer (every mouse together)";
