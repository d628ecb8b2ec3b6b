// glimbo: one player per mouse, on the application frame; --help lists the options.
#include "glimbo/program.h"

int main(int argc, char** argv) {
    return glimbo_main(argc, argv);
}
