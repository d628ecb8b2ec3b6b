// XInput2 raw events turned into raw-input mouse events, without an X server.
#include "platform/xinput_event_translation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

// Each event as its flags, button flags, wheel data, x and y.
using Fields = std::vector<std::array<int, 5>>;
Fields fields(const std::vector<RawInputEvent>& events) {
    Fields out;
    for (const RawInputEvent& e : events) {
        const RawMouseData& m = e.mouse;
        out.push_back({m.flags, m.button_flags, m.button_data, m.last_x, m.last_y});
    }
    return out;
}

// Motion takes the values before acceleration; the scroll valuator gives one wheel event per
// notch and keeps the rest of a notch for the next event.
TEST(XInputTranslation, MotionAndScrollValuators) {
    PointerAxes axes;
    axes.vertical_scroll_valuator = 3;
    axes.scroll_increment = 15;
    const std::array<int, 5> down = {0, RI_MOUSE_WHEEL, -120, 0, 0};
    const std::pair<RawValuators, Fields> steps[] = {
        {{{0, 3, 6}, {1, -4, -8}}, {{0, 0, 0, 3, -4}}},
        {{{1, 6, 6}}, {{0, 0, 0, 0, 6}}}, // y alone
        {{{3, 0, 30}}, {down, down}},     // two notches downwards
        {{{3, 0, -7.5}}, {}},
        {{{3, 0, -7.5}}, {{0, RI_MOUSE_WHEEL, 120, 0, 0}}}, // two half notches make one
        {{{3, 0, NAN}}, {}},
        {{{2, 0, 15}}, {}}, // not the scroll valuator
    };
    for (const auto& [valuators, events] : steps) {
        EXPECT_EQ(fields(translate_motion(axes, valuators)), events);
    }
    EXPECT_EQ(translate_motion(axes, {{3, 0, 1e12}}).size(), 64u) << "garbage is bounded";
}

TEST(XInputTranslation, ButtonsMapToLeftRightMiddleAndWheel) {
    const struct {
        int button;
        bool press;
        int flags, data; // flags 0: no event
    } cases[] = {
        {1, true, RI_MOUSE_LEFT_BUTTON_DOWN, 0},
        {1, false, RI_MOUSE_LEFT_BUTTON_UP, 0},
        {3, true, RI_MOUSE_RIGHT_BUTTON_DOWN, 0},
        {3, false, RI_MOUSE_RIGHT_BUTTON_UP, 0},
        {2, true, RI_MOUSE_MIDDLE_BUTTON_DOWN, 0},
        {2, false, RI_MOUSE_MIDDLE_BUTTON_UP, 0},
        {4, true, RI_MOUSE_WHEEL, 120},
        {5, true, RI_MOUSE_WHEEL, -120},
        {4, false, 0, 0},
        {5, false, 0, 0},
        {8, true, 0, 0},
        {0, true, 0, 0},
    };
    for (const auto& c : cases) {
        const Fields expected = c.flags ? Fields{{0, c.flags, c.data, 0, 0}} : Fields{};
        EXPECT_EQ(fields(translate_button(c.button, c.press)), expected) << c.button << c.press;
    }
}

} // namespace
