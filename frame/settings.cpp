// The per-program frame settings: titles, sizes, colour depth, pacing and presentation.
#include "frame/frame.h"

FrameSettings settings_for(Deliverable deliverable) {
    FrameSettings s;
    switch (deliverable) {
    case Deliverable::glimbo:
        s.title = "Tethro Game, on Kavo framework";
        s.pacing = Pacing::sleep_16ms;
        s.present = Present::flush_only;
        s.window_proc = WindowProcKind::glimbo;
        s.uses_raw_mouse = true;
        s.records_screen_center = true;
        s.raw_input_missing_text = "Yo umm.. error - you need win xp, soz dude";
        break;
    case Deliverable::ropegame:
        s.title = "Tethro game - on the kavo framework";
        s.width = 800;
        s.height = 600;
        s.bits_per_pixel = 32;
        s.pacing = Pacing::sleep_16ms;
        s.window_proc = WindowProcKind::ropegame;
        s.uses_raw_mouse = true;
        s.hide_cursor_on_create = true;
        s.records_screen_center = true;
        s.raw_input_missing_text = "RawInput not supported by Operating System.  Exiting.";
        break;
    case Deliverable::leveledit:
    case Deliverable::mygameedit:
        s.title = "Kavo's New GL Framework";
        break;
    case Deliverable::mygame1:
    case Deliverable::mygame2:
        s.title = "Kavo's New GL Framework";
        s.pacing = Pacing::spin_17ms;
        break;
    }
    return s;
}
