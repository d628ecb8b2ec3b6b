#include "draw/scene_setup.h"

#include <GL/gl.h>
#include <GL/glu.h>

void set_scene_gl_state(float light_x, float light_y) {
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(1.0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GREATER, 0.05f);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1};
    const GLfloat diffuse[] = {1.6f, 1.6f, 1.6f, 1};
    const GLfloat position[] = {light_x, light_y, -21, 1};
    const GLfloat specular[] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}

void create_scene_objects(RenderResources& gfx) {
    gfx.sphere = make_sphere_mesh();
    gfx.sphere_quadric = gluNewQuadric();
    if (gfx.sphere_quadric) {
        gluQuadricNormals(gfx.sphere_quadric, GLU_SMOOTH);
        gluQuadricTexture(gfx.sphere_quadric, GL_TRUE);
    }
    gfx.blob_list = glGenLists(1);
    if (gfx.blob_list && gfx.sphere_quadric) {
        glNewList(gfx.blob_list, GL_COMPILE);
        gluSphere(gfx.sphere_quadric, 1.0, 6, 6);
        glEndList();
    }
}

void delete_scene_objects(RenderResources& gfx) {
    if (gfx.sphere_quadric)
        gluDeleteQuadric(gfx.sphere_quadric);
    gfx.sphere_quadric = nullptr;
    gfx.blob_list = 0;
}
