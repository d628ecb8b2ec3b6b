#include "physics/level_core.h"

std::string game_complete_text(const std::string& game) {
    return "well done youve completed the game(or level not found)!, good ending, eh? "
           "(thanks for playing " +
           game + ")";
}
