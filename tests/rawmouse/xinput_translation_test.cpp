// XInput2 raw events turned into raw-input mouse events, without an X server.
#include "platform/xinput_event_translation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

RawValuators xy(double x, double y) {
    return {{0, x, x * 2}, {1, y, y * 2}};
}

TEST(XInputTranslation, RelativeMotionUsesUnacceleratedValues) {
    PointerAxes axes;
    auto events = translate_motion(axes, xy(3, -4));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].mouse.last_x, 3);
    EXPECT_EQ(events[0].mouse.last_y, -4);
    EXPECT_EQ(events[0].mouse.flags, 0);
    EXPECT_EQ(events[0].mouse.button_flags, 0);

    events = translate_motion(axes, {{1, 6, 6}}); // y alone
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].mouse.last_x, 0);
    EXPECT_EQ(events[0].mouse.last_y, 6);
}

TEST(XInputTranslation, ScrollValuatorGivesOneWheelEventPerNotch) {
    PointerAxes axes;
    axes.vertical_scroll_valuator = 3;
    axes.scroll_increment = 15;
    auto events = translate_motion(axes, {{3, 0, 30}});
    ASSERT_EQ(events.size(), 2u) << "two notches downwards";
    EXPECT_EQ(events[0].mouse.button_flags, RI_MOUSE_WHEEL);
    EXPECT_EQ(events[0].mouse.button_data, -120);
    EXPECT_TRUE(translate_motion(axes, {{3, 0, -7.5}}).empty());
    events = translate_motion(axes, {{3, 0, -7.5}});
    ASSERT_EQ(events.size(), 1u) << "two half notches make one";
    EXPECT_EQ(events[0].mouse.button_data, 120);
    EXPECT_EQ(translate_motion(axes, {{3, 0, 1e12}}).size(), 64u) << "garbage is bounded";
    EXPECT_TRUE(translate_motion(axes, {{3, 0, NAN}}).empty());
    EXPECT_TRUE(translate_motion(axes, {{2, 0, 15}}).empty()) << "not the scroll valuator";
}

TEST(XInputTranslation, ButtonsMapToLeftRightMiddleAndWheel) {
    const struct {
        int button;
        bool press;
        uint16_t flags;
        int16_t data;
    } cases[] = {
        {1, true, RI_MOUSE_LEFT_BUTTON_DOWN, 0},
        {1, false, RI_MOUSE_LEFT_BUTTON_UP, 0},
        {3, true, RI_MOUSE_RIGHT_BUTTON_DOWN, 0},
        {3, false, RI_MOUSE_RIGHT_BUTTON_UP, 0},
        {2, true, RI_MOUSE_MIDDLE_BUTTON_DOWN, 0},
        {2, false, RI_MOUSE_MIDDLE_BUTTON_UP, 0},
        {4, true, RI_MOUSE_WHEEL, 120},
        {5, true, RI_MOUSE_WHEEL, -120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const auto events = translate_button(c.button, c.press);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].mouse.button_flags, c.flags);
        EXPECT_EQ(events[0].mouse.button_data, c.data);
    }
    for (const auto& [button, press] : {std::pair{4, false}, {5, false}, {8, true}, {0, true}}) {
        EXPECT_TRUE(translate_button(button, press).empty()) << button;
    }
}

} // namespace
