#include "frame/gl_projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

void apply_gl_projection(int32_t width, int32_t height) {
    // An empty client area (a window squeezed shut) would make the aspect infinite or NaN.
    const int32_t safe_height = height > 0 ? height : 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<GLfloat>(width) / static_cast<GLfloat>(safe_height), 1.0,
                   100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
