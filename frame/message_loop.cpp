// The message pump of one window's life and the paced frame attempt of an idle pass.
#include "frame/window.h"

void run_frame_attempt(FrameContext& frame, GlWindow& window) {
    FramePlatform& platform = frame.platform;
    uint32_t now = 0;
    switch (frame.settings.pacing) {
    case Pacing::sleep_16ms:
        platform.sleep(1);
        now = platform.ticks();
        if (now - window.last_tick_ms < 16) {
            return;
        }
        break;
    case Pacing::spin_17ms:
        now = platform.ticks();
        if (now - window.last_tick_ms < 17) {
            return;
        }
        break;
    case Pacing::none:
        now = platform.ticks();
        break;
    }
    // Unsigned difference: a tick counter that wraps still gives the right gap, and a long
    // stall is handed over whole.
    const uint32_t elapsed = now - window.last_tick_ms;
    if (frame.hooks.program_update) {
        frame.hooks.program_update(elapsed);
    }
    window.last_tick_ms = now;
    if (frame.hooks.program_draw) {
        frame.hooks.program_draw();
    }
    if (frame.settings.present == Present::swap) {
        platform.swap_buffers(window.hdc);
    }
}

void run_message_loop(FrameContext& frame, GlWindow& window) {
    for (;;) {
        Message message;
        if (frame.platform.peek_message(window.hwnd, message)) {
            if (message.message == WM_QUIT) {
                return;
            }
            window_proc(frame, message);
            continue;
        }
        if (!window.active) {
            frame.platform.wait_message(window.hwnd);
            continue;
        }
        run_frame_attempt(frame, window);
    }
}
