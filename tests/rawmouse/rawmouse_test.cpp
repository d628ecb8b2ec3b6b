// The raw-mouse module on scripted entry points.
#include "rawmouse/rawmouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The four entry points over a device list and events that each test sets up, answering as
// the real layer does. `fail` names the answer that goes wrong.
struct Script {
    std::vector<std::pair<RawInputDeviceEntry, std::string>> devices;
    std::vector<RawInputEvent> events; // the handle of events[i] is i + 1
    std::string fail;
    int bad_info_call = -1; // this device-info call fails
    int info_calls = 0;
};
Script script;

int register_devices(const RawInputRegistration* r, uint32_t count, uint32_t entry_size) {
    // The one registration the games need: mice, no flags.
    const bool mice = count == 1 && entry_size == sizeof *r && r->usage_page == 1 &&
                      r->usage == 2 && r->flags == 0;
    return mice && script.fail != "register";
}

uint32_t get_device_list(RawInputDeviceEntry* list, uint32_t* count, uint32_t) {
    if (script.fail == (list ? "list" : "count")) {
        return RAW_INPUT_ERROR;
    }
    const auto found = static_cast<uint32_t>(script.devices.size());
    if (!list) {
        // "vanished": a device goes away between the count and the list.
        *count = script.fail == "vanished" ? found + 1 : found;
        return 0;
    }
    for (uint32_t i = 0; i < found; ++i) {
        list[i] = script.devices[i].first;
    }
    return found;
}

uint32_t get_device_info(RawDeviceHandle device, uint32_t, void* data, uint32_t* size) {
    const bool bad = script.info_calls++ == script.bad_info_call;
    const auto it = std::ranges::find_if(script.devices,
                                         [&](const auto& d) { return d.first.device == device; });
    if (it == script.devices.end() || bad) {
        return RAW_INPUT_ERROR;
    }
    const auto needed = static_cast<uint32_t>(it->second.size() + 1);
    if (!data) {
        *size = needed;
        return 0;
    }
    std::memcpy(data, it->second.c_str(), needed);
    return needed;
}

uint32_t get_data(uintptr_t handle, uint32_t, void* data, uint32_t* size, uint32_t) {
    constexpr auto whole = static_cast<uint32_t>(sizeof(RawInputEvent));
    if (handle - 1 >= script.events.size()) {
        return RAW_INPUT_ERROR;
    }
    if (!data) {
        *size = whole;
        return 0;
    }
    std::memcpy(data, &script.events[handle - 1], whole);
    return whole;
}

bool bind_script(RawInputApi& api) {
    api = {register_devices, get_device_list, get_device_info, get_data};
    if (script.fail == "missing") {
        api.get_data = nullptr;
    }
    return script.fail != "bind";
}

constexpr RawDeviceHandle kMouseA = 0x101;
constexpr RawDeviceHandle kMouseB = 0x202;
constexpr RawDeviceHandle kRemote = 0x303;
constexpr RawDeviceHandle kLate = 0x505; // attached after the start

// Every test starts unbound, on a desk of two mice with a keyboard and the remote-desktop
// mouse between them.
class RawMouseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rawmouse_reset_for_tests();
        rawmouse_set_binder(bind_script);
        script = {};
        script.devices = {{{kMouseA, RIM_TYPEMOUSE}, "\\\\?\\HID#VID_046D&PID_C077#mouse-a"},
                          {{0x404, RIM_TYPEKEYBOARD}, "\\\\?\\HID#keyboard"},
                          {{kRemote, RIM_TYPEMOUSE}, "\\??\\Root#RDP_MOU#0000#7&1b2c&0&0000"},
                          {{kMouseB, RIM_TYPEMOUSE}, "\\\\?\\HID#VID_1532&PID_0084#mouse-b"}};
    }
    static uintptr_t event(RawDeviceHandle device, int32_t dx, int32_t dy = 0, uint16_t buttons = 0,
                           int16_t wheel = 0, uint16_t flags = 0) {
        RawInputEvent e;
        e.header.device = device;
        e.mouse = {flags, buttons, wheel, dx, dy};
        script.events.push_back(e);
        return script.events.size();
    }
    template <typename... Fields> static void send(Fields... fields) {
        ASSERT_EQ(rawmouse_handle_input(event(fields...)), 1);
    }
};

// The three options decide which records are reported and which events move them: one
// event from each mouse (x of 1, 10 and 100), and one from a mouse attached after the start.
TEST_F(RawMouseTest, OptionsDecideTheMiceAndWhatMovesThem) {
    script.devices.clear();
    ASSERT_EQ(rawmouse_init(0, 0, 1), 1) << "a machine without devices";
    EXPECT_EQ(mouse_count, 0);
    const struct {
        int aggregate, remote, individual;
        std::vector<int> x; // read per reported mouse
    } rows[] = {
        {0, 0, 1, {1, 100}},     {1, 0, 1, {101, 1, 100}},
        {0, 1, 1, {1, 10, 100}}, {1, 1, 1, {111, 1, 10, 100}},
        {1, 0, 0, {101}},        {1, 1, 0, {111, 0}},
        {0, 1, 0, {0}},          {0, 0, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.aggregate << row.remote << row.individual);
        SetUp();
        ASSERT_EQ(rawmouse_init(row.aggregate, row.remote, row.individual), 1);
        ASSERT_EQ(mouse_count, int(row.x.size()));
        for (const auto& [device, dx] : {std::pair{kMouseA, 1}, {kRemote, 10}, {kMouseB, 100}}) {
            send(device, dx, 0, RI_MOUSE_LEFT_BUTTON_DOWN);
        }
        send(kLate, 1000, 0, RI_MOUSE_LEFT_BUTTON_DOWN);
        for (int m = 0; m < mouse_count; ++m) {
            EXPECT_EQ(rawmouse_take_x(m), row.x[m]) << m;
            EXPECT_EQ(rawmouse_button(m, 0), int(row.x[m] != 0)) << m;
        }
    }
}

// Every mouse's record: x, y and wheel (taken, so each read starts again from 0) and the
// left, right and middle buttons.
using Records = std::vector<std::array<int, 6>>;
Records take_all() {
    Records all;
    for (int m = 0; m < mouse_count; ++m) {
        all.push_back({rawmouse_take_x(m), rawmouse_take_y(m), rawmouse_take_wheel(m),
                       rawmouse_button(m, 0), rawmouse_button(m, 1), rawmouse_button(m, 2)});
    }
    return all;
}

// Each mouse's motion, wheel notches and buttons land in its own record and in the
// aggregate record 0; motion and wheel sum until read, buttons stay until released.
TEST_F(RawMouseTest, EventsSumUntilReadAndButtonsHoldUntilReleased) {
    ASSERT_EQ(rawmouse_init(1, 0, 1), 1);
    send(kMouseA, 3, -2, RI_MOUSE_LEFT_BUTTON_DOWN);
    send(kMouseA, 4, -5, RI_MOUSE_RIGHT_BUTTON_DOWN | RI_MOUSE_MIDDLE_BUTTON_DOWN);
    send(kMouseB, -10, 6, RI_MOUSE_WHEEL, 240); // the wheel counts events, not their size
    send(kMouseB, 0, 0, RI_MOUSE_WHEEL, -120);
    send(kMouseB, 0, 0, RI_MOUSE_WHEEL, -120);
    send(kMouseB, 0, 0, RI_MOUSE_WHEEL, 0);
    send(kMouseB, 0, 0, 0, 120); // wheel data without the wheel flag
    EXPECT_EQ(take_all(), (Records{{-3, -1, -1, 1, 1, 1}, {7, -7, 0, 1, 1, 1}, {-10, 6, -1}}));
    EXPECT_EQ(take_all(), (Records{{0, 0, 0, 1, 1, 1}, {0, 0, 0, 1, 1, 1}, {}}));

    // Up flags release; a press and a release in one event leave the button up.
    send(kMouseA, 0, 0, RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_UP);
    send(kMouseB, 0, 0, RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP);
    EXPECT_EQ(take_all(), (Records{{0, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 1}, {}}));
    send(kMouseA, 0, 0, RI_MOUSE_MIDDLE_BUTTON_UP);
    EXPECT_EQ(take_all(), Records(3));
    EXPECT_EQ(rawmouse_button(-1, 0) | rawmouse_button(3, 0) | rawmouse_take_x(-1) |
                  rawmouse_take_y(3) | rawmouse_take_wheel(-1),
              0);

    // Absolute events: the first is still added to the device's record, later ones set it.
    // The aggregate follows the device's flag as it stands after the device's update, and
    // adds what the relative mouse B brings.
    send(kMouseA, 2, 2);
    send(kMouseA, 100, 200, 0, 0, MOUSE_MOVE_ABSOLUTE);
    EXPECT_EQ(take_all(), (Records{{100, 200}, {102, 202}, {}}));
    send(kMouseA, 300, 400, 0, 0, MOUSE_MOVE_ABSOLUTE);
    send(kMouseA, 310, 410);
    send(kMouseB, 5, 5);
    EXPECT_EQ(take_all(), (Records{{315, 415}, {310, 410}, {5, 5}}));
    EXPECT_EQ(rawmouse_button(1, -1) | rawmouse_button(1, 3), 0) << "the flag is no button";

    // A second init is refused and the first mice stay, until they are released.
    testing::internal::CaptureStderr();
    EXPECT_EQ(rawmouse_init(0, 0, 1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "WARNING: rawmouse init called after initialization already completed.");
    EXPECT_EQ(mouse_count, 3);
    rawmouse_release();
    EXPECT_EQ(mouse_count, 0);
    EXPECT_EQ(rawmouse_take_x(0), 0);
}

TEST_F(RawMouseTest, EveryInitFailureWritesItsMessageAndLeavesNoMice) {
    // The answer that goes wrong, or the device-info call that fails: with the desk's three
    // mice, calls 0..5 belong to the counting pass (size and name for each mouse) and 6..11 to
    // the filling pass. Then the message.
    const std::tuple<const char*, int, const char*> rows[] = {
        {"bind", -1, ""},
        {"missing", -1, ""},
        {"count", -1, "ERROR: Unable to count raw input devices.\n"},
        {"list", -1, "ERROR: Unable to get raw input device list.\n"},
        {"", 2, "ERROR: Unable to get size of raw input device name.\n"},
        {"", 5, "ERROR: Unable to get raw input device name.\n"},
        {"", 6, "ERROR: Unable to get size of raw input device name (2).\n"},
        {"", 11, "ERROR: Unable to get raw input device name (2).\n"},
        {"register", -1, "ERROR: Unable to register raw input (2).\n"},
    };
    for (const auto& [fail, bad_info_call, message] : rows) {
        SCOPED_TRACE(message);
        SetUp();
        script.fail = fail;
        script.bad_info_call = bad_info_call;
        testing::internal::CaptureStderr();
        EXPECT_EQ(rawmouse_init(0, 0, 1), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), message);
        EXPECT_EQ(mouse_count, 0);
    }
    // Only the entries the list fetch filled are devices.
    SetUp();
    script.fail = "vanished";
    EXPECT_EQ(rawmouse_init(0, 0, 1), 1);
    EXPECT_EQ(mouse_count, 2);
}

} // namespace
