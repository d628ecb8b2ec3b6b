// An RGBA picture in floats, top row first, with the few painting helpers the
// procedural textures need.
#pragma once

#include <string>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

struct Image {
    int width = 0;
    int height = 0;
    bool has_alpha = false;    // written as 32-bit when set, 24-bit otherwise
    std::vector<Color> pixels; // row-major, row 0 at the top
};

Image make_image(int width, int height, bool has_alpha, Color fill = {0, 0, 0, 1});
Color& pixel(Image& img, int x, int y);
const Color& pixel(const Image& img, int x, int y);
// Bilinear sample with wrap-around, u and v in pixels.
Color sample_wrapped(const Image& img, float u, float v);

Color mix(const Color& a, const Color& b, float t);
Color scale_rgb(const Color& c, float k);
Color rgb(int r, int g, int b, float a = 1);
float clamp01(float v);
float smoothstep(float e0, float e1, float x);
// Paints `c` over the pixel with its alpha as coverage (straight alpha).
void blend_over(Color& dst, const Color& c);

struct NamedImage {
    std::string name; // file name without folder, e.g. "Ground.tga"
    Image image;
};
