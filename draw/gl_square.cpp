#include "draw/gl_square.h"

#include <GL/gl.h>

void draw_quad_at(float x, float y, float z, float w, float h, QuadNormal normal) {
    glBegin(GL_QUADS);
    if (normal == QuadNormal::facing_viewer)
        glNormal3f(0, 0, 1);
    glTexCoord2f(0, 1);
    glVertex3f(x - w, y + h, z);
    glTexCoord2f(0, 0);
    glVertex3f(x - w, y - h, z);
    glTexCoord2f(1, 0);
    glVertex3f(x + w, y - h, z);
    glTexCoord2f(1, 1);
    glVertex3f(x + w, y + h, z);
    glEnd();
}
