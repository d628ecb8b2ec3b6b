// The SDL2/X11 layer under the frame: the key table and message boxes with no display.
#include "platform/message_box.h"
#include "platform/virtual_keys.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

TEST(VirtualKeys, MapTheKeysTheProgramsTest) {
    // The ends of each range, both sides of the modifiers, and keys with no code.
    const std::pair<SDL_Keycode, uint32_t> keys[] = {
        {SDLK_a, 0x41},      {SDLK_z, 0x5A},     {SDLK_0, 0x30},      {SDLK_9, 0x39},
        {SDLK_RSHIFT, 0x10}, {SDLK_LCTRL, 0x11}, {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20},
        {SDLK_LEFT, 0x25},   {SDLK_DOWN, 0x28},  {SDLK_F1, 0x70},     {SDLK_F12, 0x7B},
        {SDLK_KP_0, 0x60},   {SDLK_KP_9, 0x69},  {SDLK_F13, 0},       {SDLK_UNKNOWN, 0}};
    for (const auto& [sdl, vk] : keys) {
        EXPECT_EQ(virtual_key_from_sdl(sdl), vk) << SDL_GetKeyName(sdl);
    }
}

TEST(MessageBoxes, WithoutADisplayTheTextGoesToStandardErrorOnOneLine) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    platform_message_box("Mode Switch Failed.\nRunning In Windowed Mode.", "Error",
                         MessageBoxIcon::exclamation);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Mode Switch Failed. Running In Windowed Mode.\n");
}
