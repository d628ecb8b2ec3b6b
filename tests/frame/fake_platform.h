// A scripted platform for the frame: a clock that moves only when told (or when the loop
// sleeps), messages that become due at given ticks, and one log of what the frame asked for.
// Beside it a raw-mouse module whose mice the test sets.
#pragma once

#include "frame/frame_platform.h"

#include <array>
#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using Log = std::vector<std::string>;

struct ScriptedMessage {
    uint32_t at = 0; // due once the clock has reached this tick
    uint32_t message = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
};

class FakePlatform : public FramePlatform {
  public:
    uint32_t now = 1000;
    uint32_t tick_step = 0;             // added after every read of the clock
    std::deque<ScriptedMessage> script; // in order of their ticks
    std::deque<Message> posted;
    std::string fail; // the call that fails, as the first word of its entry in the log

    Log log;
    std::vector<std::string> titles; // of the windows created
    std::vector<std::pair<int32_t, int32_t>> projections;
    int swaps = 0, sleeps = 0, reads = 0;

    uintptr_t instance() override { return 0x400000; }
    bool register_class(const AppInfo& a) override { return note("register " + a.class_name); }
    void unregister_class(const AppInfo& a) override { note("unregister " + a.class_name); }
    WindowHandle create_window(const WindowRequest& r) override {
        titles.push_back(r.title);
        const bool made =
            note("window " + size(r.width, r.height, r.bits_per_pixel) +
                 (r.fullscreen ? " full screen" : "") + (r.double_buffer ? "" : " single"));
        return made ? reinterpret_cast<WindowHandle>(uintptr_t{16} * titles.size()) : nullptr;
    }
    WindowHandle get_dc(WindowHandle window) override { return window; }
    void release_dc(WindowHandle, WindowHandle) override { log.push_back("release dc"); }
    PlatformGlContext* create_context(WindowHandle dc) override {
        return note("context") ? reinterpret_cast<PlatformGlContext*>(dc) : nullptr;
    }
    bool make_current(WindowHandle dc, PlatformGlContext*) override {
        return note(dc ? "current" : "none current");
    }
    void delete_context(PlatformGlContext*) override { log.push_back("delete context"); }
    void destroy_window(WindowHandle) override { log.push_back("destroy"); }
    void show_window(WindowHandle) override { log.push_back("show"); }
    void swap_buffers(WindowHandle) override { ++swaps; }
    void apply_projection(int32_t w, int32_t h) override { projections.emplace_back(w, h); }
    bool change_display_mode(int32_t w, int32_t h, int32_t bits) override {
        return note("mode " + size(w, h, bits));
    }
    void restore_display_mode() override { log.push_back("restore mode"); }
    void show_cursor(bool show) override { log.push_back(show ? "cursor on" : "cursor off"); }
    // "warning Caption: text" with the exclamation icon, "box Caption: text" with none.
    void message_box(const std::string& text, const std::string& caption,
                     MessageBoxIcon icon) override {
        log.push_back((icon == MessageBoxIcon::exclamation ? "warning " : "box ") + caption + ": " +
                      text);
    }

    uint32_t ticks() override {
        // A loop that never ends fails the test instead of hanging it.
        if (++reads > 1000000) {
            throw std::runtime_error("the loop never ended");
        }
        return std::exchange(now, now + tick_step);
    }
    void sleep(uint32_t ms) override {
        ++sleeps;
        now += ms;
    }
    // Quit requests first, then the scripted messages that are due.
    bool peek_message(WindowHandle window, Message& message) override {
        const bool due = !script.empty() && static_cast<int32_t>(now - script.front().at) >= 0;
        if (posted.empty() && due) {
            const ScriptedMessage& s = script.front();
            posted.push_back(Message{window, s.message, s.wparam, s.lparam});
            script.pop_front();
        }
        if (posted.empty()) {
            return false;
        }
        message = posted.front();
        posted.pop_front();
        return true;
    }
    // Called only when nothing is due: the clock jumps to the next scripted message (and the
    // test fails with an exception when none is left, instead of hanging).
    void wait_message(WindowHandle) override { now = script.at(0).at; }
    void post_message(const Message& message) override { posted.push_back(message); }
    // As on the desktop, what the frame passes on goes nowhere.
    intptr_t default_window_proc(const Message&) override { return 0; }

  private:
    // Logs a call whose first word names it; false when it is the call that fails.
    bool note(const std::string& entry) {
        log.push_back(entry);
        return fail != entry.substr(0, entry.find(' '));
    }
    static std::string size(int32_t width, int32_t height, int32_t bits) {
        return std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits);
    }
};

// The raw-mouse module as the frame calls it: mice whose motion and buttons the test sets
// (x, y, wheel, left, right, middle); its start, its release and every handled event go to the
// log it was made with.
struct FakeRawMouse {
    int init_result = 1;
    int count = 2;
    std::array<std::array<int, 6>, 4> mice{};
    Log* log = nullptr;
};

inline FakeRawMouse fake_raw_mouse;

inline RawMouseCalls fake_raw_mouse_calls(Log& log) {
    fake_raw_mouse = FakeRawMouse{};
    fake_raw_mouse.log = &log;
    RawMouseCalls c;
    c.init = [](int a, int r, int i) {
        const std::string options = std::to_string(a) + std::to_string(r) + std::to_string(i);
        fake_raw_mouse.log->push_back("raw init " + options);
        return fake_raw_mouse.init_result;
    };
    c.handle_input = [](uintptr_t handle) {
        fake_raw_mouse.log->push_back("raw input " + std::to_string(handle));
        return handle == 0 ? 0 : 1;
    };
    c.button = [](int m, int b) { return fake_raw_mouse.mice[m][3 + b]; };
    c.take_x = [](int m) { return std::exchange(fake_raw_mouse.mice[m][0], 0); };
    c.take_y = [](int m) { return std::exchange(fake_raw_mouse.mice[m][1], 0); };
    c.take_wheel = [](int m) { return std::exchange(fake_raw_mouse.mice[m][2], 0); };
    c.release = [] { fake_raw_mouse.log->push_back("raw release"); };
    c.mouse_count = [] { return fake_raw_mouse.count; };
    return c;
}
