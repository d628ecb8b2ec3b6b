// Every pixel scene drawn and compared pixel for pixel with its reference image, drawn by
// the renderer before its geometry was built once and replayed (make_scene_references.cpp
// tells how to remake them). The references hold Mesa's software rasteriser's pixels;
// another rasteriser rounds differently, so elsewhere the comparison is skipped.
#include "tests/draw/pixel_scenes.h"
#include "tests/glimbo/gl_test_context.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ScenePixels, EverySceneMatchesItsReference) {
    GlTestContext gl;
    ASSERT_TRUE(gl.open(SCENE_WIDTH, SCENE_HEIGHT)) << "no offscreen GL context";
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer || !std::strstr(renderer, "llvmpipe")) {
        gl.close();
        GTEST_SKIP() << "the references are llvmpipe's; this GL is " << renderer;
    }
    RenderResources gfx = make_scene_resources();
    for (const PixelScene& scene : pixel_scenes()) {
        const RgbImage drawn = shoot_scene(scene, gfx);
        RgbImage reference;
        const std::string path = std::string(SCENE_REFERENCE_DIR) + "/" + scene.name + ".rgbz";
        if (!load_reference(path, reference)) {
            ADD_FAILURE() << "no reference image " << path;
            continue;
        }
        const ImageDifference d = compare_images(drawn, reference);
        EXPECT_EQ(d.pixels, 0) << scene.name << ": " << d.pixels
                               << " pixels differ, by up to " << d.largest_step
                               << " steps; drawn image left in " << scene.name << ".ppm";
        if (d.pixels > 0)
            save_ppm(std::string(scene.name) + ".ppm", drawn);
    }
    free_scene_resources(gfx);
    gl.close();
}

} // namespace
