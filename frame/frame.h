// The application frame shared by the six programs: the window record, the key table, the
// hooks a program supplies, the per-program settings and the program entry with its loop.
// A program's main() is one line:
//     return run_program(settings_for(Deliverable::leveledit), hooks);
#pragma once

#include "platform/messages.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

struct PlatformGlContext; // the layer's GL context; opaque above it

// 256 key-held flags indexed by virtual-key code: 1 while held, 0 otherwise.
struct KeyTable {
    std::array<int32_t, 256> down{};

    int32_t& operator[](uint32_t code) { return down[code & 0xFF]; }
    int32_t operator[](uint32_t code) const { return down[code & 0xFF]; }
    void clear() { down.fill(0); }
};

struct AppInfo {
    uintptr_t instance = 0;
    std::string class_name = "OpenGL";
};

struct GlWindow {
    KeyTable* keys = nullptr;
    WindowHandle hwnd = nullptr;        // null while no window exists
    WindowHandle hdc = nullptr;         // the window's drawable, null while none is held
    PlatformGlContext* hglrc = nullptr; // null while no context exists
    AppInfo* app = nullptr;
    std::string title;
    int32_t width = 0; // requested client size
    int32_t height = 0;
    int32_t bits_per_pixel = 0;
    int32_t fullscreen = 0; // 1 = full screen requested; cleared when the mode switch fails
    int32_t active = 0;     // 1 while shown and not minimised (or paused); frames run only then
    uint32_t last_tick_ms = 0;
};

enum class Deliverable { glimbo, ropegame, leveledit, mygame1, mygameedit, mygame2 };

// How the loop paces its frames.
enum class Pacing {
    sleep_16ms, // sleep 1 ms per idle pass, frame when at least 16 ms have passed
    spin_17ms,  // no sleep, frame when at least 17 ms have passed
    none,       // frame on every idle pass
};

// How a drawn frame reaches the screen.
enum class Present {
    flush_only, // single-buffered window; the draw hook flushes itself
    swap,       // double-buffered; the frame swaps after the draw hook
};

enum class WindowProcKind { glimbo, ropegame, editor };

struct FrameSettings {
    std::string title;
    int32_t width = 640;
    int32_t height = 480;
    int32_t bits_per_pixel = 16;
    Pacing pacing = Pacing::none;
    Present present = Present::swap;
    WindowProcKind window_proc = WindowProcKind::editor;
    bool uses_raw_mouse = false;        // start the raw-mouse module once at entry
    bool hide_cursor_on_create = false; // hide the cursor right after showing the window
    bool records_screen_center = false;
    std::string raw_input_missing_text; // message when the raw-mouse start fails
};

FrameSettings settings_for(Deliverable deliverable);

// The raw-mouse module as the frame calls it; the games fill these in from rawmouse/.
// Captureless lambdas convert to these pointers, e.g. mouse_count = [] { return mouse_count; }.
struct RawMouseCalls {
    int (*init)(int include_aggregate, int include_remote_desktop,
                int include_individual) = nullptr;
    int (*handle_input)(uintptr_t raw_input_handle) = nullptr;
    int (*button)(int mouse, int button) = nullptr; // button 0 left, 1 right, 2 middle
    int (*take_x)(int mouse) = nullptr;
    int (*take_y)(int mouse) = nullptr;
    int (*take_wheel)(int mouse) = nullptr;
    void (*release)() = nullptr;
    int (*mouse_count)() = nullptr;
};

// What a program supplies. The four program_* hooks are required; the rest is per program
// and may stay empty (null pointers are simply not written).
struct ProgramHooks {
    std::function<bool(GlWindow& window, KeyTable& keys)> program_init;
    std::function<void(uint32_t elapsed_ms)> program_update;
    std::function<void()> program_draw;
    std::function<void()> program_deinit;

    // Every key-down/up below 256 goes here: in glimbo instead of the key table, in the
    // others after the key table has recorded it.
    std::function<void(uint32_t virtual_key, bool down)> key_event;
    // glimbo, ropegame: each mouse's motion, wheel steps and buttons on every raw-input pass.
    std::function<void(int mouse, int x, int y, int wheel, bool left, bool right, bool middle)>
        player_mouse_input;
    // glimbo, ropegame: called once after the raw-mouse start with the number of mice.
    std::function<void(int mouse_count)> allocate_players;
    RawMouseCalls raw_mouse;

    // glimbo, ropegame: the window centre, written at every resize.
    int32_t* screen_center_x = nullptr;
    int32_t* screen_center_y = nullptr;
    // ropegame: the pause flag that key P toggles.
    uint8_t* paused = nullptr;
    // editors and prototypes: held mouse buttons over the window.
    uint8_t* left_button_down = nullptr;
    uint8_t* right_button_down = nullptr;
};

class FramePlatform;

// The program entry: registers the class, starts the raw mice if the program uses them, and
// runs the window/loop cycle until quit. Returns the process exit code (0, or -1 when the
// window class cannot be registered).
int run_program(const FrameSettings& settings, ProgramHooks& hooks);
int run_program(const FrameSettings& settings, ProgramHooks& hooks, FramePlatform& platform);
