#include "tools/content/level_source.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "level/safe_file.h"

namespace {

std::string where(const std::string& file, int line) {
    return file + ":" + std::to_string(line) + ": ";
}

// A number token in full: "3x" or "1e99" (beyond float range) is refused.
bool parse_number(const std::string& token, float& out) {
    try {
        size_t used = 0;
        double v = std::stod(token, &used);
        if (used != token.size() || !std::isfinite(v) || std::fabs(v) > 1e6)
            return false;
        out = static_cast<float>(v);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool parse_surface(const std::string& token, int& out) {
    if (token == "ground")
        out = SURFACE_GROUND;
    else if (token == "ice")
        out = SURFACE_ICE;
    else if (token == "spikes")
        out = SURFACE_SPIKES;
    else if (token.size() == 1 && token[0] >= '1' && token[0] <= '6')
        out = token[0] - '0';
    else
        return false;
    return true;
}

struct Vec {
    float x, y;
};

// Unit normal of the segment a -> b towards its solid side (right of the walking direction).
Vec solid_normal(const SourcePoint& a, const SourcePoint& b) {
    float dx = b.x - a.x, dy = b.y - a.y;
    float len = std::hypot(dx, dy);
    if (len <= 0) // repeated point (the parser refuses them): no direction to offset along
        return {0, 0};
    return {dy / len, -dx / len};
}

} // namespace

LevelSourceResult parse_level_source(const std::string& text, const std::string& file_name,
                                     LevelSource& out) {
    LevelSource level;
    LevelSourceResult result;
    std::istringstream lines(text);
    std::string raw;
    int line_no = 0;
    auto fail = [&](const std::string& msg) {
        result.error = where(file_name, line_no) + msg;
        return result;
    };
    while (std::getline(lines, raw)) {
        ++line_no;
        std::string line = raw.substr(0, raw.find('#'));
        std::istringstream in(line);
        std::vector<std::string> tok;
        for (std::string t; in >> t;)
            tok.push_back(t);
        if (tok.empty())
            continue;
        const std::string& word = tok[0];
        std::vector<float> nums;
        if (word == "name") {
            level.name = line.substr(line.find("name") + 4);
            size_t first = level.name.find_first_not_of(" \t");
            size_t last = level.name.find_last_not_of(" \t\r");
            level.name =
                first == std::string::npos ? "" : level.name.substr(first, last - first + 1);
            continue;
        }
        if (word == "thickness" || word == "split") {
            float v = 0;
            if (tok.size() != 2 || !parse_number(tok[1], v))
                return fail("'" + word + "' wants one number");
            if (v <= 0)
                return fail("'" + word + "' must be greater than zero");
            // Tiny pieces would cut a long segment into millions of points.
            if (word == "split" && v < 0.5f)
                return fail("'split' below 0.5 makes segments too small to see");
            (word == "thickness" ? level.thickness : level.split) = v;
            continue;
        }
        if (word == "point") {
            if (tok.size() != 4 && tok.size() != 6)
                return fail("'point' wants X Y SURFACE and optionally BASE_X BASE_Y");
            SourcePoint p;
            p.line = line_no;
            p.thickness = level.thickness;
            float bx = 0, by = 0;
            if (!parse_number(tok[1], p.x) || !parse_number(tok[2], p.y))
                return fail("bad coordinate in 'point'");
            if (!parse_surface(tok[3], p.surface))
                return fail("unknown surface '" + tok[3] + "' (ground, ice, spikes or 1..6)");
            if (tok.size() == 6) {
                if (!parse_number(tok[4], bx) || !parse_number(tok[5], by))
                    return fail("bad base coordinate in 'point'");
                p.base = BasePoint{bx, by};
            }
            // A zero-length segment has no direction: the collision would divide by zero.
            if (!level.points.empty() && level.points.back().x == p.x &&
                level.points.back().y == p.y)
                return fail("point repeats the previous one");
            level.points.push_back(p);
            continue;
        }
        if (word == "blob") {
            Blob b;
            if (tok.size() != 3 || !parse_number(tok[1], b.x) || !parse_number(tok[2], b.y))
                return fail("'blob' wants X Y");
            level.blobs.push_back(b);
            continue;
        }
        return fail("unknown statement '" + word + "'");
    }
    // One point makes no segment: a level with nothing to stand on.
    if (level.points.size() < 2) {
        line_no = std::max(line_no, 1);
        return fail("a level needs at least two points");
    }
    out = std::move(level);
    result.ok = true;
    return result;
}

LevelSourceResult read_level_source(const std::string& path, LevelSource& out) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (read_whole_file(path, bytes, error) != FileReadStatus::ok)
        return {false, path + ": " + error};
    return parse_level_source(std::string(bytes.begin(), bytes.end()), path, out);
}

LevelData compile_level(const LevelSource& source) {
    // Cut long segments so each band quad shows its texture at a sensible scale.
    std::vector<SourcePoint> pts;
    for (size_t i = 0; i < source.points.size(); ++i) {
        const SourcePoint& a = source.points[i];
        pts.push_back(a);
        if (i + 1 == source.points.size() || source.split <= 0)
            continue;
        const SourcePoint& b = source.points[i + 1];
        float len = std::hypot(b.x - a.x, b.y - a.y);
        // Capped so a source built in code with a tiny split cannot explode the level.
        int pieces = static_cast<int>(std::min(1000.0f, std::ceil(len / source.split - 1e-3f)));
        for (int k = 1; k < pieces; ++k) {
            float t = static_cast<float>(k) / pieces;
            SourcePoint m = a;
            m.x = a.x + (b.x - a.x) * t;
            m.y = a.y + (b.y - a.y) * t;
            if (a.base && b.base)
                m.base = BasePoint{a.base->x + (b.base->x - a.base->x) * t,
                                   a.base->y + (b.base->y - a.base->y) * t};
            else
                m.base.reset();
            pts.push_back(m);
        }
    }
    LevelData level;
    for (size_t i = 0; i < pts.size(); ++i) {
        const SourcePoint& p = pts[i];
        GroundPoint g;
        g.x = p.x;
        g.y = p.y;
        g.type = p.surface;
        level.ground.push_back(g);
        if (p.base) {
            level.base.push_back(*p.base);
            continue;
        }
        // Mitre of the neighbouring segments' solid-side normals, so the band keeps its
        // thickness round bends; sharp bends are capped at three times the thickness.
        Vec n{0, 0};
        float cos_half = 1;
        if (i > 0 && i + 1 < pts.size()) {
            Vec n1 = solid_normal(pts[i - 1], p), n2 = solid_normal(p, pts[i + 1]);
            Vec sum{n1.x + n2.x, n1.y + n2.y};
            float len = std::hypot(sum.x, sum.y);
            if (len > 1e-4f) {
                n = {sum.x / len, sum.y / len};
                cos_half = std::max(1.0f / 3, n.x * n1.x + n.y * n1.y);
            } else { // the line turns straight back: fall back to one side
                n = n1;
            }
        } else if (i > 0) {
            n = solid_normal(pts[i - 1], p);
        } else {
            n = solid_normal(p, pts[i + 1]);
        }
        float depth = p.thickness / cos_half;
        level.base.push_back({p.x + n.x * depth, p.y + n.y * depth});
    }
    level.blobs = source.blobs;
    return level;
}
