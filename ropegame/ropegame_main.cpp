// ropegame: the earlier edition of the game, one player per mouse, on the application
// frame; --help lists the options.
#include "ropegame/program.h"

int main(int argc, char** argv) {
    return ropegame::ropegame_main(argc, argv);
}
