#include "draw/band_arrays.h"

#include "draw/render_helpers.h"
#include "draw/render_types.h"

#include <GL/gl.h>

bool band_is_current(const BandArrays& band, const LevelData& level) {
    if (!band.made || band.ground.size() != level.ground.size() ||
        band.base.size() != level.base.size())
        return false;
    for (size_t k = 0; k < level.ground.size(); ++k) {
        const GroundPoint &a = band.ground[k], &b = level.ground[k];
        if (a.x != b.x || a.y != b.y || a.type != b.type)
            return false;
    }
    for (size_t k = 0; k < level.base.size(); ++k)
        if (band.base[k].x != level.base[k].x || band.base[k].y != level.base[k].y)
            return false;
    return true;
}

void start_band(BandArrays& band, const LevelData& level) {
    band.vertices.clear();
    band.passes.clear();
    band.scrolled.clear();
    band.ground = level.ground;
    band.base = level.base;
    band.made = true;
}

void start_pass(BandArrays& band) {
    band.passes.emplace_back();
}

void add_quad(BandArrays& band, int slot, const BandVertex (&quad)[4]) {
    auto& runs = band.passes.back().runs;
    if (runs.empty() || runs.back().slot != slot)
        runs.push_back({slot, int32_t(band.vertices.size()), 0});
    runs.back().count += 4;
    band.vertices.insert(band.vertices.end(), quad, quad + 4);
}

void add_scrolled(BandArrays& band, int32_t vertex, bool backwards, bool plus_one) {
    band.scrolled.push_back({vertex, backwards, plus_one});
}

void scroll_band(BandArrays& band, float scroll) {
    for (const ScrolledVertex& sv : band.scrolled) {
        float& t = band.vertices[size_t(sv.vertex)].t;
        if (sv.backwards)
            t = sv.plus_one ? 1 - scroll : -scroll;
        else
            t = sv.plus_one ? scroll + 1 : scroll;
    }
}

void draw_band_pass(const BandArrays& band, size_t pass, const RenderResources& gfx, bool colours) {
    if (pass >= band.passes.size() || band.vertices.empty())
        return;
    const BandVertex* v = band.vertices.data();
    constexpr GLsizei stride = sizeof(BandVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, &v->s);
    glNormalPointer(GL_FLOAT, stride, &v->nx);
    glVertexPointer(3, GL_FLOAT, stride, &v->x);
    if (colours) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, stride, &v->r);
    }
    for (const BandRun& run : band.passes[pass].runs) {
        bind_slot(gfx, run.slot);
        glDrawArrays(GL_QUADS, run.first, run.count);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
