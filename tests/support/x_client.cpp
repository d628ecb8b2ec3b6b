#include "tests/support/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <thread>

namespace {

Display* as_display(void* p) {
    return static_cast<Display*>(p);
}

std::string window_title(Display* d, Window w) {
    Atom net_name = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, net_name, 0, 1024, False, utf8, &type, &format, &items, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), items);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

void collect(Display* d, Window w, std::vector<std::pair<Window, std::string>>& out) {
    out.push_back({w, window_title(d, w)});
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i)
        collect(d, children[i], out);
    if (children)
        XFree(children);
}

int ignore_errors(Display*, XErrorEvent*) {
    return 0; // windows come and go while the tree is walked
}

} // namespace

int Snapshot::count(const Pixel& p) const {
    int n = 0;
    for (const Pixel& q : pixels)
        n += q == p;
    return n;
}

int Snapshot::differences(const Snapshot& other) const {
    int n = 0;
    for (size_t i = 0; i < pixels.size() && i < other.pixels.size(); ++i)
        n += !(pixels[i] == other.pixels[i]);
    return n;
}

bool XClient::open(const std::string& display) {
    XSetErrorHandler(ignore_errors);
    display_ = XOpenDisplay(display.c_str());
    return display_ != nullptr;
}

void XClient::close() {
    if (display_)
        XCloseDisplay(as_display(display_));
    display_ = nullptr;
}

unsigned long XClient::find_window(const std::string& title) {
    Display* d = as_display(display_);
    std::vector<std::pair<Window, std::string>> all;
    collect(d, DefaultRootWindow(d), all);
    for (auto& [w, t] : all)
        if (t == title)
            return w;
    return 0;
}

bool XClient::client_size(unsigned long window, int& width, int& height) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(as_display(display_), window, &a))
        return false;
    width = a.width;
    height = a.height;
    return true;
}

bool XClient::snapshot(unsigned long window, int x, int y, int w, int h, Snapshot& out) {
    Display* d = as_display(display_);
    XImage* image = XGetImage(d, window, x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
    if (!image)
        return false;
    out.width = w;
    out.height = h;
    out.pixels.assign(size_t(w) * size_t(h), Pixel{});
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const unsigned long v = XGetPixel(image, col, row);
            out.pixels[size_t(row) * size_t(w) + size_t(col)] = {int((v & image->red_mask) >> 16),
                                                                 int((v & image->green_mask) >> 8),
                                                                 int(v & image->blue_mask)};
        }
    XDestroyImage(image);
    return true;
}

bool XClient::focus(unsigned long window) {
    Display* d = as_display(display_);
    // Focus can only go to a mapped window; a window that was just created may not be yet.
    return wait_until([&] {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, window, &a) || a.map_state != IsViewable)
            return false;
        XRaiseWindow(d, window);
        XSetInputFocus(d, window, RevertToParent, CurrentTime);
        XSync(d, False);
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(d, &focused, &revert);
        return focused == window;
    });
}

void XClient::key(const std::string& keysym, bool press) {
    Display* d = as_display(display_);
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysym.c_str()));
    XTestFakeKeyEvent(d, code, press ? True : False, CurrentTime);
    XSync(d, False);
}

void XClient::tap(const std::string& keysym) {
    key(keysym, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    key(keysym, false);
}
