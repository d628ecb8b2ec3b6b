#include "tests/rawmouse/xvfb_injector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace {
Display* as_display(void* p) {
    return static_cast<Display*>(p);
}
XDevice* as_device(void* p) {
    return static_cast<XDevice*>(p);
}
} // namespace

bool XvfbServer::start() {
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    pid_ = fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(fds[1]);
    std::string number;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < until && number.find('\n') == std::string::npos) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 200) > 0) {
            char buffer[16];
            const ssize_t got = read(fds[0], buffer, sizeof buffer);
            if (got <= 0) {
                break; // Xvfb ended before naming its display
            }
            number.append(buffer, static_cast<size_t>(got));
        }
    }
    ::close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        stop();
        return false;
    }
    display_ = std::string(":").append(number, 0, number.find('\n'));
    return true;
}

void XvfbServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

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
    XFlush(as_display(display_));
}

void XvfbInjector::button(unsigned int button, bool press) {
    XTestFakeDeviceButtonEvent(as_display(display_), as_device(mouse_), button, press, nullptr, 0,
                               CurrentTime);
    XFlush(as_display(display_));
}

void XvfbInjector::move_xtest_pointer(int dx, int dy) {
    XTestFakeRelativeMotionEvent(as_display(display_), dx, dy, CurrentTime);
    XFlush(as_display(display_));
}
