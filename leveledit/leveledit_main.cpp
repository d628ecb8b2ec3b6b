// leveledit: builds the ground line and blobs of a level with the mouse and keeps them in
// "level.svg".
#include "frame/frame.h"
#include "leveledit/level_editor.h"
#include "editing/gl_draw.h"
#include "editing/program_support.h"

namespace {

struct Program {
    LevelEditor editor;
    TextureSlots textures;
    GLUquadric* sphere = nullptr;
    MessageBoxErrors errors;
};

enum Slot {
    TEX_HEAD = 0,
    TEX_GROUND = 1,
    TEX_POINTER = 3,
    TEX_HANDLE = 5,
    TEX_BODY = 7,
    TEX_GLIMBO = 8,
    TEX_ICE = 9,
    TEX_SPIKES = 10,
    TEX_MINISHEEP = 11,
    TEX_STARS = 13,
};

void init(Program& p) {
    p.textures.load({{0, "Data/head.tga"},
                     {1, "Data/Ground.tga"},
                     {2, "Data/sheep.tga"},
                     {3, "Data/pointer.tga"},
                     {4, "Data/gdust.tga"},
                     {5, "Data/HANDLE.tga"},
                     {6, "Data/BALL.tga"},
                     {7, "Data/body.tga"},
                     {8, "Data/glimbo.tga"},
                     {9, "Data/ice.tga"},
                     {10, "Data/spikes.tga"},
                     {11, "Data/minisheep.tga"},
                     {12, "Data/miniball.tga"},
                     {13, "Data/stars.tga"}},
                    TextureUpload::single_level);
    p.sphere = gluNewQuadric();
    gluQuadricNormals(p.sphere, GLU_SMOOTH);
    gluQuadricTexture(p.sphere, GL_TRUE);
}

void deinit(Program& p) {
    // The quadric is plain memory, not a GL object, but it is made again by every init.
    if (p.sphere)
        gluDeleteQuadric(p.sphere);
    p.sphere = nullptr;
}

int segment_texture(int32_t type) {
    switch (type) {
    case SURFACE_GROUND:
        return TEX_GROUND;
    case SURFACE_ICE:
        return TEX_ICE;
    case SURFACE_SPIKES:
        return TEX_SPIKES;
    default:
        return TEX_HEAD;
    }
}

void vertex(float s, float t, float x, float y, float z) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
}

void draw_segments(const LevelData& level, const TextureSlots& tex) {
    for (size_t i = 0; i + 1 < level.ground.size(); ++i) {
        const GroundPoint &g0 = level.ground[i], &g1 = level.ground[i + 1];
        const BasePoint &b0 = level.base[i], &b1 = level.base[i + 1];
        tex.bind(segment_texture(g0.type));
        glBegin(GL_QUADS);
        vertex(0, 1, g0.x, g0.y, -24); // front face
        vertex(0, 0, b0.x, b0.y, -15);
        vertex(1, 0, b1.x, b1.y, -15);
        vertex(1, 1, g1.x, g1.y, -24);
        vertex(0, 0, g0.x, g0.y, -45); // top face
        vertex(0, 1, g0.x, g0.y, -24);
        vertex(1, 1, g1.x, g1.y, -24);
        vertex(1, 0, g1.x, g1.y, -45);
        vertex(0, 0, b0.x, b0.y, -15); // inner face
        vertex(0, 1, g0.x, g0.y, -45);
        vertex(1, 1, g1.x, g1.y, -45);
        vertex(1, 0, b1.x, b1.y, -15);
        glEnd();
    }
}

void draw_sphere(GLUquadric* q, float x, float y, float radius) {
    glPushMatrix();
    glTranslatef(x, y, -30);
    glRotatef(-90, 1, 0, 0);
    gluSphere(q, radius, 8, 8);
    glPopMatrix();
}

void draw(const Program& p) {
    const LevelEditor& e = p.editor;
    const LevelData& level = e.level;
    const TextureSlots& tex = p.textures;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glScalef(0.09f, 0.09f, 0.09f);
    glTranslatef(-e.pan_x, e.pan_y, -20);

    tex.bind(TEX_HANDLE);
    draw_quad_at(e.pan_x, e.pan_y, -90, 100, 100);
    tex.bind(TEX_HEAD);
    draw_quad_at(0, -1, -29.97f, 1, 1);

    glDisable(GL_LIGHTING);
    tex.bind(TEX_STARS);
    glBegin(GL_QUADS);
    vertex(0, 8, e.pan_x - 300, e.pan_y + 300, -90);
    vertex(0, 0, e.pan_x - 300, e.pan_y - 300, -90);
    vertex(8, 0, e.pan_x + 300, e.pan_y - 300, -90);
    vertex(8, 8, e.pan_x + 300, e.pan_y + 300, -90);
    glEnd();

    draw_segments(level, tex);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    tex.bind(TEX_BODY);
    for (const Blob& b : level.blobs)
        if (b.present == 1)
            draw_sphere(p.sphere, b.x, b.y, 1.3f);
    tex.bind(TEX_MINISHEEP);
    for (const SheepMark& s : level.sheep)
        draw_sphere(p.sphere, s.x, s.y, 1.3f * s.radius);
    tex.bind(TEX_GLIMBO);
    for (const BallMark& b : level.balls)
        draw_sphere(p.sphere, b.x, b.y, 1.3f * b.radius);

    glDisable(GL_DEPTH_TEST);
    draw_pointer(tex, TEX_POINTER, e.pointer_x, e.pointer_y, e.pointer_colour);

    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    for (size_t i = 0; i + 1 < level.ground.size(); ++i) {
        glVertex3f(level.ground[i].x, level.ground[i].y, -30);
        glVertex3f(level.ground[i + 1].x, level.ground[i + 1].y, -30);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glFlush();
}

} // namespace

int main() {
    Program p;
    return run_editor_program(
        Deliverable::leveledit,
        {[&] { init(p); }, [&](const FrameInput& in) { level_editor_step(p.editor, in, p.errors); },
         [&] { draw(p); }, [&] { deinit(p); }});
}
