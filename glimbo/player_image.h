// The 768-byte image of a Player record as the quick save stores it.
#pragma once

#include "glimbo/game_state.h"
#include "level/byte_io.h"

constexpr size_t PLAYER_IMAGE_BYTES = 768;
constexpr size_t ROPE_IMAGE_BYTES = 220;

void write_player_image(ByteWriter& w, const Player& p);

// Reads one image. Returns false, leaving `p` untouched, when fewer than 768 bytes remain,
// a real in it is not finite or beyond 1e7 in size, or a rope weight lies outside 0..2. An
// anchor naming a sheep or player that does not exist (`player_slots` records are
// allocated) detaches that rope.
bool read_player_image(ByteReader& r, Player& p, int player_slots);
