// mygameedit: the editor of the prototypes' ground file "MyGame.svg".
#include "frame/frame.h"
#include "mygame/gl_draw.h"
#include "mygame/ground_editor.h"
#include "mygame/program_support.h"
#include "platform/cursor.h"

namespace {

struct Program {
    GroundEditor editor;
    TextureSlots textures;
    MessageBoxErrors errors;
    KeyTable* keys = nullptr;
    uint8_t left_button_down = 0;
    uint8_t right_button_down = 0;
};

constexpr int TEX_GROUND = 1, TEX_POINTER = 4, TEX_SKY = 5;

bool init(Program& p, KeyTable& keys) {
    p.keys = &keys;
    set_editor_gl_state();
    platform_show_cursor(false);
    p.textures.load({{0, "Data/head.tga"},
                     {1, "Data/Ground.tga"},
                     {2, "Data/foot.tga"},
                     {3, "Data/sheep.tga"},
                     {4, "Data/pointer.tga"},
                     {5, "Data/sky.tga"}},
                    TextureUpload::single_level);
    return true;
}

void draw(const Program& p) {
    const GroundEditor& e = p.editor;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(-e.pan_x, 0, 0);
    p.textures.bind(TEX_SKY);
    draw_quad_at(e.pan_x, 0, -90, 100, 100);
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
    ProgramHooks hooks;
    hooks.program_init = [&](GlWindow&, KeyTable& keys) { return init(p, keys); };
    hooks.program_update = [&](uint32_t) {
        FrameInput in = poll_frame_input(p.keys, p.left_button_down, p.right_button_down);
        ground_editor_step(p.editor, in, p.errors);
    };
    hooks.program_draw = [&] { draw(p); };
    hooks.program_deinit = [] {};
    hooks.left_button_down = &p.left_button_down;
    hooks.right_button_down = &p.right_button_down;
    return run_program(settings_for(Deliverable::mygameedit), hooks);
}
