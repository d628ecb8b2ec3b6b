// The cursor position the programs read and put back, kept by the layer instead of the real
// pointer. A put-back sets it; a read gives it plus the pointer motion that came in since.
// The real pointer only supplies motion: where it sits (confined in our window, kept near its
// centre) never shows through. So the programs see the motion the user made wherever the
// window is, and a move made between a read and a put-back is counted once, in the next read.
#pragma once

#include <cstdint>

struct VirtualCursor {
    int32_t x = 0, y = 0;                 // the put-back point, or the last read
    int32_t unread_dx = 0, unread_dy = 0; // motion not yet returned by a read
    int32_t screen_width = 0;             // reads stay inside the screen, as the real
    int32_t screen_height = 0;            // cursor does; 0 = no bound
    bool pointer_seen = false;            // whether (pointer_x, pointer_y) is valid
    int32_t pointer_x = 0, pointer_y = 0; // the real pointer where it was last seen (root)
};

// The programs' side.
void virtual_cursor_put_back(VirtualCursor& cursor, int32_t x, int32_t y);
void virtual_cursor_read(VirtualCursor& cursor, int32_t& x, int32_t& y);

// The real pointer's side. Seen at (x, y): the way from the last sighting is motion; the
// first sighting after a loss only starts the track.
void virtual_cursor_pointer_seen(VirtualCursor& cursor, int32_t x, int32_t y);
// The pointer was warped by (dx, dy) from where it was last seen and is now seen at (x, y).
// A warp the server honoured is no motion; one it ignored (as XWayland does with a visible
// cursor) left the pointer where it was, and everything seen is motion.
void virtual_cursor_pointer_warped(VirtualCursor& cursor, int32_t dx, int32_t dy, int32_t x,
                                   int32_t y);
// The pointer went where its motion is not ours (focus lost): the next sighting starts anew.
void virtual_cursor_pointer_lost(VirtualCursor& cursor);
