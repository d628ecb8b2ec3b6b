#include "tools/content/review.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "tools/content/review_font.h"
#include "tools/content/sphere_preview.h"

namespace {

constexpr int WIDTH = 1600;
constexpr int TILE = 120;
constexpr int GAP = 10;
constexpr int LABEL = 16; // caption height under each tile
constexpr int PANEL_H = 300;

void splat(Image& img, float x, float y, Color c) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    if (ix < 0 || iy < 0 || ix >= img.width || iy >= img.height)
        return;
    blend_over(pixel(img, ix, iy), c);
}

void disc(Image& img, float cx, float cy, float r, Color c) {
    for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
        for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
            float cover = clamp01(r - std::hypot(x + 0.5f - cx, y + 0.5f - cy) + 0.5f);
            if (cover > 0)
                splat(img, x + 0.5f, y + 0.5f, {c.r, c.g, c.b, c.a * cover});
        }
}

void line(Image& img, float x0, float y0, float x1, float y1, float width, Color c) {
    float len = std::hypot(x1 - x0, y1 - y0);
    int steps = std::max(1, static_cast<int>(len * 2));
    for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        disc(img, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width * 0.5f, c);
    }
}

// Texture tile on a checkerboard, so transparent parts show as such.
void draw_tile(Image& out, const Image& tex, int x0, int y0) {
    float scale = static_cast<float>(TILE) / std::max(tex.width, tex.height);
    int w = static_cast<int>(tex.width * scale), h = static_cast<int>(tex.height * scale);
    int ox = x0 + (TILE - w) / 2, oy = y0 + (TILE - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool check = ((x / 8) + (y / 8)) % 2 == 0;
            Color bg = check ? rgb(90, 90, 96) : rgb(130, 130, 138);
            Color c = pixel(tex, std::min(tex.width - 1, static_cast<int>(x / scale)),
                            std::min(tex.height - 1, static_cast<int>(y / scale)));
            if (!tex.has_alpha)
                c.a = 1;
            blend_over(bg, c);
            pixel(out, ox + x, oy + y) = bg;
        }
}

// The texture the game binds for a segment, by its own and the next point's surface.
std::string segment_texture(int type, int next) {
    if (type == 1)
        return next == 3 ? "ground2spikes.tga" : next == 2 ? "ground2ice.tga" : "Ground.tga";
    if (type == 2)
        return next == 3 ? "ice2spikes.tga" : next == 1 ? "ice2ground.tga" : "ice.tga";
    if (type == 3)
        return next == 1 ? "spikes2ground.tga" : next == 2 ? "spikes2ice.tga" : "spikes.tga";
    return "head.tga";
}

Color surface_color(int type) {
    return type == 1 ? rgb(120, 230, 80) : type == 2 ? rgb(170, 240, 255) : rgb(255, 60, 40);
}

struct View {
    float min_x, max_y, scale;
    int ox, oy;
    float sx(float x) const { return ox + (x - min_x) * scale; }
    float sy(float y) const { return oy + (max_y - y) * scale; }
};

void draw_band(Image& out, const View& v, float gx0, float gy0, float gx1, float gy1, float bx0,
               float by0, float bx1, float by1, const Image* tex) {
    float len = std::hypot(gx1 - gx0, gy1 - gy0) * v.scale;
    float depth = std::max(std::hypot(bx0 - gx0, by0 - gy0), std::hypot(bx1 - gx1, by1 - gy1));
    int nu = std::max(2, static_cast<int>(len * 2)),
        nv = std::max(2, static_cast<int>(depth * v.scale * 2));
    for (int i = 0; i <= nu; ++i) {
        float u = static_cast<float>(i) / nu;
        float tx = gx0 + (gx1 - gx0) * u, ty = gy0 + (gy1 - gy0) * u;
        float bx = bx0 + (bx1 - bx0) * u, by = by0 + (by1 - by0) * u;
        for (int j = 0; j <= nv; ++j) {
            float t = static_cast<float>(j) / nv; // 0 at the surface
            Color c = tex ? sample_wrapped(*tex, u * (tex->width - 1), t * (tex->height - 1))
                          : rgb(120, 90, 60);
            c.a = 1;
            splat(out, v.sx(tx + (bx - tx) * t), v.sy(ty + (by - ty) * t), c);
        }
    }
}

void draw_backdrop(Image& out, int y0, int height, const Image* stars) {
    for (int y = y0; y < y0 + height; ++y)
        for (int x = 0; x < WIDTH; ++x)
            pixel(out, x, y) =
                stars ? scale_rgb(pixel(*stars, x % stars->width, y % stars->height), 0.7f)
                      : rgb(10, 10, 30);
}

View fit_view(float min_x, float max_x, float min_y, float max_y, int y0) {
    min_x -= 8;
    max_x += 8;
    min_y -= 8;
    max_y += 8;
    float scale =
        std::min((WIDTH - 2.0f * GAP) / (max_x - min_x), (PANEL_H - 2.0f * GAP) / (max_y - min_y));
    View v{min_x, max_y, scale, GAP, y0 + GAP};
    v.ox = static_cast<int>((WIDTH - (max_x - min_x) * scale) / 2);
    v.oy = y0 + static_cast<int>((PANEL_H - (max_y - min_y) * scale) / 2);
    return v;
}

} // namespace

Image render_review(const std::vector<NamedImage>& images, const std::vector<ReviewLevel>& levels,
                    const MyGameData& mygame) {
    std::map<std::string, const Image*> by_name;
    for (const NamedImage& n : images)
        by_name[n.name] = &n.image;
    auto tex = [&](const std::string& name) {
        auto it = by_name.find(name);
        return it == by_name.end() ? nullptr : it->second;
    };
    const int per_row = (WIDTH - GAP) / (TILE + GAP);
    const int tile_rows = (static_cast<int>(images.size()) + per_row - 1) / per_row;
    const int tiles_h = GAP + tile_rows * (TILE + LABEL + GAP);
    const int panels = static_cast<int>(levels.size()) + 1;
    const int show_h = 200;
    Image out = make_image(WIDTH, tiles_h + show_h + GAP + panels * (PANEL_H + GAP), false,
                           rgb(40, 40, 46));

    for (size_t i = 0; i < images.size(); ++i) {
        int col = static_cast<int>(i) % per_row, row = static_cast<int>(i) / per_row;
        int x = GAP + col * (TILE + GAP), y = GAP + row * (TILE + LABEL + GAP);
        draw_tile(out, images[i].image, x, y);
        std::string caption = images[i].name.substr(0, images[i].name.find('.'));
        draw_text(out, x + (TILE - static_cast<int>(caption.size()) * 6) / 2, y + TILE + 5, caption,
                  1, rgb(230, 230, 230));
    }

    // The skins on spheres as the game draws them: balls with the sheep inside at a few
    // roll angles (the second player's shell tinted red), blob, hook and a flock sheep.
    int y0 = tiles_h;
    draw_backdrop(out, y0, show_h, tex("stars.tga"));
    const Image *shell = tex("glimbo.tga"), *sheep = tex("minisheep.tga");
    if (shell && sheep) {
        const float angles[] = {0, 40, 95, 160, 230};
        for (int i = 0; i < 5; ++i) {
            float cx = 110 + i * 190.0f, cy = y0 + show_h / 2.0f;
            draw_sphere_preview(out, cx, cy, 64, *sheep, {angles[i], {1, 1, 1, 1}});
            Color tint = i == 4 ? Color{1, 0, 0, 1} : Color{1, 1, 1, 1};
            draw_sphere_preview(out, cx, cy, 80, *shell, {-angles[i], tint});
        }
    }
    if (const Image* blob = tex("body.tga"))
        draw_sphere_preview(out, 1080, y0 + show_h / 2.0f, 60, *blob, {30, {1, 1, 1, 1}});
    if (const Image* hook = tex("miniball.tga"))
        draw_sphere_preview(out, 1240, y0 + show_h / 2.0f, 45, *hook, {20, {1, 1, 1, 1}});
    if (sheep)
        draw_sphere_preview(out, 1400, y0 + show_h / 2.0f, 60, *sheep, {200, {1, 1, 1, 1}});
    y0 += show_h + GAP;
    for (const ReviewLevel& rl : levels) {
        const LevelData& L = rl.level;
        draw_backdrop(out, y0, PANEL_H, tex("stars.tga"));
        float min_x = 1e9f, max_x = -1e9f, min_y = 1e9f, max_y = -1e9f;
        for (const GroundPoint& g : L.ground) {
            min_x = std::min(min_x, g.x);
            max_x = std::max(max_x, g.x);
            min_y = std::min(min_y, g.y);
            max_y = std::max(max_y, g.y);
        }
        View v = fit_view(min_x, max_x, min_y, max_y, y0);
        for (size_t k = 0; k + 1 < L.ground.size(); ++k) {
            const GroundPoint &a = L.ground[k], &b = L.ground[k + 1];
            draw_band(out, v, a.x, a.y, b.x, b.y, L.base[k].x, L.base[k].y, L.base[k + 1].x,
                      L.base[k + 1].y, tex(segment_texture(a.type, b.type)));
        }
        for (size_t k = 0; k + 1 < L.ground.size(); ++k) {
            const GroundPoint &a = L.ground[k], &b = L.ground[k + 1];
            line(out, v.sx(a.x), v.sy(a.y), v.sx(b.x), v.sy(b.y), 2.5f, surface_color(a.type));
        }
        for (const Blob& b : L.blobs) {
            disc(out, v.sx(b.x), v.sy(b.y), 1.2f * v.scale + 2, rgb(255, 150, 40, 0.6f));
            disc(out, v.sx(b.x), v.sy(b.y), 1.2f * v.scale, rgb(255, 220, 80));
        }
        for (int i = 0; i < 2; ++i) { // the first two players' start
            float x = v.sx(2.0f * i), y = v.sy(-1);
            disc(out, x, y, v.scale + 1.5f, rgb(40, 40, 40));
            disc(out, x, y, v.scale, i == 0 ? rgb(245, 240, 225) : rgb(235, 60, 50));
        }
        std::string title = "level " + std::to_string(&rl - levels.data() + 1) + ": " + rl.name;
        draw_text(out, GAP + 2, y0 + 8, title, 2, rgb(255, 255, 255));
        y0 += PANEL_H + GAP;
    }
    // The prototypes' ground under their sky.
    const Image* sky = tex("sky.tga");
    for (int y = y0; y < y0 + PANEL_H; ++y)
        for (int x = 0; x < WIDTH; ++x)
            pixel(out, x, y) =
                sky ? pixel(*sky, x * sky->width / WIDTH, (y - y0) * sky->height / PANEL_H)
                    : rgb(100, 160, 230);
    float min_x = 1e9f, max_x = -1e9f, min_y = -12, max_y = 16;
    for (const TopPoint& t : mygame.top) {
        min_x = std::min(min_x, t.x);
        max_x = std::max(max_x, t.x);
    }
    View v = fit_view(min_x, max_x, min_y, max_y, y0);
    for (size_t k = 0; k + 1 < mygame.top.size(); ++k)
        draw_band(out, v, mygame.top[k].x, mygame.top[k].y, mygame.top[k + 1].x,
                  mygame.top[k + 1].y, mygame.bottom[k].x, mygame.bottom[k].y,
                  mygame.bottom[k + 1].x, mygame.bottom[k + 1].y, tex("Ground.tga"));
    disc(out, v.sx(0), v.sy(0), v.scale + 1, rgb(255, 170, 60));
    draw_text(out, GAP + 2, y0 + 8, "MyGame.svg: prototypes ground", 2, rgb(20, 30, 60));
    return out;
}
