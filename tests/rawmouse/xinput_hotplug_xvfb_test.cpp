// The XInput2 backend's device list under Xvfb as devices are removed and added: one record
// per pointer, an X id handed to another device brings no record along, and the same device
// coming back resumes its record.
#include "platform/raw_input.h"
#include "rawmouse/rawmouse.h"

#include "tests/support/x_client.h"
#include "tests/support/xvfb_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

class XInputHotplugTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(xvfb.start()) << "Xvfb did not start";
        setenv("DISPLAY", xvfb.display().c_str(), 1);
        unsetenv("GLIMBO_MICE");
        ASSERT_TRUE(x.open(xvfb.display()));
    }
    void TearDown() override {
        rawmouse_reset_for_tests();
        raw_input_unbind();
    }

    // Pumps raw input into the module until mouse `marker` has moved `x` in all.
    bool pump_until_marker(int marker, int x) {
        return wait_until([&] {
            std::vector<uintptr_t> handles;
            raw_input_collect_events(handles);
            for (uintptr_t handle : handles) {
                rawmouse_handle_input(handle);
                for (int i = 0; i < mouse_count; ++i)
                    moved[i] += rawmouse_take_x(i);
            }
            return moved[marker] >= x;
        });
    }

    XvfbServer xvfb; // stops after the client below has closed
    XClient x;
    int moved[8] = {};
};

TEST_F(XInputHotplugTest, AReusedIdGetsNoRecordTheSameDeviceResumesIt) {
    // Masters bring XTEST pointers of their own, which get records when remote mice count.
    const int alpha_id = x.add_master("Alpha");
    ASSERT_NE(alpha_id, 0);
    ASSERT_EQ(rawmouse_init(0, 1, 1), 1);
    ASSERT_EQ(mouse_count, 3) << "the core XTEST pointer, the Xvfb mouse and Alpha's";
    ASSERT_TRUE(x.move(5, 0, "Alpha XTEST pointer"));
    ASSERT_TRUE(pump_until_marker(2, 5));

    // Alpha goes, Beta comes and receives Alpha's X id: its motion reaches no record.
    ASSERT_TRUE(x.remove_master("Alpha"));
    ASSERT_EQ(x.add_master("Beta"), alpha_id);
    ASSERT_TRUE(x.move(7, 0, "Beta XTEST pointer"));
    ASSERT_TRUE(x.move(1, 0, "Xvfb mouse")); // after Beta's motion: marks it as handled
    ASSERT_TRUE(pump_until_marker(1, 1));
    EXPECT_EQ(moved[2], 5);

    // Alpha back (on the same id again): its record goes on.
    ASSERT_TRUE(x.remove_master("Beta"));
    ASSERT_EQ(x.add_master("Alpha"), alpha_id);
    ASSERT_TRUE(x.move(3, 0, "Alpha XTEST pointer"));
    ASSERT_TRUE(pump_until_marker(2, 8));
    EXPECT_EQ(moved[0], 0);
    EXPECT_EQ(moved[1], 1);
    ASSERT_TRUE(x.remove_master("Alpha"));
}

} // namespace
