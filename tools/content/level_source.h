// Levels kept as readable text and compiled into level files.
//
// One statement a line; '#' starts a comment:
//   name TEXT...             title shown in the review picture
//   thickness T              depth of the ground band under the points that follow, where
//                            they give no base of their own (default 6)
//   split L                  cut segments longer than L into equal pieces (default: no cutting)
//   point X Y SURFACE [BX BY]
//                            next ground point; SURFACE (ground, ice, spikes or 1..6) is
//                            the surface of the segment that starts here; BX BY its base point
//   blob X Y                 a blob to collect
// Walking from one point to the next, open space lies on the left: a floor runs left to
// right, a ceiling right to left.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "level/level_file.h"

struct SourcePoint {
    float x = 0, y = 0;
    int surface = SURFACE_GROUND;
    std::optional<BasePoint> base; // computed from the thickness when absent
    float thickness = 6;           // band depth in force when the point was read
    int line = 0;
};

struct LevelSource {
    std::string name;
    float thickness = 6; // the value in force at the end of the file
    float split = 0;     // 0: keep segments as written
    std::vector<SourcePoint> points;
    std::vector<Blob> blobs;
};

struct LevelSourceResult {
    bool ok = false;
    std::string error; // "FILE:LINE: what is wrong"
};

// Parses `text`; `file_name` only labels the error messages.
LevelSourceResult parse_level_source(const std::string& text, const std::string& file_name,
                                     LevelSource& out);
LevelSourceResult read_level_source(const std::string& path, LevelSource& out);

// Splits long segments, fills in the base points along the ground's solid side and
// builds the records of the level file.
LevelData compile_level(const LevelSource& source);
