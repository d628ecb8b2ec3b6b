// The raw-mouse module on scripted entry points.
#include "rawmouse/rawmouse.h"
#include "rawmouse/scripted_raw_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr RawDeviceHandle kMouseA = 0x101;
constexpr RawDeviceHandle kMouseB = 0x202;
constexpr RawDeviceHandle kRemote = 0x303;
const std::string kRemoteName = std::string(REMOTE_DESKTOP_MOUSE_PREFIX) + "7&1b2c&0&0000";

class RawMouseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rawmouse_reset_for_tests();
        scripted_raw_input_reset();
        rawmouse_set_binder(scripted_bind_raw_input);
    }
    void TearDown() override {
        rawmouse_reset_for_tests();
        scripted_raw_input_reset();
    }
    static void add_device(RawDeviceHandle device, const std::string& name,
                           uint32_t type = RIM_TYPEMOUSE) {
        scripted_raw_input().devices.push_back({device, type, name});
    }
    // Two mice with a keyboard and the remote-desktop mouse between them.
    static void add_desk() {
        add_device(kMouseA, "\\\\?\\HID#VID_046D&PID_C077#mouse-a");
        add_device(0x404, "\\\\?\\HID#keyboard", RIM_TYPEKEYBOARD);
        add_device(kRemote, kRemoteName);
        add_device(kMouseB, "\\\\?\\HID#VID_1532&PID_0084#mouse-b");
    }
    static void send(RawDeviceHandle device, int32_t dx, int32_t dy, uint16_t buttons = 0,
                     int16_t data = 0, uint16_t flags = 0) {
        ASSERT_EQ(rawmouse_handle_input(scripted_event(device, dx, dy, buttons, data, flags)), 1);
    }
};

// Two mice, a keyboard and the remote-desktop mouse, with the aggregate record 0: each
// mouse's motion, wheel notches and buttons land in its own record and in record 0, and
// motion and wheel sum until read.
TEST_F(RawMouseTest, EachMouseAndTheAggregateSumUntilRead) {
    add_desk();
    ASSERT_EQ(rawmouse_init(1, 0, 1), 1);
    ASSERT_EQ(mouse_count, 3);
    const ScriptedRawInput& s = scripted_raw_input();
    EXPECT_EQ(s.register_calls, 1);
    EXPECT_EQ(s.registration.usage_page, 1);
    EXPECT_EQ(s.registration.usage, 2);
    EXPECT_EQ(s.registration_size, sizeof(RawInputRegistration));
    send(kMouseA, 3, -2, RI_MOUSE_LEFT_BUTTON_DOWN);
    send(kMouseA, 4, -5, RI_MOUSE_RIGHT_BUTTON_DOWN | RI_MOUSE_MIDDLE_BUTTON_DOWN);
    send(kMouseB, -10, 6, RI_MOUSE_WHEEL, 240); // the wheel counts events, not their size
    send(kMouseB, 0, 0, RI_MOUSE_WHEEL, -120);
    send(kMouseB, 0, 0, RI_MOUSE_WHEEL, -120);
    send(kMouseB, 0, 0, RI_MOUSE_WHEEL, 0);
    send(kMouseB, 0, 0, 0, 120); // wheel data without the wheel flag
    send(kRemote, 50, 50);       // not included: no record, and the aggregate ignores it
    struct Read {
        int x, y, wheel, left, right, middle;
    };
    const Read reads[] = {{-3, -1, -1, 1, 1, 1}, {7, -7, 0, 1, 1, 1}, {-10, 6, -1, 0, 0, 0}};
    for (int m = 0; m < 3; ++m) {
        const Read& r = reads[m];
        EXPECT_EQ(rawmouse_take_x(m), r.x) << m;
        EXPECT_EQ(rawmouse_take_y(m), r.y) << m;
        EXPECT_EQ(rawmouse_take_wheel(m), r.wheel) << m;
        EXPECT_EQ(rawmouse_button(m, 0), r.left) << m;
        EXPECT_EQ(rawmouse_button(m, 1), r.right) << m;
        EXPECT_EQ(rawmouse_button(m, 2), r.middle) << m;
        EXPECT_EQ(rawmouse_take_x(m) | rawmouse_take_y(m) | rawmouse_take_wheel(m), 0) << m;
        EXPECT_EQ(rawmouse_button(m, 1), r.right) << "reading a button clears nothing";
    }
    // Up flags release; a press and release in one event leaves the button up.
    send(kMouseA, 0, 0, RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_UP);
    send(kMouseB, 0, 0, RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP);
    EXPECT_EQ(rawmouse_button(1, 0) + rawmouse_button(1, 1) + rawmouse_button(2, 0), 0);
    EXPECT_EQ(rawmouse_button(1, 2), 1);
    send(kMouseA, 0, 0, RI_MOUSE_MIDDLE_BUTTON_UP);
    EXPECT_EQ(rawmouse_button(1, 2), 0);
    EXPECT_EQ(rawmouse_button(1, 3) | rawmouse_button(5, 0) | rawmouse_take_x(-1), 0);
}

TEST_F(RawMouseTest, AbsoluteEventsAreAddedOnceThenSet) {
    add_desk();
    ASSERT_EQ(rawmouse_init(1, 0, 1), 1);
    send(kMouseA, 2, 2);
    send(kMouseA, 100, 200, 0, 0, MOUSE_MOVE_ABSOLUTE);
    EXPECT_EQ(rawmouse_take_x(1), 102) << "the first absolute event is still added";
    send(kMouseA, 300, 400, 0, 0, MOUSE_MOVE_ABSOLUTE);
    send(kMouseA, 310, 410, 0, 0, MOUSE_MOVE_ABSOLUTE);
    EXPECT_EQ(rawmouse_take_x(1), 310);
    EXPECT_EQ(rawmouse_take_y(1), 410);
    // The aggregate follows the device's flag, which the first absolute event had set.
    EXPECT_EQ(rawmouse_take_x(0), 310);
    send(kMouseB, 5, 5);
    EXPECT_EQ(rawmouse_take_x(0), 5) << "mouse B is relative, so the aggregate adds";
}

TEST_F(RawMouseTest, SecondInitIsRefusedAndAMouseAttachedLaterIsIgnored) {
    add_desk();
    ASSERT_EQ(rawmouse_init(0, 0, 1), 1);
    send(kMouseB, 9, 0);
    add_device(0x505, "\\\\?\\HID#late-mouse");
    testing::internal::CaptureStderr();
    EXPECT_EQ(rawmouse_init(1, 1, 1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "WARNING: rawmouse init called after initialization already completed.");
    EXPECT_EQ(mouse_count, 2);
    EXPECT_EQ(scripted_raw_input().register_calls, 1);
    send(0x505, 8, 8, RI_MOUSE_LEFT_BUTTON_DOWN);
    EXPECT_EQ(rawmouse_take_x(0), 0);
    EXPECT_EQ(rawmouse_button(0, 0), 0);
    EXPECT_EQ(rawmouse_take_x(1), 9);
}

TEST_F(RawMouseTest, RemoteDesktopMouseOnlyWhenAskedFor) {
    add_desk();
    ASSERT_EQ(rawmouse_init(0, 1, 1), 1);
    ASSERT_EQ(mouse_count, 3);
    send(kRemote, 11, 0);
    EXPECT_EQ(rawmouse_take_x(0), 0);
    EXPECT_EQ(rawmouse_take_x(1), 11) << "records keep the enumeration order";
}

struct InitFailure {
    const char* message;
    std::function<void(ScriptedRawInput&)> arrange;
};

TEST_F(RawMouseTest, EveryInitFailureWritesItsMessageAndLeavesNoMice) {
    // With the desk's three mice, device-info calls 0..5 belong to the counting pass (size and
    // name for each mouse) and 6..11 to the filling pass.
    const InitFailure failures[] = {
        {"ERROR: Unable to count raw input devices.\n", [](auto& s) { s.fail_count = true; }},
        {"ERROR: Unable to allocate memory for raw input device list.\n",
         [](auto& s) { s.huge_device_count = true; }},
        {"ERROR: Unable to get raw input device list.\n", [](auto& s) { s.fail_list = true; }},
        {"ERROR: Unable to get size of raw input device name.\n",
         [](auto& s) { s.fail_info_call = 2; }},
        {"ERROR: Unable to allocate memory for device name.\n",
         [](auto& s) { s.huge_name_from_call = 4; }},
        {"ERROR: Unable to get raw input device name.\n", [](auto& s) { s.fail_info_call = 5; }},
        {"ERROR: Unable to get size of raw input device name (2).\n",
         [](auto& s) { s.fail_info_call = 6; }},
        {"ERROR: Unable to allocate memory for raw input device name (2).\n",
         [](auto& s) { s.huge_name_from_call = 8; }},
        {"ERROR: Unable to get raw input device name (2).\n",
         [](auto& s) { s.fail_info_call = 11; }},
        {"ERROR: Unable to register raw input (2).\n", [](auto& s) { s.fail_register = true; }},
    };
    for (const InitFailure& failure : failures) {
        SCOPED_TRACE(failure.message);
        SetUp();
        add_desk();
        failure.arrange(scripted_raw_input());
        testing::internal::CaptureStderr();
        EXPECT_EQ(rawmouse_init(0, 0, 1), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), failure.message);
        EXPECT_EQ(mouse_count, 0);
        EXPECT_EQ(rawmouse_handle_input(scripted_event(kMouseA, 1, 1)), 1);
        EXPECT_EQ(rawmouse_take_x(0), 0);
    }
}

TEST_F(RawMouseTest, EventFetchFailuresLoseOnlyThatEvent) {
    add_desk();
    ASSERT_EQ(rawmouse_init(0, 0, 1), 1);
    const uintptr_t event = scripted_event(kMouseA, 5, 0);
    const struct {
        const char* message;
        std::function<void(ScriptedRawInput&)> arrange;
    } failures[] = {
        {"ERROR: Unable to add to get size of raw input header.\n",
         [](auto& s) { s.fail_event_size = true; }},
        {"ERROR: Unable to allocate memory for raw input header.\n",
         [](auto& s) { s.event_size = 0xFFFFFFF0u; }},
        {"ERROR: Unable to add to get raw input header.\n",
         [](auto& s) { s.fail_event_fetch = true; }},
        {"ERROR: Unable to add to get raw input header.\n", [](auto& s) { s.event_size = 4; }},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.message);
        ScriptedRawInput saved = scripted_raw_input();
        failure.arrange(scripted_raw_input());
        testing::internal::CaptureStderr();
        EXPECT_EQ(rawmouse_handle_input(event), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), failure.message);
        scripted_raw_input() = saved;
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(rawmouse_handle_input(0), 0) << "a handle that holds no event";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: Unable to add to get size of raw input header.\n");
    EXPECT_EQ(rawmouse_take_x(0), 0);
    EXPECT_EQ(rawmouse_handle_input(event), 1);
    EXPECT_EQ(rawmouse_take_x(0), 5);
}

} // namespace
