// Ground, ice and spikes for the ground band, their transitions, and the backdrops.
// Band textures tile horizontally (one copy per segment) and keep the surface at the top.
#include <algorithm>
#include <cmath>

#include "tools/content/images.h"
#include "tools/content/noise.h"

namespace {

constexpr int SURFACE_SIZE = 128;

float periodic_noise(float x, float y, float cells, int octaves, unsigned seed) {
    return fractal_noise(x / SURFACE_SIZE * cells, y / SURFACE_SIZE * cells,
                         static_cast<int>(cells), octaves, seed);
}

} // namespace

Image make_ground_texture() {
    const int n = SURFACE_SIZE;
    Image img = make_image(n, n, false);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            // Soil: warm brown, darker with depth, mottled.
            float mottle = periodic_noise(fx, fy, 8, 4, 11);
            float depth = fy / n;
            Color soil = mix(rgb(138, 94, 56), rgb(74, 48, 30), depth * 0.8f);
            soil = scale_rgb(soil, 0.75f + 0.5f * mottle);
            // Layers of finer grit.
            float grit = hash_unit(x, y, 5);
            soil = scale_rgb(soil, 0.92f + 0.16f * grit);
            pixel(img, x, y) = soil;
        }
    }
    // Pebbles: one or none per 16-pixel cell, shaded from the top left.
    for (int cy = 2; cy < 8; ++cy) {
        for (int cx = 0; cx < 8; ++cx) {
            if (hash_unit(cx, cy, 21) < 0.35f)
                continue;
            float px = (cx + 0.2f + 0.6f * hash_unit(cx, cy, 22)) * 16;
            float py = (cy + 0.2f + 0.6f * hash_unit(cx, cy, 23)) * 16;
            float rx = 3.0f + 3.5f * hash_unit(cx, cy, 24), ry = rx * 0.7f;
            Color stone = mix(rgb(120, 112, 100), rgb(170, 150, 120), hash_unit(cx, cy, 25));
            for (int dy = -8; dy <= 8; ++dy) {
                for (int dx = -8; dx <= 8; ++dx) {
                    int x = ((static_cast<int>(px) + dx) % n + n) % n;
                    int y = static_cast<int>(py) + dy;
                    if (y < 0 || y >= n)
                        continue;
                    float ex = (dx + 0.5f) / rx, ey = (dy + 0.5f) / ry;
                    float d = std::sqrt(ex * ex + ey * ey);
                    float cover = clamp01((1 - d) * rx);
                    if (cover <= 0)
                        continue;
                    float light = 1.1f - 0.35f * (ex + ey);
                    Color c = scale_rgb(stone, light);
                    c.a = cover;
                    blend_over(pixel(img, x, y), c);
                }
            }
        }
    }
    // Grass: a wavy band of blades on top, with a dark rim where it meets the soil.
    for (int x = 0; x < n; ++x) {
        float fx = static_cast<float>(x);
        float edge = 16 + 8 * periodic_noise(fx, 0, 16, 3, 31);
        float blade = hash_unit(x, 0, 32);
        for (int y = 0; y < n; ++y) {
            float fy = static_cast<float>(y);
            Color& p = pixel(img, x, y);
            if (fy < edge) {
                float t = fy / edge;
                Color grass = mix(rgb(140, 205, 70), rgb(52, 130, 38), t);
                grass = scale_rgb(grass, 0.8f + 0.35f * blade * (1 - t));
                float streak = periodic_noise(fx * 4, fy * 0.5f, 32, 2, 33);
                p = scale_rgb(grass, 0.85f + 0.3f * streak);
            } else if (fy < edge + 4) {
                p = scale_rgb(p, 0.55f + 0.1f * (fy - edge));
            }
        }
    }
    return img;
}

Image make_ice_texture() {
    const int n = SURFACE_SIZE;
    Image img = make_image(n, n, false);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            float depth = fy / n;
            Color ice = mix(rgb(200, 236, 255), rgb(70, 140, 205), depth);
            float cloud = periodic_noise(fx, fy, 4, 4, 41);
            ice = mix(ice, rgb(235, 248, 255), 0.35f * cloud * (1 - depth * 0.5f));
            // Cracks: thin ridges of the noise field, bright edged.
            float ridge = std::fabs(periodic_noise(fx, fy, 8, 3, 42) - 0.5f);
            float crack = 1 - smoothstep(0.0f, 0.02f, ridge);
            ice = mix(ice, rgb(40, 95, 160), crack * 0.6f);
            float glint = 1 - smoothstep(0.02f, 0.035f, ridge);
            ice = mix(ice, rgb(255, 255, 255), glint * (1 - crack) * 0.35f);
            // Frost along the surface.
            float frost = 1 - smoothstep(2.0f, 9.0f + 4 * cloud, fy);
            ice = mix(ice, rgb(250, 254, 255), frost * 0.85f);
            pixel(img, x, y) = ice;
        }
    }
    // Sparkles.
    Dice dice(43);
    for (int i = 0; i < 40; ++i) {
        int sx = static_cast<int>(dice.range(0, n)), sy = static_cast<int>(dice.range(0, n));
        for (int d = -2; d <= 2; ++d) {
            float k = d == 0 ? 1.0f : 0.45f / std::abs(d);
            Color w = {1, 1, 1, k};
            blend_over(pixel(img, (sx + d + n) % n, sy), w);
            if (sy + d >= 0 && sy + d < n)
                blend_over(pixel(img, sx, sy + d), w);
        }
    }
    return img;
}

Image make_spikes_texture() {
    const int n = SURFACE_SIZE;
    const int spikes = 8, spike_w = n / spikes, spike_h = 56;
    Image img = make_image(n, n, false);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = static_cast<float>(x), fy = static_cast<float>(y);
            // Behind and below the spikes: dark rock glowing red towards the spikes.
            float rock = periodic_noise(fx, fy, 8, 4, 51);
            Color base = mix(rgb(40, 26, 30), rgb(82, 60, 62), rock);
            float glow = smoothstep(spike_h + 20.0f, 6.0f, fy);
            base = mix(base, rgb(170, 30, 20), glow * 0.7f);
            if (fy > spike_h) {
                // Glowing cracks in the rock under the plate.
                float vein = std::fabs(periodic_noise(fx, fy, 8, 2, 52) - 0.5f);
                base = mix(base, rgb(200, 60, 30), (1 - smoothstep(0.0f, 0.03f, vein)) * 0.5f);
            }
            if (fy > spike_h && fy < spike_h + 8) {
                float t = (fy - spike_h) / 8;
                base = mix(rgb(150, 150, 160), rgb(60, 60, 70), t);
            }
            // Spike k: a triangle from its tip at the top to the plate.
            float local = std::fmod(fx, static_cast<float>(spike_w)) + 0.5f;
            float half = spike_w * 0.5f;
            float rel = (local - half) / half; // -1 .. 1 across the spike
            float widen = clamp01(fy / spike_h);
            float inside = widen * 0.98f - std::fabs(rel);
            if (fy <= spike_h && inside > -0.06f) {
                float cover = clamp01(inside * 16 + 1);
                float light = rel < 0 ? 1.0f - 0.3f * (1 + rel) : 0.55f - 0.25f * rel;
                Color steel = scale_rgb(rgb(200, 205, 220), light);
                steel = mix(steel, rgb(255, 255, 255), (1 - widen) * 0.5f); // bright tips
                base = mix(base, steel, cover);
            }
            pixel(img, x, y) = base;
        }
    }
    return img;
}

Image make_transition_texture(const Image& from, const Image& to, unsigned seed) {
    Image img = make_image(from.width, from.height, false);
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            float u = (x + 0.5f) / img.width;
            float wobble = fractal_noise(u * 4, y * 4.0f / img.height, 0, 3, seed) - 0.5f;
            // The segment keeps its own surface over most of its length and turns into the
            // next one near its end, so the join to the neighbour has no seam.
            float t = smoothstep(0.45f, 0.95f, u + wobble * 0.25f);
            pixel(img, x, y) = mix(pixel(from, x, y), pixel(to, x, y), t);
        }
    }
    return img;
}

Image make_stars_texture() {
    const int n = 256;
    Image img = make_image(n, n, false);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = x * 4.0f / n, fy = y * 4.0f / n;
            float neb = fractal_noise(fx, fy, 4, 5, 61);
            float neb2 = fractal_noise(fx + 9, fy + 3, 4, 4, 62);
            Color c = rgb(6, 8, 22);
            c = mix(c, rgb(70, 30, 110), smoothstep(0.45f, 0.85f, neb) * 0.6f);
            c = mix(c, rgb(20, 70, 120), smoothstep(0.5f, 0.9f, neb2) * 0.5f);
            pixel(img, x, y) = c;
        }
    }
    // Stars wrap around the edges so copies of the texture meet without seams.
    Dice dice(63);
    auto add = [&](int x, int y, Color c, float k) {
        Color& p = pixel(img, ((x % n) + n) % n, ((y % n) + n) % n);
        p.r = clamp01(p.r + c.r * k);
        p.g = clamp01(p.g + c.g * k);
        p.b = clamp01(p.b + c.b * k);
    };
    for (int i = 0; i < 420; ++i) {
        float sx = dice.range(0, n), sy = dice.range(0, n);
        float bright = std::pow(dice.unit(), 3.0f);
        float tint = dice.unit();
        Color c = tint < 0.3f   ? rgb(255, 220, 180)
                  : tint < 0.6f ? rgb(190, 210, 255)
                                : rgb(255, 255, 255);
        float radius = 0.6f + 1.4f * bright;
        for (int dy = -3; dy <= 3; ++dy) {
            for (int dx = -3; dx <= 3; ++dx) {
                float ox = std::floor(sx) + dx + 0.5f - sx, oy = std::floor(sy) + dy + 0.5f - sy;
                float d2 = (ox * ox + oy * oy) / (radius * radius);
                add(static_cast<int>(sx) + dx, static_cast<int>(sy) + dy, c,
                    (0.35f + 0.9f * bright) * std::exp(-2.5f * d2));
            }
        }
        if (bright > 0.45f) { // glints on the bright ones
            for (int d = -6; d <= 6; ++d) {
                float k = 0.5f * bright * (1 - std::abs(d) / 7.0f);
                add(static_cast<int>(sx) + d, static_cast<int>(sy), c, k);
                add(static_cast<int>(sx), static_cast<int>(sy) + d, c, k);
            }
        }
    }
    return img;
}

Image make_sky_texture() {
    const int n = 256;
    Image img = make_image(n, n, false);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float t = static_cast<float>(y) / (n - 1);
            Color c = mix(rgb(38, 88, 196), rgb(120, 180, 240), smoothstep(0.0f, 0.6f, t));
            c = mix(c, rgb(250, 222, 190), smoothstep(0.55f, 1.0f, t) * 0.8f);
            float haze = fractal_noise(x / 64.0f, y / 24.0f, 0, 4, 71);
            c = mix(c, rgb(255, 255, 255), smoothstep(0.55f, 0.9f, haze) * 0.18f);
            pixel(img, x, y) = c;
        }
    }
    return img;
}

Image make_cloud_texture(int index) {
    // Eight shapes: puffs along a flat base, from a small pair to a towering heap and
    // long thin banks.
    struct Shape {
        int puffs;
        float span, size, height, stretch;
    };
    const Shape shapes[8] = {{5, 0.55f, 0.20f, 0.55f, 1.0f}, {7, 0.70f, 0.17f, 0.45f, 1.0f},
                             {4, 0.40f, 0.24f, 0.70f, 1.0f}, {9, 0.80f, 0.12f, 0.30f, 1.3f},
                             {6, 0.75f, 0.14f, 0.35f, 1.5f}, {3, 0.45f, 0.19f, 0.50f, 1.0f},
                             {6, 0.50f, 0.25f, 0.95f, 0.9f}, {8, 0.62f, 0.10f, 0.25f, 1.6f}};
    const Shape& sh = shapes[(index - 1) % 8];
    const int n = 128;
    Image img = make_image(n, n, true, {1, 1, 1, 0});
    Dice dice(80 + index);
    struct Puff {
        float x, y, r;
    };
    std::vector<Puff> puffs;
    const float base = n * 0.68f;
    for (int i = 0; i < sh.puffs; ++i) {
        float t = sh.puffs == 1 ? 0.5f : static_cast<float>(i) / (sh.puffs - 1);
        float middle = 1.15f - std::fabs(t - 0.5f) * 1.2f; // taller in the middle
        float cx = n * (0.5f + (t - 0.5f) * sh.span) + dice.range(-3, 3);
        float r = n * sh.size * (0.75f + 0.45f * dice.unit()) * middle;
        float cy = base - r * (0.3f + sh.height * dice.range(0.6f, 1.2f));
        puffs.push_back({cx, cy, r});
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            // Density from the strongest puff; light blended over all puffs so the
            // puffs merge without seams.
            float density = 0, light_sum = 0, weight = 0;
            for (const Puff& p : puffs) {
                float d = std::hypot((fx - p.x) / sh.stretch, fy - p.y) / p.r;
                float k = clamp01(1.25f - d);
                density = std::max(density, k);
                float w = k * k * k + 1e-6f;
                light_sum += w * clamp01((p.y - fy) / p.r * 0.6f + 0.5f);
                weight += w;
            }
            float top_light = light_sum / weight;
            density *= smoothstep(base + 4, base - 6, fy);
            float fluff = fractal_noise(fx / 10, fy / 10, 0, 3, 90 + index);
            float alpha = smoothstep(0.05f, 0.45f, density + (fluff - 0.5f) * 0.25f);
            Color c = mix(rgb(172, 186, 210), rgb(255, 255, 255), 0.3f + 0.7f * top_light);
            c.a = alpha * 0.95f;
            pixel(img, x, y) = c;
        }
    }
    return img;
}
