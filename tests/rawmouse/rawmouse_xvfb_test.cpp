// The raw-mouse module on the XInput2 layer, against an Xvfb of the test's own: input
// injected on the "Xvfb mouse" device reaches the records, the XTEST pointer's does not.
#include "platform/raw_input.h"
#include "rawmouse/rawmouse.h"

#include "tests/support/xvfb_injector.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(30);

XvfbServer xvfb;

// What the records gave over all passes, as the window procedure reads them.
struct Totals {
    int x = 0, y = 0, wheel = 0;
};

class RawMouseXvfbTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(xvfb.start()) << "Xvfb did not start";
        setenv("DISPLAY", xvfb.display().c_str(), 1);
    }
    static void TearDownTestSuite() {
        rawmouse_reset_for_tests();
        xinput_unbind_raw_input();
        xvfb.stop();
    }
    void SetUp() override {
        rawmouse_reset_for_tests();
        ASSERT_TRUE(injector.open(xvfb.display()));
    }
    void TearDown() override { injector.close(); }

    // Runs the message pump until done() holds or the deadline passes: wait on the X
    // connection, collect the raw events, hand each to the module, then read every mouse.
    bool pump_until(const std::function<bool()>& done) {
        const auto until = Clock::now() + kDeadline;
        while (Clock::now() < until) {
            std::vector<uintptr_t> handles;
            xinput_collect_raw_events(handles);
            for (uintptr_t handle : handles) {
                EXPECT_EQ(rawmouse_handle_input(handle), 1);
                collected += 1;
                for (int i = 0; i < mouse_count; ++i) {
                    totals[i].wheel += rawmouse_take_wheel(i);
                    totals[i].y += rawmouse_take_y(i);
                    totals[i].x += rawmouse_take_x(i);
                }
            }
            if (done()) {
                return true;
            }
            pollfd p{xinput_connection_fd(), POLLIN, 0};
            poll(&p, 1, 100);
        }
        return false;
    }

    XvfbInjector injector;
    Totals totals[4];
    int collected = 0;
};

TEST_F(RawMouseXvfbTest, DeviceMotionAndClicksReachTheRecordButTheXtestPointerDoesNot) {
    ASSERT_EQ(rawmouse_init(0, 0, 1), 1);
    ASSERT_EQ(mouse_count, 1) << "the Xvfb mouse alone: the XTEST pointer is a remote mouse";
    ASSERT_GE(xinput_connection_fd(), 0);

    injector.move(3, 4);
    injector.move(4, -1);
    injector.button(1, true);
    ASSERT_TRUE(pump_until([&] { return rawmouse_button(0, 0) == 1; }));
    EXPECT_EQ(totals[0].x, 7);
    EXPECT_EQ(totals[0].y, 3);
    EXPECT_EQ(rawmouse_button(0, 1), 0);

    injector.button(3, true);
    injector.button(1, false);
    ASSERT_TRUE(pump_until([&] { return rawmouse_button(0, 0) == 0; }));
    EXPECT_EQ(rawmouse_button(0, 1), 1);

    // The XTEST pointer's motion comes first; the device's marker motion after it shows
    // that everything before has been through the module.
    injector.move_xtest_pointer(20, 30);
    injector.move(1, 0);
    ASSERT_TRUE(pump_until([&] { return totals[0].x == 8; }));
    EXPECT_EQ(totals[0].y, 3);
    EXPECT_EQ(collected, 7) << "the XTEST pointer's event is collected but applied to no one";
}

TEST_F(RawMouseXvfbTest, RemoteMouseFlagGivesTheXtestPointerARecord) {
    ASSERT_EQ(rawmouse_init(0, 1, 1), 1);
    ASSERT_EQ(mouse_count, 2);
    // The server lists its XTEST pointer before the Xvfb mouse.
    injector.move_xtest_pointer(5, 6);
    injector.move(2, 0);
    ASSERT_TRUE(pump_until([&] { return totals[1].x == 2; }));
    EXPECT_EQ(totals[0].x, 5);
    EXPECT_EQ(totals[0].y, 6);
}

TEST_F(RawMouseXvfbTest, DeviceNamesAndSpentHandles) {
    RawInputApi api;
    ASSERT_TRUE(xinput_bind_raw_input(api));
    RawInputDeviceEntry entries[8];
    uint32_t count = 0;
    ASSERT_EQ(api.get_device_list(nullptr, &count, sizeof(RawInputDeviceEntry)), 0u);
    ASSERT_EQ(count, 2u);
    uint32_t too_few = 1;
    EXPECT_EQ(api.get_device_list(entries, &too_few, sizeof(RawInputDeviceEntry)), RAW_INPUT_ERROR);
    EXPECT_EQ(too_few, 2u);
    count = 8;
    ASSERT_EQ(api.get_device_list(entries, &count, sizeof(RawInputDeviceEntry)), 2u);
    std::vector<std::string> names;
    for (uint32_t i = 0; i < 2; ++i) {
        uint32_t size = 0;
        ASSERT_EQ(api.get_device_info(entries[i].device, RIDI_DEVICENAME, nullptr, &size), 0u);
        std::string name(size, '?');
        ASSERT_EQ(api.get_device_info(entries[i].device, RIDI_DEVICENAME, name.data(), &size),
                  size);
        name.resize(size - 1);
        names.push_back(name);
    }
    EXPECT_EQ(names[0], std::string(REMOTE_DESKTOP_MOUSE_PREFIX) + "Virtual core XTEST pointer");
    EXPECT_EQ(names[1], "Xvfb mouse");
    uint32_t size = 0;
    EXPECT_EQ(api.get_device_info(9999, RIDI_DEVICENAME, nullptr, &size), RAW_INPUT_ERROR);

    // More events than any fixed ring would hold: the first still waits; a fetched one is spent.
    const RawInputRegistration mice{HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_MOUSE, 0};
    ASSERT_EQ(api.register_devices(&mice, 1, sizeof mice), 1);
    std::vector<uintptr_t> handles;
    for (int i = 0; i < 1100; ++i) {
        injector.move(1, 0);
    }
    const auto until = Clock::now() + kDeadline;
    while (handles.size() < 1100 && Clock::now() < until) {
        xinput_collect_raw_events(handles);
        pollfd p{xinput_connection_fd(), POLLIN, 0};
        poll(&p, 1, 100);
    }
    ASSERT_EQ(handles.size(), 1100u);
    RawInputEvent event;
    size = sizeof event;
    EXPECT_EQ(api.get_data(handles.front(), RID_INPUT, &event, &size, sizeof(RawInputHeader)),
              sizeof event);
    EXPECT_EQ(api.get_data(handles.front(), RID_INPUT, &event, &size, sizeof(RawInputHeader)),
              RAW_INPUT_ERROR);
    ASSERT_EQ(api.get_data(handles.back(), RID_INPUT, &event, &size, sizeof(RawInputHeader)),
              sizeof event);
    EXPECT_EQ(event.header.device, entries[1].device);
    EXPECT_EQ(event.mouse.last_x, 1);
    EXPECT_EQ(event.mouse.last_y, 0);
}

TEST(RawMouseNoDisplay, BindingFailsWithoutAnXServer) {
    xinput_unbind_raw_input();
    unsetenv("DISPLAY");
    rawmouse_reset_for_tests();
    EXPECT_EQ(rawmouse_init(0, 0, 1), 0);
    EXPECT_EQ(xinput_connection_fd(), -1);
    std::vector<uintptr_t> handles;
    xinput_collect_raw_events(handles);
    EXPECT_TRUE(handles.empty());
}

} // namespace
