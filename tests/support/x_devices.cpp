#include "tests/support/x_devices.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

namespace {
Display* as_display(void* p) {
    return static_cast<Display*>(p);
}
} // namespace

bool XDevices::open(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    int major = 2, minor = 2;
    return display_ && XIQueryVersion(as_display(display_), &major, &minor) == Success;
}

void XDevices::close() {
    if (display_) {
        XCloseDisplay(as_display(display_));
        display_ = nullptr;
    }
}

int XDevices::device_id(const std::string& name) {
    int count = 0, id = 0;
    XIDeviceInfo* infos = XIQueryDevice(as_display(display_), XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (name == infos[i].name)
            id = infos[i].deviceid;
    }
    XIFreeDeviceInfo(infos);
    return id;
}

int XDevices::add_master(const std::string& name) {
    XIAddMasterInfo add{XIAddMaster, const_cast<char*>(name.c_str()), True, True};
    XIChangeHierarchy(as_display(display_), reinterpret_cast<XIAnyHierarchyChangeInfo*>(&add), 1);
    XSync(as_display(display_), False);
    return device_id(name + " XTEST pointer");
}

bool XDevices::remove_master(const std::string& name) {
    const int master = device_id(name + " pointer");
    if (master == 0)
        return false;
    XIRemoveMasterInfo remove{XIRemoveMaster, master, XIFloating, 0, 0};
    XIChangeHierarchy(as_display(display_), reinterpret_cast<XIAnyHierarchyChangeInfo*>(&remove),
                      1);
    XSync(as_display(display_), False);
    return device_id(name + " pointer") == 0;
}

bool XDevices::set_enabled(const std::string& device, bool enabled) {
    const int id = device_id(device);
    if (id == 0)
        return false;
    Display* d = as_display(display_);
    unsigned char value = enabled ? 1 : 0;
    XIChangeProperty(d, id, XInternAtom(d, "Device Enabled", False), XA_INTEGER, 8, PropModeReplace,
                     &value, 1);
    XSync(d, False);
    return true;
}

bool XDevices::move(const std::string& device, int dx, int dy) {
    const int id = device_id(device);
    Display* d = as_display(display_);
    XDevice* opened = id ? XOpenDevice(d, static_cast<XID>(id)) : nullptr;
    if (!opened)
        return false;
    int axes[2] = {dx, dy};
    XTestFakeDeviceMotionEvent(d, opened, True, 0, axes, 2, CurrentTime);
    XCloseDevice(d, opened);
    XSync(d, False); // the server has made the event when this returns
    return true;
}

void XDevices::key_repeat(bool on) {
    XKeyboardControl control{};
    control.auto_repeat_mode = on ? AutoRepeatModeOn : AutoRepeatModeOff;
    XChangeKeyboardControl(as_display(display_), KBAutoRepeatMode, &control);
    XSync(as_display(display_), False);
}
