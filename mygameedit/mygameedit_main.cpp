// mygameedit: the editor of the prototypes' ground file "MyGame.svg".
#include "frame/frame.h"
#include "editing/gl_draw.h"
#include "mygameedit/ground_editor.h"
#include "editing/program_support.h"

namespace {

struct Program {
    GroundEditor editor;
    TextureSlots textures;
    MessageBoxErrors errors;
};

constexpr int TEX_GROUND = 1, TEX_POINTER = 4, TEX_SKY = 5;

void init(Program& p) {
    auto files = prototype_texture_files();
    files.resize(6); // head, ground, foot, sheep, pointer and sky
    p.textures.load(files, TextureUpload::single_level);
}

void draw(const Program& p) {
    const GroundEditor& e = p.editor;
    start_view(e.pan_x);
    draw_sky(p.textures, TEX_SKY, e.pan_x);
    glColor3ub(255, 0, 0);
    p.textures.bind(TEX_POINTER);
    draw_quad_at(e.pointer.x, e.pointer.y, -29.7f, 1, 1);
    set_white();
    p.textures.bind(TEX_GROUND);
    draw_ground_band(e.ground, -30);
    glFlush();
}

} // namespace

int main() {
    Program p;
    return run_editor_program(
        Deliverable::mygameedit,
        {[&] { init(p); },
         [&](const FrameInput& in) { ground_editor_step(p.editor, in, p.errors); },
         [&] { draw(p); }});
}
