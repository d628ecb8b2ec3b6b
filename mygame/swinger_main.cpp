// mygame2: a ball-shaped player with a grapple rope among twelve sheep.
#include "frame/frame.h"
#include "mygame/gl_draw.h"
#include "mygame/ground_file.h"
#include "mygame/program_support.h"
#include "mygame/swinger.h"
#include "platform/cursor.h"

#include <vector>

namespace {

// GLU wire spheres compiled once per radius into display lists of the current context.
struct SphereLists {
    std::vector<std::pair<float, GLuint>> lists;

    void forget() { lists.clear(); } // a new context starts without lists
    void draw(float radius) {
        for (const auto& [r, list] : lists)
            if (r == radius) {
                glCallList(list);
                return;
            }
        GLuint list = glGenLists(1);
        GLUquadric* q = gluNewQuadric();
        gluQuadricDrawStyle(q, GLU_LINE);
        gluQuadricNormals(q, GLU_SMOOTH);
        glNewList(list, GL_COMPILE);
        gluSphere(q, radius, 16, 16);
        glEndList();
        gluDeleteQuadric(q);
        lists.push_back({radius, list});
        glCallList(list);
    }
};

struct Program {
    SwingerWorld world;
    bool world_ready = false; // the world outlives a rebuilt window
    TextureSlots textures;
    SphereLists spheres;
    MessageBoxErrors errors;
    KeyTable* keys = nullptr;
    uint8_t left_button_down = 0;
    uint8_t right_button_down = 0;
};

constexpr int TEX_GROUND = 1, TEX_SHEEP = 3, TEX_POINTER = 4, TEX_SKY = 5, TEX_PLAYER = 6;

bool init(Program& p, KeyTable& keys) {
    p.keys = &keys;
    set_editor_gl_state();
    platform_show_cursor(false);
    p.spheres.forget();
    p.textures.load({{0, "Data/head.tga"},
                     {1, "Data/Ground.tga"},
                     {2, "Data/foot.tga"},
                     {3, "Data/sheep.tga"},
                     {4, "Data/pointer.tga"},
                     {5, "Data/sky.tga"},
                     {6, "Data/HANDLE.tga"},
                     {7, "Data/STICK.tga"},
                     {8, "Data/BALL.tga"},
                     {10, "Data/cloud1.tga"},
                     {11, "Data/cloud2.tga"},
                     {12, "Data/cloud3.tga"},
                     {13, "Data/cloud4.tga"},
                     {14, "Data/cloud5.tga"},
                     {15, "Data/cloud6.tga"},
                     {16, "Data/cloud7.tga"},
                     {17, "Data/cloud8.tga"},
                     {18, "Data/body.tga"}},
                    TextureUpload::mipmapped);
    if (!p.world_ready) {
        p.world = make_swinger_world();
        p.world_ready = true;
        load_ground(MYGAME_FILE_NAME, p.world.ground, p.errors); // no file: the floor only
    }
    return true;
}

void draw_rope(const SwingerWorld& w) {
    const Grapple& g = w.grapple;
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINE_STRIP);
    glVertex3f(g.anchor.x, g.anchor.y, -30);
    if (!g.stiff)
        for (const RopePoint& r : g.points)
            glVertex3f(r.x, r.y, -30);
    glVertex3f(w.player.x, w.player.y, -30);
    glEnd();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
}

void draw(Program& p) {
    const SwingerWorld& w = p.world;
    const TextureSlots& tex = p.textures;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(-w.camera_x, 0, 0);
    p.spheres.draw(1);
    p.spheres.draw(20);
    tex.bind(TEX_SKY);
    draw_quad_at(w.camera_x, 0, -90, 100, 100);
    draw_clouds(w.clouds, tex);
    tex.bind(TEX_GROUND);
    draw_ground_band(w.ground, -30);
    tex.bind(TEX_PLAYER);
    draw_quad_at(w.player.x, w.player.y, -30, w.player.radius, w.player.radius);
    tex.bind(TEX_SHEEP);
    for (const Sheep& s : w.sheep)
        draw_quad_at(s.body.x, s.body.y, -30, s.body.radius, s.body.radius);
    if (w.grapple.attached)
        draw_rope(w);
    set_colour(w.pointer_colour);
    tex.bind(TEX_POINTER);
    draw_quad_at(w.pointer.x, w.pointer.y, -30, 2, 2);
    set_white();
    glFlush();
}

} // namespace

int main() {
    Program p;
    ProgramHooks hooks;
    hooks.program_init = [&](GlWindow&, KeyTable& keys) { return init(p, keys); };
    hooks.program_update = [&](uint32_t) {
        swinger_step(p.world, poll_frame_input(p.keys, p.left_button_down, p.right_button_down));
    };
    hooks.program_draw = [&] { draw(p); };
    hooks.program_deinit = [] {};
    hooks.left_button_down = &p.left_button_down;
    hooks.right_button_down = &p.right_button_down;
    return run_program(settings_for(Deliverable::mygame2), hooks);
}
