// A small program on the frame for trying it by hand and for the end-to-end tests: a window
// with a red square on a dark blue ground and, when the assets library is built, a
// checkerboard texture beside it and a line of text; with the raw-mouse module, each mouse's
// reports and every key change on stdout, and a frame that stalls while a file named "stall"
// is in the working folder. Escape quits, F1 switches to full screen.
#include "frame/frame.h"

#include <GL/gl.h>

#include <cstdio>

#ifdef FRAME_DEMO_WITH_RAW_MOUSE
#include "platform/window.h"
#include "rawmouse/rawmouse.h"

#include <chrono>
#include <filesystem>
#include <thread>
#endif

#ifdef FRAME_DEMO_WITH_ASSETS
#include "assets/font.h"
#include "assets/texture.h"

#include <filesystem>
#include <fstream>
#endif

namespace {

#ifdef FRAME_DEMO_WITH_ASSETS
struct DemoAssets {
    Texture board;
    BitmapFont font;
};

DemoAssets demo_assets;

// A 64 x 64 true-colour TGA of four 32 x 32 cells: green and yellow, crosswise.
std::string write_board_tga() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "frame_demo_board.tga").string();
    std::ofstream out(path, std::ios::binary);
    const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 64, 0, 64, 0, 24, 0};
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool yellow = (x < 32) != (y < 32);
            const unsigned char bgr[3] = {0, 255, static_cast<unsigned char>(yellow ? 255 : 0)};
            out.write(reinterpret_cast<const char*>(bgr), 3);
        }
    }
    return path;
}
#endif

#ifdef FRAME_DEMO_WITH_RAW_MOUSE
// The raw mice: every non-empty report and every change of the keyboard focus on stdout.
WindowHandle demo_window = nullptr;
int demo_focus = -1;

void report_focus() {
    const int focus = platform_window_has_focus(demo_window) ? 1 : 0;
    if (focus != demo_focus) {
        demo_focus = focus;
        std::printf("focus %d\n", focus);
        std::fflush(stdout);
    }
}

void report_mouse(int mouse, int x, int y, int wheel, bool left, bool right, bool middle) {
    if (x || y || wheel || left || right || middle) {
        std::printf("mouse %d %d %d %d %d %d %d\n", mouse, x, y, wheel, left, right, middle);
        std::fflush(stdout);
    }
}

void use_raw_mouse(FrameSettings& settings, ProgramHooks& hooks) {
    settings.uses_raw_mouse = true;
    settings.raw_input_missing_text = "no raw mouse input";
    hooks.raw_mouse = {rawmouse_init,    rawmouse_handle_input,
                       rawmouse_button,  rawmouse_take_x,
                       rawmouse_take_y,  rawmouse_take_wheel,
                       rawmouse_release, [] { return static_cast<int>(mouse_count); }};
    hooks.player_mouse_input = report_mouse;
    hooks.key_event = [](uint32_t key, bool down) {
        std::printf("key %u %d\n", key, down ? 1 : 0);
        std::fflush(stdout);
    };
    // A "tick" every ten frames tells a test that whole pumps, raw input included, have run.
    hooks.program_update = [](uint32_t) {
        report_focus();
        // A busy frame, as long as the test wants it (a minute at most).
        if (std::filesystem::exists("stall")) {
            std::printf("stalling\n");
            std::fflush(stdout);
            for (int i = 0; i < 6000 && std::filesystem::exists("stall"); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        static int frames = 0;
        if (++frames % 10 == 0) {
            std::printf("tick\n");
            std::fflush(stdout);
        }
    };
}
#endif

bool demo_init(GlWindow& window, KeyTable&) {
#ifdef FRAME_DEMO_WITH_RAW_MOUSE
    demo_window = window.hwnd;
    demo_focus = -1;
#endif
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.4f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
#ifdef FRAME_DEMO_WITH_ASSETS
    load_tga_texture(demo_assets.board, write_board_tga());
    build_font(demo_assets.font);
#endif
    std::printf("frame_demo: window %dx%d%s\n", window.width, window.height,
                window.fullscreen ? " full screen" : "");
    std::fflush(stdout);
    return true;
}

void square(float left, float right, float bottom, float top) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(left, top, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(right, top, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(right, bottom, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(left, bottom, 0.0f);
    glEnd();
}

void demo_draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    square(-2.2f, -0.2f, -1.0f, 1.0f);
#ifdef FRAME_DEMO_WITH_ASSETS
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, demo_assets.board.texture_id);
    glColor3f(1.0f, 1.0f, 1.0f);
    square(0.2f, 2.2f, -1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos3f(-2.5f, 1.5f, 0.0f);
    gl_print(demo_assets.font, "Frame demo %d", 1);
#endif
}

} // namespace

int main() {
    FrameSettings settings = settings_for(Deliverable::glimbo);
    settings.title = "Frame demo";
    settings.present = Present::swap;
    settings.uses_raw_mouse = false;

    ProgramHooks hooks;
    hooks.program_init = demo_init;
    hooks.program_update = [](uint32_t) {};
    hooks.program_draw = demo_draw;
    hooks.program_deinit = [] {};
#ifdef FRAME_DEMO_WITH_RAW_MOUSE
    use_raw_mouse(settings, hooks);
#endif
    return run_program(settings, hooks);
}
