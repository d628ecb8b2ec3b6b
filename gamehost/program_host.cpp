#include "gamehost/program_host.h"

#include "platform/cursor.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "rawmouse/rawmouse.h"

namespace {

constexpr const char* SAMPLE_FILES[SAMPLE_SLOT_COUNT] = {
    nullptr,
    "sounds/bing.wav",
    "sounds/complete.wav",
    "sounds/grapple.wav",
    "sounds/jump.wav",
    "sounds/release.wav",
    "sounds/roll.wav",
    "sounds/swish.wav",
    "sounds/thunk.wav",
    "sounds/trundle.wav",
};

MessageBoxIcon box_icon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::information:
        return MessageBoxIcon::information;
    case MessageIcon::exclamation:
        return MessageBoxIcon::exclamation;
    case MessageIcon::stop:
        return MessageBoxIcon::stop;
    case MessageIcon::none:
        break;
    }
    return MessageBoxIcon::none;
}

} // namespace

void ProgramHost::play_sample(Sample sample, int channel) {
    const int index = int(sample);
    // Sample numbers come from the simulation's own table; anything else plays nothing.
    if (index <= 0 || index >= SAMPLE_SLOT_COUNT)
        return;
    FSOUND_PlaySound(channel, samples[size_t(index)]);
}

void ProgramHost::show_message(const std::string& caption, const std::string& text,
                               MessageIcon icon) {
    platform_message_box(text, caption, box_icon(icon));
}

void ProgramHost::request_quit() {
    // The window procedure answers a close request with the frame's quit: the inner loop
    // ends, the deinit hook runs and the outer loop stops.
    if (window)
        platform_post_message(Message{window, WM_CLOSE, 0, 0});
}

void ProgramHost::set_cursor_position(int x, int y) {
    platform_set_cursor_pos(x, y);
}

void start_game_sound(ProgramHost& host) {
    FSOUND_Init(44100, 32, 0);
    host.song = FMUSIC_LoadSong("music.mod");
    FMUSIC_SetLooping(host.song, true);
    FMUSIC_PlaySong(host.song);
    FMUSIC_SetMasterVolume(host.song, 64);
    for (int i = 1; i < SAMPLE_SLOT_COUNT; ++i)
        host.samples[size_t(i)] = FSOUND_Sample_Load(i, SAMPLE_FILES[i], 0, 0, 0);
}

void stop_game_sound(ProgramHost& host) {
    FSOUND_Close();
    host.song = MusicSong{};
    host.samples.fill(SoundSample{});
}

void set_shared_hooks(ProgramHooks& hooks, ProgramHost& host) {
    hooks.raw_mouse.init = rawmouse_init;
    hooks.raw_mouse.handle_input = rawmouse_handle_input;
    hooks.raw_mouse.button = rawmouse_button;
    hooks.raw_mouse.take_x = rawmouse_take_x;
    hooks.raw_mouse.take_y = rawmouse_take_y;
    hooks.raw_mouse.take_wheel = rawmouse_take_wheel;
    hooks.raw_mouse.release = rawmouse_release;
    hooks.raw_mouse.mouse_count = [] { return int(mouse_count); };

    hooks.screen_center_x = &host.screen_center_x;
    hooks.screen_center_y = &host.screen_center_y;
}
