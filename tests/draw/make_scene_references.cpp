// Draws every pixel scene and writes its reference image into the folder given, with a PPM
// beside it when a second argument "ppm" asks for pictures to look at. Run from the source
// tree, only when a change of the pictures is meant:
//   cmake --build build-test --target make_scene_references
//   build-test/tests/make_scene_references tests/draw/data
#include "tests/draw/pixel_scenes.h"
#include "tests/glimbo/gl_test_context.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_scene_references FOLDER [ppm]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ppm = argc > 2 && std::string(argv[2]) == "ppm";
    GlTestContext gl;
    if (!gl.open(SCENE_WIDTH, SCENE_HEIGHT)) {
        std::fprintf(stderr, "no offscreen GL context\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    RenderResources gfx = make_scene_resources();
    int failures = 0;
    for (const PixelScene& scene : pixel_scenes()) {
        const RgbImage image = shoot_scene(scene, gfx);
        const std::string path = folder + "/" + scene.name + ".rgbz";
        if (!save_reference(path, image)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
        if (ppm)
            save_ppm(folder + "/" + scene.name + ".ppm", image);
        std::printf("%s\n", path.c_str());
    }
    free_scene_resources(gfx);
    gl.close();
    return failures == 0 ? 0 : 1;
}
