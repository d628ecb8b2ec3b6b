// Flat sprites: pointer, menu button and handle, the prototypes' creature, sheep and stick.
// Everything outside a shape is fully transparent so the games' alpha test drops it.
#include <algorithm>
#include <cmath>

#include "tools/content/images.h"
#include "tools/content/noise.h"

namespace {

// Coverage of a pixel by a disc, with one pixel of soft edge.
float disc(float x, float y, float cx, float cy, float r) {
    return clamp01(r - std::hypot(x - cx, y - cy) + 0.5f);
}

float ellipse(float x, float y, float cx, float cy, float rx, float ry) {
    float d = std::hypot((x - cx) / rx, (y - cy) / ry);
    return clamp01((1 - d) * std::min(rx, ry) + 0.5f);
}

// Paints `c` with `cover` over pixel (x, y).
void over(Image& img, int x, int y, Color c, float cover) {
    if (cover <= 0)
        return;
    c.a *= cover;
    blend_over(pixel(img, x, y), c);
}

// Shading of a lit sphere seen head-on: light from the upper left.
Color sphere_shade(Color base, float nx, float ny) {
    float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
    float diffuse = clamp01(-0.5f * nx - 0.6f * ny + 0.62f * nz);
    Color c = scale_rgb(base, 0.3f + 0.85f * diffuse);
    float shine = std::pow(clamp01(-0.35f * nx - 0.45f * ny + 0.82f * nz), 40.0f);
    return mix(c, rgb(255, 255, 255), shine * 0.9f);
}

} // namespace

Image make_pointer_texture() {
    const int n = 64;
    Image img = make_image(n, n, true, {1, 1, 1, 0});
    const float c = n / 2.0f;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float d = std::hypot(fx - c, fy - c);
            // A white ring and four ticks with a dark outline, a dot in the middle.
            float ring = clamp01(2.6f - std::fabs(d - 20) + 0.5f);
            float outline = clamp01(4.2f - std::fabs(d - 20) + 0.5f);
            float ax = std::fabs(fx - c), ay = std::fabs(fy - c);
            float tick_h = (ax > 8 && ax < 30 && ay < 2.2f) ? 1.0f : 0.0f;
            float tick_v = (ay > 8 && ay < 30 && ax < 2.2f) ? 1.0f : 0.0f;
            float tick_oh = (ax > 6.5f && ax < 31.5f && ay < 3.7f) ? 1.0f : 0.0f;
            float tick_ov = (ay > 6.5f && ay < 31.5f && ax < 3.7f) ? 1.0f : 0.0f;
            float dot = disc(fx, fy, c, c, 3.0f);
            float dot_o = disc(fx, fy, c, c, 4.6f);
            float white = std::max({ring, tick_h, tick_v, dot});
            float dark = std::max({outline, tick_oh, tick_ov, dot_o});
            over(img, x, y, rgb(30, 30, 40, 0.85f), dark);
            over(img, x, y, rgb(255, 255, 255), white);
        }
    }
    return img;
}

Image make_dust_texture() {
    const int w = 64, h = 64;
    Image img = make_image(w, h, true, {0.8f, 0.7f, 0.55f, 0});
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float v = (y + 0.5f) / h;
            float puff = fractal_noise(x / 8.0f, y / 8.0f, 8, 4, 101);
            float fade = smoothstep(0.0f, 0.3f, v) * smoothstep(1.0f, 0.7f, v);
            float a = smoothstep(0.35f, 0.6f, puff) * fade;
            Color c = mix(rgb(150, 120, 90), rgb(235, 215, 185), puff);
            c.a = a * 0.9f;
            pixel(img, x, y) = c;
        }
    }
    return img;
}

Image make_handle_texture() {
    const int n = 128;
    Image img = make_image(n, n, true, {0.95f, 0.85f, 0.55f, 0});
    const float c = n / 2.0f, r = n / 2.0f - 3;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float nx = (x + 0.5f - c) / r, ny = (y + 0.5f - c) / r;
            // A rounded square (superellipse): a knob as a handle, a pill as a button.
            float s =
                std::pow(std::pow(std::fabs(nx), 4.0f) + std::pow(std::fabs(ny), 4.0f), 0.25f);
            float cover = clamp01((1 - s) * r + 0.5f);
            if (cover <= 0)
                continue;
            float rim = smoothstep(0.78f, 0.98f, s);
            Color base = mix(rgb(255, 236, 170), rgb(214, 160, 60), 0.5f + 0.5f * ny);
            base = mix(base, rgb(150, 95, 30), rim * 0.8f);
            // Gloss across the upper half.
            float gloss = smoothstep(0.1f, -0.55f, ny) * smoothstep(0.95f, 0.6f, s);
            base = mix(base, rgb(255, 255, 255), gloss * 0.55f);
            over(img, x, y, base, cover);
        }
    }
    return img;
}

Image make_ball_texture() {
    const int n = 64;
    Image img = make_image(n, n, true, {0.3f, 0.3f, 0.35f, 0});
    const float c = n / 2.0f, r = n / 2.0f - 2;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float nx = (x + 0.5f - c) / r, ny = (y + 0.5f - c) / r;
            float cover = disc(x + 0.5f, y + 0.5f, c, c, r);
            if (cover <= 0)
                continue;
            Color iron = rgb(105, 108, 120);
            // A band of rivets around the middle.
            float band = std::fabs(ny) < 0.12f ? 1.0f : 0.0f;
            iron = mix(iron, rgb(160, 120, 60), band * 0.8f);
            over(img, x, y, sphere_shade(iron, nx, ny), cover);
        }
    }
    return img;
}

Image make_head_texture() {
    const int n = 128;
    Image img = make_image(n, n, true, {1, 0.7f, 0.3f, 0});
    const float c = n / 2.0f, r = n / 2.0f - 4;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float nx = (fx - c) / r, ny = (fy - c) / r;
            float head = disc(fx, fy, c, c, r);
            if (head <= 0)
                continue;
            float fur = fractal_noise(fx / 6, fy / 6, 0, 2, 111);
            Color skin = mix(rgb(255, 176, 64), rgb(240, 120, 40), fur * 0.6f);
            Color col = sphere_shade(skin, nx * 0.9f, ny * 0.9f);
            over(img, x, y, rgb(120, 60, 20), head);
            over(img, x, y, col, disc(fx, fy, c, c, r - 2.5f));
            // Looking right: two eyes, a smile.
            for (float ex : {c + 8.0f, c + 34.0f}) {
                over(img, x, y, rgb(40, 20, 10), disc(fx, fy, ex, c - 12, 13));
                over(img, x, y, rgb(255, 255, 255), disc(fx, fy, ex, c - 12, 11));
                over(img, x, y, rgb(30, 30, 60), disc(fx, fy, ex + 4, c - 11, 5.5f));
                over(img, x, y, rgb(255, 255, 255), disc(fx, fy, ex + 2, c - 14, 1.8f));
            }
            float mouth = std::hypot(fx - (c + 22), fy - (c + 6));
            if (fy > c + 14 && std::fabs(mouth - 16) < 2.2f)
                over(img, x, y, rgb(110, 40, 20), clamp01(2.2f - std::fabs(mouth - 16)));
            over(img, x, y, rgb(255, 120, 110, 0.5f), ellipse(fx, fy, c + 46, c + 10, 7, 4));
        }
    }
    return img;
}

Image make_foot_texture() {
    const int n = 64;
    Image img = make_image(n, n, true, {0.6f, 0.2f, 0.1f, 0});
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            // A trainer pointing right: high heel counter, long rounded toe, thick sole.
            float upper =
                std::max(ellipse(fx, fy, 24, 30, 16, 18), ellipse(fx, fy, 38, 40, 22, 12));
            float sole = (fy > 44 && fy < 56 && fx > 6 && fx < 62)
                             ? std::min(ellipse(fx, fy, 34, 44, 29, 14), 1.0f)
                             : 0.0f;
            if (upper <= 0 && sole <= 0)
                continue;
            float shade = 1.1f - 0.45f * (fy / n);
            over(img, x, y, rgb(90, 20, 15), upper);
            over(img, x, y, scale_rgb(rgb(210, 52, 36), shade), std::max(0.0f, upper - 0.08f));
            over(img, x, y, rgb(255, 190, 170, 0.55f), ellipse(fx, fy, 44, 35, 8, 3));
            over(img, x, y, rgb(248, 244, 236), sole);
            if (fy > 52)
                over(img, x, y, rgb(70, 64, 64), sole);
            // Laces across the instep.
            for (int k = 0; k < 3; ++k)
                over(img, x, y, rgb(250, 250, 250),
                     ellipse(fx, fy, 30.0f + k * 6, 26.0f + k * 3, 3.2f, 1.6f));
        }
    }
    return img;
}

Image make_sheep_texture() {
    const int n = 128;
    Image img = make_image(n, n, true, {0.95f, 0.95f, 0.92f, 0});
    Dice dice(121);
    struct Curl {
        float x, y, r;
    };
    std::vector<Curl> curls;
    for (int i = 0; i < 26; ++i) {
        float a = dice.range(0, 6.2832f), d = std::sqrt(dice.unit());
        curls.push_back({58 + std::cos(a) * d * 30, 62 + std::sin(a) * d * 20, dice.range(9, 14)});
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            // Legs first, behind the body.
            for (float lx : {38.0f, 52.0f, 70.0f, 84.0f}) {
                float leg = (std::fabs(fx - lx) < 4 && fy > 70 && fy < 108) ? 1.0f : 0.0f;
                over(img, x, y, rgb(40, 34, 34), leg);
                if (fy > 102)
                    over(img, x, y, rgb(15, 12, 12), leg);
            }
            // Fleece: overlapping curls, each shaded from the top.
            for (const Curl& c : curls) {
                float cover = disc(fx, fy, c.x, c.y, c.r);
                if (cover <= 0)
                    continue;
                float t = clamp01((fy - c.y) / c.r * 0.5f + 0.5f);
                Color wool = mix(rgb(255, 255, 250), rgb(200, 198, 190), t);
                over(img, x, y, rgb(170, 165, 160), disc(fx, fy, c.x, c.y, c.r + 1.2f));
                over(img, x, y, wool, cover);
            }
            // Head on the right with ears and an eye.
            over(img, x, y, rgb(30, 28, 30), ellipse(fx, fy, 100, 52, 14, 17));
            over(img, x, y, rgb(30, 28, 30), ellipse(fx, fy, 88, 38, 10, 5));
            over(img, x, y, rgb(255, 255, 255), disc(fx, fy, 104, 47, 4));
            over(img, x, y, rgb(0, 0, 0), disc(fx, fy, 105.5f, 47, 2));
            over(img, x, y, rgb(250, 250, 245), ellipse(fx, fy, 96, 38, 9, 7));
        }
    }
    return img;
}

Image make_stick_texture() {
    const int w = 32, h = 128;
    Image img = make_image(w, h, false);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float u = (x + 0.5f) / w;
            // Wood grain runs along the stick (v); rounded shading across it (u).
            float grain = fractal_noise(x / 3.0f, y / 40.0f, 0, 3, 131);
            float rings = 0.5f + 0.5f * std::sin(grain * 30);
            Color wood = mix(rgb(170, 112, 58), rgb(120, 74, 36), rings * 0.6f);
            float round = std::sin(u * 3.14159f);
            pixel(img, x, y) = scale_rgb(wood, 0.45f + 0.65f * round);
        }
    }
    return img;
}
