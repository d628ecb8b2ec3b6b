#include "tests/support/x_client.h"

#include "tests/support/child_process.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <sstream>
#include <thread>

namespace {

// The font name pattern that SDL's X11 message box asks the server for.
constexpr const char* SDL_BOX_FONT = "-*-*-medium-r-normal--*-120-*-*-*-*-*-*";

// SDL names its windows and message boxes in _NET_WM_NAME.
Window find(Display* d, Window w, const std::string& title) {
    const Atom name = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(d, w, name, 0, 1024, False, XInternAtom(d, "UTF8_STRING", False), &type,
                       &format, &items, &after, &data);
    const bool same = data && title == std::string(reinterpret_cast<char*>(data), items);
    if (data)
        XFree(data);
    if (same)
        return w;
    Window root = 0, parent = 0, found = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = find(d, children[i], title);
    if (children)
        XFree(children);
    return found;
}

int ignore_errors(Display*, XErrorEvent*) {
    return 0; // windows and devices come and go while the tests look at them
}

} // namespace

int Snapshot::differences(const Snapshot& other) const {
    int n = 0;
    for (size_t i = 0; i < pixels.size() && i < other.pixels.size(); ++i)
        n += !(pixels[i] == other.pixels[i]);
    return n;
}

// The client's connection, kept as void* in the header that the tests include.
#define D static_cast<Display*>(display_)

bool XClient::open(const std::string& display) {
    XSetErrorHandler(ignore_errors);
    display_ = XOpenDisplay(display.c_str());
    int major = 2, minor = 2;
    return display_ && XIQueryVersion(D, &major, &minor) == Success;
}

void XClient::close() {
    if (display_)
        XCloseDisplay(D);
    display_ = nullptr;
}

unsigned long XClient::find_window(const std::string& title) {
    return find(D, DefaultRootWindow(D), title);
}

bool XClient::client_size(unsigned long window, int& width, int& height) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(D, window, &a))
        return false;
    width = a.width;
    height = a.height;
    return true;
}

bool XClient::snapshot(unsigned long window, int x, int y, int w, int h, Snapshot& out) {
    // Only the part on the screen can be read.
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates(D, window, DefaultRootWindow(D), x, y, &left, &top, &child);
    w = std::min(w, DisplayWidth(D, DefaultScreen(D)) - left);
    h = std::min(h, DisplayHeight(D, DefaultScreen(D)) - top);
    XImage* image = XGetImage(D, window, x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
    if (!image)
        return false;
    out.pixels.clear();
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) {
            const unsigned long v = XGetPixel(image, col, row);
            out.pixels.push_back({int((v & image->red_mask) >> 16),
                                  int((v & image->green_mask) >> 8), int(v & image->blue_mask)});
        }
    XDestroyImage(image);
    return true;
}

bool XClient::focus(unsigned long window) {
    // Focus can only go to a mapped window; a window that was just created may not be yet.
    return wait_until([&] {
        XWindowAttributes a;
        if (!XGetWindowAttributes(D, window, &a) || a.map_state != IsViewable)
            return false;
        XRaiseWindow(D, window);
        XSetInputFocus(D, window, RevertToParent, CurrentTime);
        XSync(D, False);
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(D, &focused, &revert);
        return focused == window;
    });
}

unsigned long XClient::open_window() {
    const Window w = XCreateSimpleWindow(D, DefaultRootWindow(D), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(D, w);
    XSync(D, False);
    return w;
}

void XClient::move_window(unsigned long window, int x, int y) {
    XMoveWindow(D, window, x, y);
    XSync(D, False);
}

void XClient::key(const std::string& keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(D, XStringToKeysym(keysym.c_str()));
    XTestFakeKeyEvent(D, code, press ? True : False, CurrentTime);
    XSync(D, False);
}

void XClient::tap(const std::string& keysym) {
    key(keysym, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    key(keysym, false);
}

void XClient::key_repeat(bool on) {
    XKeyboardControl control{};
    control.auto_repeat_mode = on ? AutoRepeatModeOn : AutoRepeatModeOff;
    XChangeKeyboardControl(D, KBAutoRepeatMode, &control);
    XSync(D, False);
}

bool XClient::pointer_grabbed_elsewhere() {
    // Tries to grab the pointer itself, and lets go at once.
    const int result = XGrabPointer(D, DefaultRootWindow(D), False, 0, GrabModeAsync, GrabModeAsync,
                                    None, None, CurrentTime);
    XUngrabPointer(D, CurrentTime);
    XSync(D, False);
    return result == AlreadyGrabbed;
}

int XClient::device_id(const std::string& name) {
    int count = 0, id = 0;
    XIDeviceInfo* infos = XIQueryDevice(D, XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (name == infos[i].name)
            id = infos[i].deviceid;
    XIFreeDeviceInfo(infos);
    return id;
}

// XTest needs only the device's id, not a device opened through the old XInput calls.
bool XClient::move(int dx, int dy, const std::string& device) {
    XDevice opened{XID(device_id(device)), 0, nullptr};
    int axes[2] = {dx, dy};
    XTestFakeDeviceMotionEvent(D, &opened, True, 0, axes, 2, CurrentTime);
    XSync(D, False);
    return opened.device_id != 0;
}

bool XClient::button(unsigned int button, bool press, const std::string& device) {
    XDevice opened{XID(device_id(device)), 0, nullptr};
    XTestFakeDeviceButtonEvent(D, &opened, button, press, nullptr, 0, CurrentTime);
    XSync(D, False);
    return opened.device_id != 0;
}

int XClient::add_master(const std::string& name) {
    XIAddMasterInfo add{XIAddMaster, const_cast<char*>(name.c_str()), True, True};
    XIChangeHierarchy(D, reinterpret_cast<XIAnyHierarchyChangeInfo*>(&add), 1);
    XSync(D, False);
    return device_id(name + " XTEST pointer");
}

bool XClient::remove_master(const std::string& name) {
    XIRemoveMasterInfo remove{XIRemoveMaster, device_id(name + " pointer"), XIFloating, 0, 0};
    XIChangeHierarchy(D, reinterpret_cast<XIAnyHierarchyChangeInfo*>(&remove), 1);
    XSync(D, False);
    return device_id(name + " pointer") == 0;
}

#undef D

std::string message_box_problem(const std::string& display) {
    Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return "cannot open the X display " + display;
    int count = 0;
    char** names = XListFonts(d, SDL_BOX_FONT, 1, &count);
    if (names)
        XFreeFontNames(names);
    XCloseDisplay(d);
    if (count > 0)
        return "";
    return std::string("the X server has no core font matching ") + SDL_BOX_FONT +
           ", so message boxes cannot be shown: install the package xfonts-base";
}

std::string message_box_fallback_in(const std::string& output_file, const std::string& caption) {
    std::istringstream lines(read_text_file(output_file));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(caption + ": ", 0) == 0)
            return line;
    return "";
}
