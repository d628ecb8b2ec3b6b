#include "tools/content/icons.h"

#include <cmath>
#include <filesystem>

#include "level/safe_file.h"
#include "tools/content/images.h"
#include "tools/content/png_writer.h"
#include "tools/content/sphere_preview.h"

namespace {

constexpr int ICON_SIZES[] = {48, 128};

// A line `width` pixels wide from (x0, y0) to (x1, y1), its edge softened over a pixel.
void draw_line(Image& img, float x0, float y0, float x1, float y1, float width, Color c) {
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = clamp01((px * dx + py * dy) / len2);
            const float d = std::hypot(px - t * dx, py - t * dy);
            Color paint = c;
            paint.a *= clamp01(width / 2 - d + 0.5f);
            if (paint.a > 0)
                blend_over(pixel(img, x, y), paint);
        }
    }
}

// `src` scaled onto the square of side `side` whose top left corner is (x0, y0).
void paste(Image& img, const Image& src, float x0, float y0, float side) {
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            const float u = (x + 0.5f - x0) / side, v = (y + 0.5f - y0) / side;
            if (u < 0 || v < 0 || u >= 1 || v >= 1)
                continue;
            Color c = sample_wrapped(src, u * src.width - 0.5f, v * src.height - 0.5f);
            if (!src.has_alpha)
                c.a = 1;
            blend_over(pixel(img, x, y), c);
        }
    }
}

// A player as the game shows it: the sheep inside its shell with windows.
void draw_player(Image& img, float cx, float cy, float radius, float angle) {
    draw_sphere_preview(img, cx, cy, radius * 0.8f, make_minisheep_texture(),
                        {angle, {1, 1, 1, 1}});
    draw_sphere_preview(img, cx, cy, radius, make_shell_texture(), {-angle, {1, 1, 1, 1}});
}

} // namespace

std::vector<NamedImage> make_icons(int size) {
    const float s = static_cast<float>(size);
    const Color clear{1, 1, 1, 0};

    // The game: a player beside a gold blob.
    Image glimbo = make_image(size, size, true, clear);
    draw_player(glimbo, s * 0.42f, s * 0.58f, s * 0.38f, 30);
    draw_sphere_preview(glimbo, s * 0.82f, s * 0.2f, s * 0.15f, make_blob_texture(), {});

    // The earlier edition: a player hanging from a rope hooked at the top right.
    Image rope = make_image(size, size, true, clear);
    draw_line(rope, s * 0.40f, s * 0.62f, s * 0.84f, s * 0.16f, s * 0.05f, rgb(70, 70, 70));
    draw_sphere_preview(rope, s * 0.84f, s * 0.16f, s * 0.11f, make_hook_texture(), {});
    draw_player(rope, s * 0.36f, s * 0.64f, s * 0.32f, -20);

    // The level editor: a slope of ground under the editor's pointer.
    Image editor = make_image(size, size, true, clear);
    const Image ground = make_ground_texture();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (y + 0.5f > s * 0.95f - (x + 0.5f) * 0.5f) // under the slope's top edge
                blend_over(pixel(editor, x, y),
                           sample_wrapped(ground, x * 128.0f / s, y * 128.0f / s));
    draw_line(editor, 0, s * 0.95f, s, s * 0.45f, s * 0.04f, rgb(255, 255, 255));
    paste(editor, make_pointer_texture(), s * 0.12f, s * 0.05f, s * 0.6f);

    return {{"glimbo", glimbo}, {"glimbo-ropegame", rope}, {"glimbo-leveledit", editor}};
}

bool write_icons(const std::string& dir, std::string& error) {
    namespace fs = std::filesystem;
    for (int size : ICON_SIZES) {
        const fs::path folder =
            fs::path(dir) / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) {
            error = "cannot create " + folder.string() + ": " + ec.message();
            return false;
        }
        for (const NamedImage& icon : make_icons(size))
            if (!write_file_atomically((folder / (icon.name + ".png")).string(),
                                       encode_png(icon.image), error))
                return false;
    }
    return true;
}
