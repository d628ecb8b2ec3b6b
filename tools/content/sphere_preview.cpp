#include "tools/content/sphere_preview.h"

#include <cmath>

namespace {

constexpr float PI = 3.14159265f;

struct V3 {
    float x, y, z;
};

// Rotation about a unit axis (Rodrigues), applied to v.
V3 rotate(const V3& v, const V3& k, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    float dot = k.x * v.x + k.y * v.y + k.z * v.z;
    V3 cross{k.y * v.z - k.z * v.y, k.z * v.x - k.x * v.z, k.x * v.y - k.y * v.x};
    return {v.x * c + cross.x * s + k.x * dot * (1 - c),
            v.y * c + cross.y * s + k.y * dot * (1 - c),
            v.z * c + cross.z * s + k.z * dot * (1 - c)};
}

} // namespace

void draw_sphere_preview(Image& out, float cx, float cy, float radius, const Image& skin,
                         const SpherePose& pose) {
    const float diag = 1 / std::sqrt(2.0f);
    const float a = pose.angle_deg * PI / 180;
    int x0 = static_cast<int>(cx - radius - 1), x1 = static_cast<int>(cx + radius + 1);
    int y0 = static_cast<int>(cy - radius - 1), y1 = static_cast<int>(cy + radius + 1);
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            if (px < 0 || py < 0 || px >= out.width || py >= out.height)
                continue;
            float x = (px + 0.5f - cx) / radius, y = -(py + 0.5f - cy) / radius;
            float rr = x * x + y * y;
            if (rr > 1)
                continue;
            V3 n{x, y, std::sqrt(1 - rr)};
            // Undo the model turns: about z by the angle, then 90 degrees about (1, 1, 0).
            V3 o = rotate(n, {0, 0, 1}, -a);
            o = rotate(o, {diag, diag, 0}, -PI / 2);
            float s = std::atan2(-o.x, o.y) / (2 * PI);
            s -= std::floor(s);
            float t = 1 - std::acos(std::fmax(-1.0f, std::fmin(1.0f, o.z))) / PI;
            Color c = sample_wrapped(skin, s * skin.width - 0.5f, (1 - t) * skin.height - 0.5f);
            if (!skin.has_alpha)
                c.a = 1;
            if (c.a <= 0.05f)
                continue;
            float light = 0.1f + 0.9f * std::fmax(0.0f, -0.45f * x + 0.55f * y + 0.7f * n.z);
            float shine = std::pow(std::fmax(0.0f, -0.3f * x + 0.4f * y + 0.87f * n.z), 30.0f);
            Color lit{c.r * pose.tint.r * light + shine * 0.6f,
                      c.g * pose.tint.g * light + shine * 0.6f,
                      c.b * pose.tint.b * light + shine * 0.6f, c.a};
            float edge = clamp01((1 - std::sqrt(rr)) * radius + 0.5f);
            lit.a *= edge;
            blend_over(pixel(out, px, py), lit);
        }
    }
}
