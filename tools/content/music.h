// The game's background music, composed and sampled by the tool.
#pragma once

#include "tools/content/mod_file.h"

// About a minute of music in C major at 125 beats a minute: an intro, two melodies over
// two chord progressions, bass and drums; it ends on the chord that leads back to the start.
ModSong compose_music();
