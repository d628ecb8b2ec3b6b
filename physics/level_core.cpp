#include "physics/level_core.h"

const char* const GAME_COMPLETE_TEXT =
    "well done youve completed the game(or level not found)!, good ending, eh? "
    "(thanks for playing glimbo)";
