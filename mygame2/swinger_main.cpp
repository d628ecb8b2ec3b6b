// mygame2: a ball-shaped player with a grapple rope among twelve sheep.
#include "frame/frame.h"
#include "editing/gl_draw.h"
#include "editing/ground_file.h"
#include "editing/program_support.h"
#include "mygame2/swinger.h"

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
};

constexpr int TEX_GROUND = 1, TEX_SHEEP = 3, TEX_POINTER = 4, TEX_SKY = 5, TEX_PLAYER = 6;

void init(Program& p) {
    p.spheres.forget();
    auto files = prototype_texture_files();
    files.push_back({18, "Data/body.tga"});
    p.textures.load(files, TextureUpload::mipmapped);
    if (!p.world_ready) {
        p.world = make_swinger_world();
        p.world_ready = true;
        load_ground(MYGAME_FILE_NAME, p.world.ground, p.errors); // no file: the floor only
    }
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
    start_view(w.camera_x);
    p.spheres.draw(1);
    p.spheres.draw(20);
    draw_sky(tex, TEX_SKY, w.camera_x);
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
    draw_pointer(tex, TEX_POINTER, w.pointer.x, w.pointer.y, w.pointer_colour);
    glFlush();
}

} // namespace

int main() {
    Program p;
    return run_editor_program(Deliverable::mygame2,
                              {[&] { init(p); },
                               [&](const FrameInput& in) { swinger_step(p.world, in); },
                               [&] { draw(p); }});
}
