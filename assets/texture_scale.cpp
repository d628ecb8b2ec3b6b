#include "assets/texture_scale.h"

#include <algorithm>
#include <cmath>

uint32_t nearest_power_of_two(uint32_t value) {
    uint32_t power = 1;
    while (power * 2 <= value && power < 0x80000000u) {
        power *= 2;
    }
    // Between power and 2 × power: the upper one when at least as near.
    if (power < 0x80000000u && value - power >= power * 2 - value) {
        power *= 2;
    }
    return power;
}

namespace {

// Resamples along one axis: `count` lines of `old_len` pixels become lines of `new_len`.
// `step` is the distance between neighbouring pixels of a line, `line_step` between lines.
void scale_axis(const std::vector<float>& src, std::vector<float>& dst, uint32_t count,
                uint32_t old_len, uint32_t new_len, size_t src_step, size_t src_line,
                size_t dst_step, size_t dst_line, uint32_t components) {
    const double ratio = double(old_len) / new_len;
    for (uint32_t line = 0; line < count; ++line) {
        for (uint32_t i = 0; i < new_len; ++i) {
            const double lo = i * ratio;
            const double hi = (i + 1) * ratio;
            const uint32_t first = uint32_t(lo);
            const uint32_t last = std::min(old_len - 1, uint32_t(std::ceil(hi)) - 1);
            for (uint32_t c = 0; c < components; ++c) {
                double sum = 0;
                for (uint32_t k = first; k <= last; ++k) {
                    const double cover = std::min(hi, k + 1.0) - std::max(lo, double(k));
                    sum += cover * src[line * src_line + k * src_step + c];
                }
                dst[line * dst_line + i * dst_step + c] = float(sum / ratio);
            }
        }
    }
}

} // namespace

std::vector<uint8_t> scale_pixels(const std::vector<uint8_t>& src, uint32_t width, uint32_t height,
                                  uint32_t components, uint32_t new_width, uint32_t new_height) {
    // An empty side on either end leaves nothing to scale (and would divide by zero).
    if (width == 0 || height == 0 || new_width == 0 || new_height == 0 ||
        src.size() < size_t(width) * height * components) {
        return {};
    }
    std::vector<float> in(src.begin(), src.begin() + long(size_t(width) * height * components));
    // Rows first (height lines of width pixels), then columns.
    std::vector<float> wide(size_t(new_width) * height * components);
    scale_axis(in, wide, height, width, new_width, components, size_t(width) * components,
               components, size_t(new_width) * components, components);
    std::vector<float> out(size_t(new_width) * new_height * components);
    scale_axis(wide, out, new_width, height, new_height, size_t(new_width) * components, components,
               size_t(new_width) * components, components, components);
    std::vector<uint8_t> bytes(out.size());
    std::transform(out.begin(), out.end(), bytes.begin(),
                   [](float v) { return uint8_t(std::clamp(std::lround(v), 0l, 255l)); });
    return bytes;
}
