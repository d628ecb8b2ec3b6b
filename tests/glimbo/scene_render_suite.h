// The render tests' suite fixture: one offscreen GL context and one set of the renderer's
// scene objects (quadric, blob list), made before the suite's first test and freed after
// its last.
#pragma once

#include "glimbo/render_scene.h"
#include "tests/glimbo/gl_test_context.h"

#include <gtest/gtest.h>

template <int Width, int Height> class SceneRenderSuite : public ::testing::Test {
  protected:
    inline static GlTestContext gl;
    inline static RenderResources shared_gfx;

    static void SetUpTestSuite() {
        ASSERT_TRUE(gl.open(Width, Height)) << "no offscreen GL context";
        create_scene_objects(shared_gfx);
    }
    static void TearDownTestSuite() {
        delete_scene_objects(shared_gfx);
        gl.close();
    }
};
