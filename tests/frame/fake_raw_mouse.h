// A raw-mouse module for the frame's tests: a few mice whose motion, wheel and buttons the
// test sets, and a log of the init and release calls.
#pragma once

#include "frame/frame.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

struct FakeMouse {
    int x = 0, y = 0, wheel = 0;
    std::array<int, 3> buttons{};
};

struct FakeRawMouse {
    int init_result = 1;
    int count = 2;
    std::array<FakeMouse, 4> mice{};
    std::vector<std::string> calls;
    std::vector<uintptr_t> handled;

    static FakeRawMouse& get() {
        static FakeRawMouse instance;
        return instance;
    }
    static void reset() { get() = FakeRawMouse{}; }

    static RawMouseCalls calls_table() {
        RawMouseCalls c;
        c.init = [](int a, int r, int i) {
            get().calls.push_back("init " + std::to_string(a) + std::to_string(r) +
                                  std::to_string(i));
            return get().init_result;
        };
        c.handle_input = [](uintptr_t handle) {
            get().handled.push_back(handle);
            return handle == 0 ? 0 : 1;
        };
        c.button = [](int m, int b) { return get().mice[m].buttons[b]; };
        c.take_x = [](int m) { return std::exchange(get().mice[m].x, 0); };
        c.take_y = [](int m) { return std::exchange(get().mice[m].y, 0); };
        c.take_wheel = [](int m) { return std::exchange(get().mice[m].wheel, 0); };
        c.release = [] { get().calls.push_back("release"); };
        c.mouse_count = [] { return get().count; };
        return c;
    }
};
