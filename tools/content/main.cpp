// make_content OUTPUT_DIR [--levels DIR]   writes the content folder
// make_content --review OUT.ppm|OUT.tga [--levels DIR]   writes the review picture
// make_content --icons DIR   writes the desktop icons, DIR/<size>x<size>/apps/<name>.png
#include <cstdio>
#include <string>

#include "tools/content/content_writer.h"
#include "tools/content/icons.h"

#ifndef GLIMBO_LEVEL_SOURCE_DIR
#define GLIMBO_LEVEL_SOURCE_DIR "tools/levels"
#endif

namespace {

int usage() {
    std::fprintf(stderr, "usage: make_content OUTPUT_DIR [--levels DIR]\n"
                         "       make_content --review OUT.ppm|OUT.tga [--levels DIR]\n"
                         "       make_content --icons DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string target, levels = GLIMBO_LEVEL_SOURCE_DIR;
    bool review = false, icons = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--levels" && i + 1 < argc)
            levels = argv[++i];
        else if (a == "--review" && i + 1 < argc && target.empty()) {
            review = true;
            target = argv[++i];
        } else if (a == "--icons" && i + 1 < argc && target.empty()) {
            icons = true;
            target = argv[++i];
        } else if (!a.empty() && a[0] != '-' && target.empty())
            target = a;
        else
            return usage();
    }
    if (target.empty())
        return usage();
    if (review || icons) {
        std::string error;
        if (review ? !write_review(target, levels, error) : !write_icons(target, error)) {
            std::fprintf(stderr, "make_content: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    ContentResult r = write_content(target, levels);
    if (!r.ok) {
        std::fprintf(stderr, "make_content: %s\n", r.error.c_str());
        return 1;
    }
    if (r.kept_user_ground)
        std::printf("make_content: kept the edited MyGame.svg in %s\n", target.c_str());
    return 0;
}
