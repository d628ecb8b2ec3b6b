#include "tools/content/image.h"

#include <algorithm>
#include <cmath>

Image make_image(int width, int height, bool has_alpha, Color fill) {
    Image img;
    img.width = width;
    img.height = height;
    img.has_alpha = has_alpha;
    img.pixels.assign(static_cast<size_t>(width) * height, fill);
    return img;
}

Color& pixel(Image& img, int x, int y) {
    return img.pixels[static_cast<size_t>(y) * img.width + x];
}

const Color& pixel(const Image& img, int x, int y) {
    return img.pixels[static_cast<size_t>(y) * img.width + x];
}

Color sample_wrapped(const Image& img, float u, float v) {
    float fu = std::floor(u), fv = std::floor(v);
    float tu = u - fu, tv = v - fv;
    auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
    int x0 = wrap(static_cast<int>(fu), img.width), x1 = wrap(x0 + 1, img.width);
    int y0 = wrap(static_cast<int>(fv), img.height), y1 = wrap(y0 + 1, img.height);
    Color top = mix(pixel(img, x0, y0), pixel(img, x1, y0), tu);
    Color bottom = mix(pixel(img, x0, y1), pixel(img, x1, y1), tu);
    return mix(top, bottom, tv);
}

Color mix(const Color& a, const Color& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Color scale_rgb(const Color& c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Color rgb(int r, int g, int b, float a) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

void blend_over(Color& dst, const Color& c) {
    float a = clamp01(c.a);
    float out_a = a + dst.a * (1 - a);
    // A fully transparent result keeps the painted colour so filtered edges do not darken.
    if (out_a <= 0) {
        dst = {c.r, c.g, c.b, 0};
        return;
    }
    dst.r = (c.r * a + dst.r * dst.a * (1 - a)) / out_a;
    dst.g = (c.g * a + dst.g * dst.a * (1 - a)) / out_a;
    dst.b = (c.b * a + dst.b * dst.a * (1 - a)) / out_a;
    dst.a = out_a;
}
