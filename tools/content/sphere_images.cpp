// Skins wrapped round spheres: u runs once round the equator, v from pole to pole.
// Features are placed by angle on the sphere, so they stay round once wrapped.
#include <algorithm>
#include <cmath>

#include "tools/content/images.h"
#include "tools/content/noise.h"

namespace {

constexpr float PI = 3.14159265f;

struct Dir {
    float x, y, z;
};

Dir sphere_dir(float u, float v) {
    float lon = u * 2 * PI, lat = v * PI; // lat 0 at one pole
    return {std::sin(lat) * std::cos(lon), std::sin(lat) * std::sin(lon), -std::cos(lat)};
}

float angle_between(const Dir& a, const Dir& b) {
    float d = a.x * b.x + a.y * b.y + a.z * b.z;
    return std::acos(std::clamp(d, -1.0f, 1.0f));
}

template <typename F> Image paint_sphere(int w, int h, bool alpha, F&& f) {
    Image img = make_image(w, h, alpha);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float u = (x + 0.5f) / w, v = 1 - (y + 0.5f) / h; // row 0 is the top: v = 1
            pixel(img, x, y) = f(u, v, sphere_dir(u, v));
        }
    return img;
}

// Fleece of little curls: the nearest of one jittered point per cell, brightest at its
// middle. Cells wrap round the equator so the skin has no seam.
float curl_shade(float u, float v) {
    const int cols = 28, rows = 14;
    float cx = u * cols, cy = v * rows;
    int ix = static_cast<int>(std::floor(cx)), iy = static_cast<int>(std::floor(cy));
    float best = 10;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int gx = ix + dx, gy = iy + dy;
            int wx = ((gx % cols) + cols) % cols;
            float px = gx + 0.2f + 0.6f * hash_unit(wx, gy, 152);
            float py = gy + 0.2f + 0.6f * hash_unit(wx, gy, 153);
            best = std::min(best, std::hypot(cx - px, cy - py));
        }
    return clamp01(1.1f - best * 1.3f);
}

} // namespace

Image make_shell_texture() {
    // Six round windows (four round the equator, one at each pole) in a cream shell
    // with gold rims and panel seams. The windows are clear so the sheep inside shows.
    std::vector<Dir> windows;
    for (int k = 0; k < 4; ++k)
        windows.push_back(sphere_dir(0.125f + 0.25f * k, 0.5f));
    windows.push_back({0, 0, -1});
    windows.push_back({0, 0, 1});
    const float window_r = 0.5f, rim_r = 0.6f;
    return paint_sphere(256, 128, true, [&](float u, float v, Dir d) {
        float nearest = 10;
        Dir wc{};
        for (const Dir& w : windows) {
            float a = angle_between(d, w);
            if (a < nearest) {
                nearest = a;
                wc = w;
            }
        }
        float grain = fractal_noise(u * 16, v * 8, 16, 3, 141);
        Color shell = mix(rgb(250, 246, 232), rgb(222, 214, 196), grain);
        // Seams halfway between windows.
        float seam_lon = std::fmod(u * 4 + 10, 1.0f);
        seam_lon = std::min(seam_lon, 1 - seam_lon);
        float seam = (1 - smoothstep(0.0f, 0.025f, seam_lon)) * std::sin(v * PI);
        float lat_seam = std::min(std::fabs(v - 0.25f), std::fabs(v - 0.75f));
        seam = std::max(seam, 1 - smoothstep(0.0f, 0.012f, lat_seam));
        shell = mix(shell, rgb(150, 130, 100), seam * 0.7f);
        if (nearest < window_r) {
            // Clear glass with a faint reflection near one edge.
            float refl = smoothstep(window_r * 0.5f, window_r, nearest) *
                         clamp01(0.5f + (d.z - wc.z) * 2.0f + (d.x - wc.x));
            return Color{0.85f, 0.95f, 1.0f, refl * 0.35f};
        }
        if (nearest < rim_r) {
            float t = (nearest - window_r) / (rim_r - window_r);
            float ridge = std::sin(t * PI);
            Color rim = mix(rgb(140, 100, 30), rgb(255, 214, 110), ridge);
            // Rivets round the rim.
            float around = std::atan2(d.y - wc.y, d.x - wc.x + d.z - wc.z);
            float rivet = std::fabs(std::sin(around * 6)) > 0.93f && std::fabs(t - 0.5f) < 0.3f;
            return mix(rim, rgb(255, 250, 230), rivet * 0.8f);
        }
        return shell;
    });
}

Image make_minisheep_texture() {
    // Fleece all round with a black face, eyes and ears on one side.
    const Dir face = sphere_dir(0.25f, 0.52f);
    const Dir eye_l = sphere_dir(0.215f, 0.6f), eye_r = sphere_dir(0.285f, 0.6f);
    const Dir ear_l = sphere_dir(0.14f, 0.7f), ear_r = sphere_dir(0.36f, 0.7f);
    const Dir nose = sphere_dir(0.25f, 0.4f);
    return paint_sphere(256, 128, false, [&](float u, float v, Dir d) {
        float curl = curl_shade(u, v);
        Color wool = mix(rgb(168, 160, 150), rgb(255, 255, 250), curl);
        float fa = angle_between(d, face);
        if (angle_between(d, ear_l) < 0.2f || angle_between(d, ear_r) < 0.2f)
            return rgb(46, 38, 38);
        if (fa < 0.72f) {
            Color skin = mix(rgb(34, 30, 32), rgb(66, 58, 58), fa / 0.72f);
            for (const Dir& e : {eye_l, eye_r}) {
                float ea = angle_between(d, e);
                if (ea < 0.07f)
                    return rgb(10, 10, 20);
                if (ea < 0.15f)
                    return rgb(255, 255, 255);
            }
            float na = angle_between(d, nose);
            if (na < 0.09f)
                return rgb(220, 130, 140);
            return skin;
        }
        return wool;
    });
}

Image make_blob_texture() {
    // A glowing gold gem, hottest at its middle, thinning to translucent tips.
    return paint_sphere(64, 64, true, [&](float u, float v, Dir) {
        float mid = 1 - std::fabs(v - 0.5f) * 2;
        float swirl = 0.5f + 0.5f * std::sin((u * 6 + v * 3) * 2 * PI);
        float sparkle = fractal_noise(u * 8, v * 8, 8, 2, 161);
        Color c = mix(rgb(255, 90, 40), rgb(255, 200, 40), smoothstep(0.1f, 0.7f, mid));
        c = mix(c, rgb(255, 255, 200), smoothstep(0.6f, 1.0f, mid) * 0.8f);
        c = mix(c, rgb(255, 255, 255), swirl * sparkle * 0.35f);
        c.a = smoothstep(0.02f, 0.3f, mid); // clear at the poles: soft tips
        return c;
    });
}

Image make_hook_texture() {
    // Polished steel with two dark grooves.
    return paint_sphere(64, 32, false, [&](float u, float v, Dir) {
        float shine = 0.5f + 0.5f * std::cos((u * 2 + 0.2f) * 2 * PI);
        Color c = mix(rgb(90, 96, 110), rgb(230, 236, 245), shine);
        if (std::fabs(v - 0.35f) < 0.04f || std::fabs(v - 0.65f) < 0.04f)
            c = scale_rgb(c, 0.4f);
        return c;
    });
}

std::vector<NamedImage> make_all_images() {
    Image ground = make_ground_texture();
    Image ice = make_ice_texture();
    Image spikes = make_spikes_texture();
    std::vector<NamedImage> all;
    all.push_back({"head.tga", make_head_texture()});
    all.push_back({"Ground.tga", ground});
    all.push_back({"sheep.tga", make_sheep_texture()});
    all.push_back({"pointer.tga", make_pointer_texture()});
    all.push_back({"gdust.tga", make_dust_texture()});
    all.push_back({"HANDLE.tga", make_handle_texture()});
    all.push_back({"BALL.tga", make_ball_texture()});
    all.push_back({"body.tga", make_blob_texture()});
    all.push_back({"glimbo.tga", make_shell_texture()});
    all.push_back({"ice.tga", ice});
    all.push_back({"spikes.tga", spikes});
    all.push_back({"minisheep.tga", make_minisheep_texture()});
    all.push_back({"miniball.tga", make_hook_texture()});
    all.push_back({"stars.tga", make_stars_texture()});
    all.push_back({"ground2spikes.tga", make_transition_texture(ground, spikes, 171)});
    all.push_back({"spikes2ground.tga", make_transition_texture(spikes, ground, 172)});
    all.push_back({"ground2ice.tga", make_transition_texture(ground, ice, 173)});
    all.push_back({"ice2ground.tga", make_transition_texture(ice, ground, 174)});
    all.push_back({"spikes2ice.tga", make_transition_texture(spikes, ice, 175)});
    all.push_back({"ice2spikes.tga", make_transition_texture(ice, spikes, 176)});
    all.push_back({"foot.tga", make_foot_texture()});
    all.push_back({"sky.tga", make_sky_texture()});
    all.push_back({"STICK.tga", make_stick_texture()});
    for (int i = 1; i <= 8; ++i)
        all.push_back({"cloud" + std::to_string(i) + ".tga", make_cloud_texture(i)});
    return all;
}
