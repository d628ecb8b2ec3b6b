// A small program on the frame for the end-to-end input tests: a dark blue window that
// writes each mouse's raw reports, every key change and every change of the keyboard focus
// to stdout, a "tick" every ten frames, and stalls its frames while a file named "stall"
// is in the working folder. Escape quits, F1 switches to full screen.
#include "frame/frame.h"
#include "platform/window.h"
#include "rawmouse/rawmouse.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace {

WindowHandle demo_window = nullptr;
int demo_focus = -1;

void report_mouse(int mouse, int x, int y, int wheel, bool left, bool right, bool middle) {
    if (x || y || wheel || left || right || middle) {
        std::printf("mouse %d %d %d %d %d %d %d\n", mouse, x, y, wheel, left, right, middle);
    }
}

void update(uint32_t) {
    const int focus = platform_window_has_focus(demo_window) ? 1 : 0;
    if (focus != demo_focus) {
        demo_focus = focus;
        std::printf("focus %d\n", focus);
    }
    // A busy frame, as long as the test wants it (a minute at most).
    if (std::filesystem::exists("stall")) {
        std::printf("stalling\n");
        for (int i = 0; i < 6000 && std::filesystem::exists("stall"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Tells a test that whole pumps, raw input included, have run.
    static int frames = 0;
    if (++frames % 10 == 0)
        std::printf("tick\n");
}

} // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line reaches the test at once
    FrameSettings settings = settings_for(Deliverable::glimbo);
    settings.title = "Frame demo";
    settings.present = Present::swap;
    settings.uses_raw_mouse = true;
    settings.raw_input_missing_text = "no raw mouse input";

    ProgramHooks hooks;
    hooks.program_init = [](GlWindow& window, KeyTable&) {
        demo_window = window.hwnd;
        demo_focus = -1;
        glClearColor(0.0f, 0.0f, 0.4f, 1.0f);
        return true;
    };
    hooks.program_update = update;
    hooks.program_draw = [] { glClear(GL_COLOR_BUFFER_BIT); };
    hooks.program_deinit = [] {};
    hooks.raw_mouse = {rawmouse_init,    rawmouse_handle_input,
                       rawmouse_button,  rawmouse_take_x,
                       rawmouse_take_y,  rawmouse_take_wheel,
                       rawmouse_release, [] { return static_cast<int>(mouse_count); }};
    hooks.player_mouse_input = report_mouse;
    hooks.key_event = [](uint32_t key, bool down) {
        std::printf("key %d %d\n", int(key), down ? 1 : 0);
    };
    return run_program(settings, hooks);
}
