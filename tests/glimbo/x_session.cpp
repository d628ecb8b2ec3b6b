#include "tests/glimbo/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
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

bool XSession::open(const std::string& display) {
    XSetErrorHandler(ignore_errors);
    display_ = XOpenDisplay(display.c_str());
    return display_ != nullptr;
}

void XSession::close() {
    if (display_)
        XCloseDisplay(as_display(display_));
    display_ = nullptr;
}

unsigned long XSession::find_window(const std::string& title) {
    Display* d = as_display(display_);
    std::vector<std::pair<Window, std::string>> all;
    collect(d, DefaultRootWindow(d), all);
    for (auto& [w, t] : all)
        if (t == title)
            return w;
    return 0;
}

std::vector<std::string> XSession::window_titles() {
    Display* d = as_display(display_);
    std::vector<std::pair<Window, std::string>> all;
    collect(d, DefaultRootWindow(d), all);
    std::vector<std::string> titles;
    for (auto& [w, t] : all)
        if (!t.empty())
            titles.push_back(t);
    return titles;
}

bool XSession::client_size(unsigned long window, int& width, int& height) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(as_display(display_), window, &a))
        return false;
    width = a.width;
    height = a.height;
    return true;
}

bool XSession::snapshot(unsigned long window, int x, int y, int w, int h, Snapshot& out) {
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

bool XSession::focus(unsigned long window) {
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

void XSession::key(const std::string& keysym, bool press) {
    Display* d = as_display(display_);
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysym.c_str()));
    XTestFakeKeyEvent(d, code, press ? True : False, CurrentTime);
    XSync(d, False);
}

void XSession::tap(const std::string& keysym) {
    key(keysym, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    key(keysym, false);
}

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < until) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

bool ChildProcess::start(const std::string& program, const std::string& cwd,
                         const std::vector<std::string>& env, const std::string& output_file) {
    pid_ = fork();
    if (pid_ < 0)
        return false;
    if (pid_ == 0) {
        if (chdir(cwd.c_str()) != 0)
            _exit(126);
        for (const std::string& e : env) {
            const size_t eq = e.find('=');
            if (eq == std::string::npos)
                unsetenv(e.c_str());
            else
                setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
        }
        const int fd = ::open(output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
            ::close(fd);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return true;
}

bool ChildProcess::wait_exit(int& exit_code, std::chrono::milliseconds timeout) {
    if (pid_ <= 0)
        return false;
    int status = 0;
    const bool done = wait_until(
        [&] {
            const pid_t r = waitpid(pid_, &status, WNOHANG);
            return r == pid_;
        },
        timeout);
    if (!done) {
        kill_now();
        return false;
    }
    pid_ = -1;
    exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

bool ChildProcess::running() {
    if (pid_ <= 0)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

void ChildProcess::kill_now() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

std::string read_text_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
