#include "tests/support/xvfb_injector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace {
Display* as_display(void* p) {
    return static_cast<Display*>(p);
}
XDevice* as_device(void* p) {
    return static_cast<XDevice*>(p);
}
} // namespace

bool XvfbInjector::open(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d) {
        return false;
    }
    display_ = d;
    int count = 0;
    XIDeviceInfo* infos = XIQueryDevice(d, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(infos[i].name, "Xvfb mouse") == 0) {
            mouse_ = XOpenDevice(d, static_cast<XID>(infos[i].deviceid));
        }
    }
    XIFreeDeviceInfo(infos);
    return mouse_ != nullptr;
}

void XvfbInjector::close() {
    if (mouse_) {
        XCloseDevice(as_display(display_), as_device(mouse_));
        mouse_ = nullptr;
    }
    if (display_) {
        XCloseDisplay(as_display(display_));
        display_ = nullptr;
    }
}

void XvfbInjector::move(int dx, int dy) {
    int axes[2] = {dx, dy};
    XTestFakeDeviceMotionEvent(as_display(display_), as_device(mouse_), True, 0, axes, 2,
                               CurrentTime);
    XSync(as_display(display_), False); // the server has made the event when this returns
}

void XvfbInjector::button(unsigned int button, bool press) {
    XTestFakeDeviceButtonEvent(as_display(display_), as_device(mouse_), button, press, nullptr, 0,
                               CurrentTime);
    XSync(as_display(display_), False); // the server has made the event when this returns
}

void XvfbInjector::move_xtest_pointer(int dx, int dy) {
    XTestFakeRelativeMotionEvent(as_display(display_), dx, dy, CurrentTime);
    XSync(as_display(display_), False); // the server has made the event when this returns
}
