// Which backend each kind of desktop gets, which XInput2 devices are mice, and the event
// queue past its cap: pure functions, fed with hand-made facts.
#include "platform/mouse_backend_choice.h"
#include "platform/raw_event_queue.h"
#include "platform/xinput_device_selection.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr const char* kFix = "sudo usermod -aG input $USER";

TEST(MouseBackendChoice, EachDesktopGetsTheBackendThatTellsMiceApart) {
    // request, X, XWayland, Wayland session, evdev mice, openable; backend; tells the fix
    const std::tuple<MouseFacts, MouseBackend, bool> cases[] = {
        {{"", true, false, false, 0, 0}, MouseBackend::xinput2, false}, // X11 desktop
        {{"", true, true, true, 2, 2}, MouseBackend::evdev, false},     // Wayland, input group
        {{"", true, true, true, 2, 0}, MouseBackend::xinput2, true},    // Wayland, no access
        {{"", true, true, true, 2, 1}, MouseBackend::evdev, true},      // one unreadable
        {{"", false, false, true, 1, 1}, MouseBackend::evdev, false},   // no X server
        {{"", false, false, false, 0, 0}, MouseBackend::none, false},   // no display at all
        {{"evdev", true, false, false, 1, 1}, MouseBackend::evdev, false},
        {{"evdev", true, false, false, 1, 0}, MouseBackend::xinput2, true},
        {{"xinput2", true, true, true, 2, 2}, MouseBackend::xinput2, false},
    };
    for (const auto& [facts, backend, tells_the_fix] : cases) {
        SCOPED_TRACE(testing::Message() << facts.request << facts.evdev_openable);
        const MouseBackendChoice choice = choose_mouse_backend(facts);
        EXPECT_EQ(choice.backend, backend);
        EXPECT_EQ(choice.message.find(kFix) != std::string::npos, tells_the_fix);
    }
}

XiDeviceDescription pointer(int id, const std::string& name, bool relative = true) {
    return {id, name, true, true, true, true, relative, relative};
}

// Only relative pointers are mice, each of its own under a shared name (masters, disabled
// pointers and XTEST ones meet the hot-plug test under Xvfb); XWayland's pointers are one
// mouse whose absolute member's motion is left out.
TEST(XInputSelection, RelativeSlavePointersAndXWaylandAsOne) {
    const std::vector<XiDeviceDescription> x11 = {pointer(6, "USB Optical Mouse"),
                                                  pointer(7, "Wacom Intuos Pen", false),
                                                  pointer(9, "USB Optical Mouse")};
    EXPECT_FALSE(looks_like_xwayland(x11));
    const std::vector<XiMouse> mice = select_xinput_mice(x11);
    ASSERT_EQ(mice.size(), 2u);
    EXPECT_EQ(mice[0].members, std::vector<int>{6});
    EXPECT_EQ(mice[1].members, std::vector<int>{9});

    const std::vector<XiDeviceDescription> xwayland = {
        pointer(4, "Virtual core XTEST pointer"), pointer(6, "xwayland-pointer:13", false),
        pointer(7, "xwayland-relative-pointer:13"), pointer(9, "xwayland-touch:13", false)};
    EXPECT_TRUE(looks_like_xwayland(xwayland));
    const std::vector<XiMouse> shared = select_xinput_mice(xwayland);
    ASSERT_EQ(shared.size(), 2u);
    EXPECT_EQ(shared[1].name, kXWaylandMouseName);
    EXPECT_EQ(shared[1].members, (std::vector<int>{6, 7}));
    EXPECT_EQ(shared[1].motion_ignored, std::vector<int>{6});
}

RawInputEvent motion(RawDeviceHandle device, int32_t dx, uint16_t buttons = 0) {
    RawInputEvent e;
    e.header.device = device;
    e.mouse = {0, buttons, 0, dx, 0};
    return e;
}

TEST(RawEventQueue, PastTheCapMotionMergesAndButtonChangesStay) {
    RawEventQueue queue(3);
    std::vector<uintptr_t> handles;
    for (const RawInputEvent& e : {motion(1, 1), motion(2, 5), motion(1, 2), motion(1, 3),
                                   motion(1, 0, 1), motion(1, 4), motion(2, 6), motion(1, 0, 2)}) {
        if (const uintptr_t h = queue.push(e))
            handles.push_back(h);
    }
    // 1, 5, 2 fill the queue; 3 joins 2; the press stays; 4 may not pass the press, nor join
    // device 2's motion; 6 joins 5; the release stays.
    ASSERT_TRUE(queue.merged_any());
    std::vector<std::pair<int32_t, uint16_t>> got;
    for (uintptr_t h : handles) {
        const RawInputEvent* e = queue.find(h);
        ASSERT_NE(e, nullptr);
        got.push_back({e->mouse.last_x, e->mouse.button_flags});
        queue.release(h);
    }
    EXPECT_EQ(got, (std::vector<std::pair<int32_t, uint16_t>>{
                       {1, 0}, {11, 0}, {5, 0}, {0, 1}, {4, 0}, {0, 2}}));
    EXPECT_EQ(queue.find(handles.front()), nullptr) << "a fetched handle is spent";
}

} // namespace
