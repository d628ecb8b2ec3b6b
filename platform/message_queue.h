// The message queue of the layer: window-system events and raw-mouse events turned into
// numbered messages, plus messages the program posts itself. Posted messages come first.
#pragma once

#include "platform/messages.h"

// Takes the next message for the window without waiting; false when none is queued.
bool platform_peek_message(WindowHandle window, Message& message);
// Blocks until a message for the window is queued.
void platform_wait_message(WindowHandle window);
// Queues a message for its window; dropped when that window no longer exists.
void platform_post_message(const Message& message);
