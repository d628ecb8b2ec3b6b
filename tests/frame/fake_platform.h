// A scripted platform for the frame: a clock that moves only when told (or when the loop
// sleeps), messages that become due at given ticks, and a log of what the frame asked for.
#pragma once

#include "frame/frame_platform.h"

#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct ScriptedMessage {
    uint32_t at = 0; // due once the clock has reached this tick
    uint32_t message = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
};

struct ShownBox {
    std::string text;
    std::string caption;
    MessageBoxIcon icon;
    bool operator==(const ShownBox&) const = default;
};

class FakePlatform : public FramePlatform {
  public:
    uint32_t now = 1000;
    uint32_t tick_step = 0;             // added after every read of the clock
    std::deque<uint32_t> tick_script;   // values for the next reads, before stepping applies
    std::deque<ScriptedMessage> script; // in order of their ticks
    std::deque<Message> posted;

    bool register_ok = true;
    bool display_mode_ok = true;
    bool fail_window = false, fail_context = false, fail_current = false;

    std::vector<std::string> log;
    std::vector<WindowRequest> created;
    std::vector<ShownBox> boxes;
    std::vector<std::pair<int32_t, int32_t>> projections;
    std::vector<bool> cursor_shown;
    std::vector<Message> passed_on;
    int swaps = 0, sleeps = 0, reads = 0;
    intptr_t default_result = 77;

    uintptr_t instance() override { return 0x400000; }
    bool register_class(const AppInfo& app) override {
        log.push_back("register " + app.class_name);
        return register_ok;
    }
    void unregister_class(const AppInfo& app) override {
        log.push_back("unregister " + app.class_name);
    }
    WindowHandle create_window(const WindowRequest& request) override {
        log.push_back("create_window");
        created.push_back(request);
        if (fail_window) {
            return nullptr;
        }
        return reinterpret_cast<WindowHandle>(static_cast<uintptr_t>(created.size() * 16));
    }
    WindowHandle get_dc(WindowHandle window) override { return window; }
    void release_dc(WindowHandle, WindowHandle) override { log.push_back("release_dc"); }
    PlatformGlContext* create_context(WindowHandle dc) override {
        log.push_back("create_context");
        return fail_context ? nullptr : reinterpret_cast<PlatformGlContext*>(dc);
    }
    bool make_current(WindowHandle dc, PlatformGlContext*) override {
        log.push_back(dc ? "make_current" : "make_current none");
        return !(dc && fail_current);
    }
    void delete_context(PlatformGlContext*) override { log.push_back("delete_context"); }
    void destroy_window(WindowHandle window) override {
        log.push_back("destroy_window");
        std::erase_if(posted, [&](const Message& m) { return m.hwnd == window; });
    }
    void show_window(WindowHandle) override { log.push_back("show_window"); }
    void swap_buffers(WindowHandle) override { ++swaps; }
    void apply_projection(int32_t width, int32_t height) override {
        projections.emplace_back(width, height);
    }
    bool change_display_mode(int32_t, int32_t, int32_t) override {
        log.push_back("change_display_mode");
        return display_mode_ok;
    }
    void restore_display_mode() override { log.push_back("restore_display_mode"); }
    void show_cursor(bool show) override { cursor_shown.push_back(show); }
    void message_box(const std::string& text, const std::string& caption,
                     MessageBoxIcon icon) override {
        boxes.push_back({text, caption, icon});
    }

    uint32_t ticks() override {
        // A loop that never ends fails the test instead of hanging it.
        if (++reads > 1000000) {
            throw std::runtime_error("the loop never ended");
        }
        if (!tick_script.empty()) {
            now = tick_script.front();
            tick_script.pop_front();
        }
        const uint32_t value = now;
        now += tick_step;
        return value;
    }
    void sleep(uint32_t ms) override {
        ++sleeps;
        now += ms;
    }
    bool peek_message(WindowHandle window, Message& message) override {
        for (auto it = posted.begin(); it != posted.end(); ++it) {
            if (it->hwnd == window) {
                message = *it;
                posted.erase(it);
                return true;
            }
        }
        if (!script.empty() && static_cast<int32_t>(now - script.front().at) >= 0) {
            const ScriptedMessage& s = script.front();
            message = Message{window, s.message, s.wparam, s.lparam};
            script.pop_front();
            return true;
        }
        return false;
    }
    void wait_message(WindowHandle window) override {
        for (const Message& m : posted) {
            if (m.hwnd == window) {
                return;
            }
        }
        if (script.empty()) {
            throw std::runtime_error("waiting for a message that never comes");
        }
        if (static_cast<int32_t>(script.front().at - now) > 0) {
            now = script.front().at;
        }
    }
    void post_message(const Message& message) override { posted.push_back(message); }
    intptr_t default_window_proc(const Message& message) override {
        passed_on.push_back(message);
        return default_result;
    }
};
