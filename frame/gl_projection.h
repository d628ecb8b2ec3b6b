// The projection for a client size: the whole client area, 45 degrees vertical field of
// view, near 1, far 100, model-view reset.
#pragma once

#include <cstdint>

void apply_gl_projection(int32_t width, int32_t height);
