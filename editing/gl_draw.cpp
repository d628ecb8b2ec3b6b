#include "editing/gl_draw.h"

void set_editor_gl_state() {
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
}

void TextureSlots::load(const std::vector<std::pair<int, const char*>>& files,
                        TextureUpload upload) {
    slots.clear(); // the names of an earlier context died with it
    for (const auto& [slot, path] : files) {
        if (slot >= static_cast<int>(slots.size()))
            slots.resize(slot + 1);
        load_tga_texture(slots[slot], path, upload); // a missing image leaves a blank slot
    }
}

void TextureSlots::bind(int slot) const {
    GLuint name = 0;
    if (slot >= 0 && slot < static_cast<int>(slots.size()))
        name = slots[slot].texture_id;
    glBindTexture(GL_TEXTURE_2D, name);
}

void start_view(float x) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(-x, 0, 0);
}

void draw_sky(const TextureSlots& textures, int slot, float x) {
    textures.bind(slot);
    draw_quad_at(x, 0, -90, 100, 100);
}

void draw_ground_band(const MyGameData& ground, float z) {
    glBegin(GL_QUADS);
    for (size_t i = 0; i + 1 < ground.top.size() && i + 1 < ground.bottom.size(); ++i) {
        glTexCoord2f(0, 1);
        glVertex3f(ground.top[i].x, ground.top[i].y, z);
        glTexCoord2f(0, 0);
        glVertex3f(ground.bottom[i].x, ground.bottom[i].y, z);
        glTexCoord2f(1, 0);
        glVertex3f(ground.bottom[i + 1].x, ground.bottom[i + 1].y, z);
        glTexCoord2f(1, 1);
        glVertex3f(ground.top[i + 1].x, ground.top[i + 1].y, z);
    }
    glEnd();
}

void draw_clouds(const std::vector<Cloud>& clouds, const TextureSlots& textures) {
    for (size_t i = 0; i < clouds.size(); ++i) {
        const Cloud& c = clouds[i];
        textures.bind(cloud_texture_slot(static_cast<int>(i)));
        draw_quad_at(c.x, c.y, c.depth, c.half_size, c.half_size);
    }
}

void set_colour(const ColourCycle& c) {
    glColor3ub(static_cast<GLubyte>(c.red), static_cast<GLubyte>(c.green),
               static_cast<GLubyte>(c.blue));
}

void set_white() {
    glColor3f(1, 1, 1);
}

void draw_pointer(const TextureSlots& textures, int slot, float x, float y, const ColourCycle& c) {
    set_colour(c);
    textures.bind(slot);
    draw_quad_at(x, y, -30, 2, 2);
    set_white();
}
