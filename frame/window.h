// The frame's window operations and window procedures. The running state is one record,
// passed by reference, that the entry owns for the whole run.
#pragma once

#include "frame/frame.h"
#include "frame/frame_platform.h"

struct FrameContext {
    FramePlatform& platform;
    const FrameSettings& settings;
    ProgramHooks& hooks;
    int32_t running = 0;
    int32_t fullscreen_request = 0;
    GlWindow* user_data = nullptr; // the window's user-data slot, filled by WM_CREATE
};

bool register_window_class(FrameContext& frame, const AppInfo& app);
bool create_gl_window(FrameContext& frame, GlWindow& window);
bool destroy_gl_window(FrameContext& frame, GlWindow& window);
bool change_display_mode(FrameContext& frame, int32_t width, int32_t height, int32_t bits);
void resize_gl_scene(FrameContext& frame, int32_t width, int32_t height);

void request_quit(FrameContext& frame);
void toggle_fullscreen(FrameContext& frame);

// The window procedure of the program (chosen by its settings) and its three variants.
intptr_t window_proc(FrameContext& frame, const Message& message);
intptr_t glimbo_window_proc(FrameContext& frame, const Message& message);
intptr_t ropegame_window_proc(FrameContext& frame, const Message& message);
intptr_t editor_window_proc(FrameContext& frame, const Message& message);

// The message pump of one window's life; returns when WM_QUIT is taken.
void run_message_loop(FrameContext& frame, GlWindow& window);
// One idle pass: paces, then updates, draws and presents when a frame is due.
void run_frame_attempt(FrameContext& frame, GlWindow& window);
