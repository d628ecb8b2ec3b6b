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
    // Button; the flags of its press and of its release (0: no event) and the wheel data.
    const std::array<int, 4> buttons[] = {
        {1, RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_LEFT_BUTTON_UP, 0},
        {3, RI_MOUSE_RIGHT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_UP, 0},
        {2, RI_MOUSE_MIDDLE_BUTTON_DOWN, RI_MOUSE_MIDDLE_BUTTON_UP, 0},
        {4, RI_MOUSE_WHEEL, 0, 120},
        {5, RI_MOUSE_WHEEL, 0, -120},
        {8, 0, 0, 0},
        {0, 0, 0, 0}};
    for (const auto& [button, down, up, data] : buttons) {
        for (const bool press : {true, false}) {
            const int flags = press ? down : up;
            const Fields expected = flags ? Fields{{0, flags, data, 0, 0}} : Fields{};
            EXPECT_EQ(fields(translate_button(button, press)), expected) << button << press;
        }
    }
}

} // namespace
