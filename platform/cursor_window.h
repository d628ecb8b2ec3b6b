// What the window and message-box code of the layer tell the cursor: which windows keep the
// pointer while they have the focus, and when a modal box needs it free.
#pragma once

struct SDL_Window;

// A new window: from now on it confines the pointer whenever it has the keyboard focus.
void cursor_window_created(SDL_Window* window);
// Before SDL destroys it.
void cursor_window_destroyed(SDL_Window* window);
// Around a modal message box: the pointer is let go, then taken back.
void cursor_release_for_modal();
void cursor_retake_after_modal();
