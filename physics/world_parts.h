// The records both games build their worlds from: rope nodes and ropes, sheep, the trail's
// dust puffs and the world-wide values (gravity, camera, light, clock, frame rate).
#pragma once

#include <array>
#include <cstdint>

constexpr int ROPE_NODE_COUNT = 11; // 12 links between the anchor and the ball
constexpr int ROPES_PER_PLAYER = 3; // the third slot is never fired
constexpr int FLOCK_SIZE = 200;
constexpr int FRAME_RATE_HISTORY = 100;
constexpr int TRAIL_LENGTH = 100;

struct RopeNode {
    float x = 0, y = 0;
    float prev_x = 0, prev_y = 0;
};

// What a rope's far end is hooked on.
enum class AnchorKind : int32_t {
    own = 0,    // the rope's own anchor_x/anchor_y (hooked on the ground)
    sheep = 1,  // sheep `index` of the flock
    player = 2, // player `index`
};

struct AnchorRef {
    AnchorKind kind = AnchorKind::own;
    int32_t index = 0;
};

struct Rope {
    float anchor_x = 0, anchor_y = 0;
    float hit_distance = 0;   // scratch of the latest shot
    float segment_length = 0; // rest length of one of the 12 links
    float node_weight = 0;    // share of a correction for node 0 (the ball when rigid)
    float anchor_weight = 0;  // share of a correction for the anchored point
    AnchorRef anchor;
    float hit_x = 0, hit_y = 0; // scratch of the latest shot
    uint8_t rigid = 0;
    uint8_t attached = 0;
    std::array<RopeNode, ROPE_NODE_COUNT> nodes{}; // node 0 next to the anchor
};

struct Sheep {
    float x = 0, y = 0;
    float prev_x = 0, prev_y = 0;
    float radius = 0;
};

// One dust puff of the renderer's trail; kept here because a level reset clears it.
struct TrailPuff {
    float x = 0, y = 0;
    int32_t life = 0;
    uint8_t alive = 0;
};

// The world values both games keep alike: gravity, camera, light, clock and frame rate.
struct WorldCommon {
    float gravity_x = 0, gravity_y = -0.05f;
    float camera_x = 0, camera_y = 0;
    float camera_distance = 20;
    float light_x = 1, light_y = 1;
    float time_taken = 0; // ms

    std::array<float, FRAME_RATE_HISTORY> frame_rate_history{}; // newest first
    float frame_rate = 0;
    int blobs_left = 0;
};
