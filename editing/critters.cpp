#include "editing/critters.h"

#include "platform/random.h"

float random_scaled(float range) {
    return static_cast<float>(random_next()) * range / static_cast<float>(RANDOM_MAX);
}

Sheep spawn_sheep() {
    Sheep s;
    float x = random_scaled(10);
    float y = random_scaled(10);
    s.body = make_mass(x, y, 1);
    return s;
}

std::vector<Sheep> spawn_flock(int count) {
    std::vector<Sheep> flock;
    for (int i = 0; i < count; ++i)
        flock.push_back(spawn_sheep());
    return flock;
}

void integrate_sheep(Mass& s, float gravity) {
    float vx = (s.x - s.px) + random_scaled(0.2f) - 0.1f;
    float vy = (s.y - s.py) + random_scaled(0.2f) - 0.1f;
    s.x += 0.95f * vx;
    s.y += 0.95f * vy + 0.1f * gravity;
    s.px += vx;
    s.py += vy;
    if (random_next() * 100 / RANDOM_MAX == 5) // about one step in a hundred
        s.y += 0.3f;
}

void bounce_sheep_on_floor(Mass& s) {
    float floor = s.radius + FLOOR_Y;
    if (s.y < floor) {
        s.y = s.y - 2 * (s.y - s.py);
        if (s.y < floor)
            s.y = floor;
    }
}

std::vector<Cloud> make_clouds(int count) {
    std::vector<Cloud> clouds;
    for (int i = 0; i < count; ++i) {
        Cloud c;
        c.x = random_scaled(300);
        c.y = random_scaled(15);
        c.depth = -30 - random_scaled(60);
        clouds.push_back(c);
    }
    return clouds;
}

int cloud_texture_slot(int index) {
    return 10 + static_cast<int>(0.8f * index);
}
