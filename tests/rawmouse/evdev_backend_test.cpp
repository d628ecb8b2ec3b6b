// The evdev backend on a device tree of the test's own: sysfs descriptions as plain files,
// event nodes as FIFOs fed with kernel input_event records.
#include "platform/evdev_raw_input.h"
#include "platform/mouse_backend_choice.h"
#include "rawmouse/rawmouse.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/input.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// Capability bitmaps as sysfs writes them (64-bit words, highest first).
constexpr const char* kMouseRel = "103";            // REL_X, REL_Y, REL_WHEEL
constexpr const char* kMouseKeys = "70000 0 0 0 0"; // BTN_LEFT, BTN_RIGHT, BTN_MIDDLE
constexpr const char* kKeyboardKeys =
    "1000000000007 ff9f207ac14057ff febeffdfffefffff fffffffffffffffe";

EvdevRoots tree_roots;

// The tree lives as long as a test, which starts and ends with no mice and no backend.
class FakeTree {
  public:
    FakeTree() {
        rawmouse_reset_for_tests();
        std::string pattern = (fs::temp_directory_path() / "evdev_tree_XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        fs::create_directories(root_ / "sys/mouse0"); // mousedev's node: no event device
        fs::create_directories(root_ / "dev");
        tree_roots = {(root_ / "sys").string(), (root_ / "dev").string()};
    }
    ~FakeTree() {
        rawmouse_reset_for_tests();
        raw_input_unbind();
        for (auto& [n, fd] : writers_)
            ::close(fd);
        fs::remove_all(root_);
    }
    void add(int n, const std::string& name, const std::string& phys, const char* rel = kMouseRel,
             const char* keys = kMouseKeys) {
        const fs::path device = root_ / "sys" / event(n) / "device";
        fs::create_directories(device / "capabilities");
        const std::pair<const char*, std::string> files[] = {
            {"name", name}, {"phys", phys}, {"capabilities/rel", rel}, {"capabilities/key", keys}};
        for (const auto& [file, text] : files)
            std::ofstream(device / file) << text << "\n";
        ASSERT_EQ(mkfifo(node(n).c_str(), 0644), 0);
    }
    void unplug(int n) {
        fs::remove_all(root_ / "sys" / event(n));
        fs::remove(node(n));
    }
    // One kernel event frame, closed by SYN_REPORT.
    void send(int n, std::vector<std::array<int, 3>> frame) {
        if (!writers_.count(n))
            writers_[n] = ::open(node(n).c_str(), O_WRONLY | O_NONBLOCK);
        frame.push_back({EV_SYN, SYN_REPORT, 0});
        for (const auto& [type, code, value] : frame) {
            const input_event e{{}, uint16_t(type), uint16_t(code), value};
            ASSERT_EQ(::write(writers_[n], &e, sizeof e), ssize_t(sizeof e));
        }
    }
    std::string node(int n) const { return (root_ / "dev" / event(n)).string(); }

  private:
    static std::string event(int n) { return "event" + std::to_string(n); }
    fs::path root_;
    std::map<int, int> writers_;
};

bool bind_tree(RawInputApi& api) {
    return raw_input_bind_backend(api,
                                  make_evdev_backend(tree_roots, std::chrono::milliseconds(0)));
}

// Hands every waiting event to the module, as the message pump does; mouse m's left button
// after each event.
std::vector<int> pump(int m) {
    std::vector<uintptr_t> handles;
    raw_input_collect_events(handles);
    std::vector<int> left;
    for (uintptr_t handle : handles) {
        EXPECT_EQ(rawmouse_handle_input(handle), 1);
        left.push_back(rawmouse_button(m, 0));
    }
    return left;
}

TEST(EvdevBackend, MiceOnlyWithTheirInputAndHotPlug) {
    FakeTree tree;
    tree.add(0, "AT Translated Set 2 keyboard", "isa0060/serio0/input0", "0", kKeyboardKeys);
    tree.add(1, "Alpha Mouse", "usb-0000:00:14.0-1/input0");
    tree.add(2, "SynPS/2 Synaptics TouchPad", "isa0060/serio1/input0", "0", "e520 10000 0 0 0 0");
    tree.add(3, "Beta Mouse", "usb-0000:00:14.0-2/input0");
    tree.add(4, "Wacom Intuos Pen", "usb-0000:00:14.0-3/input0", "100", "1c03 70000 0 0 0 0");
    tree.add(5, "Gamma Mouse", "usb-0000:00:14.0-4/input0");
    const std::string combo = std::string("70000 ") + kKeyboardKeys; // keys and buttons
    tree.add(6, "Wireless Receiver", "usb-0000:00:14.0-6/input0", kMouseRel, combo.c_str());
    rawmouse_set_binder(bind_tree);
    testing::internal::CaptureStdout();
    ASSERT_EQ(rawmouse_init(0, 0, 1), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "mice: 3 found through evdev\n  mouse 1: Alpha Mouse\n  mouse 2: Beta Mouse\n"
              "  mouse 3: Gamma Mouse\n");

    tree.send(3, {{EV_REL, REL_X, 3}, {EV_REL, REL_Y, -2}});
    tree.send(3, {{EV_REL, REL_X, 4}});
    tree.send(3, {{EV_REL, REL_WHEEL, 2}});
    // A click inside one frame still gives one pass with the button down.
    tree.send(5, {{EV_KEY, BTN_LEFT, 1}, {EV_KEY, BTN_LEFT, 0}, {EV_KEY, BTN_RIGHT, 1}});
    EXPECT_EQ(pump(2), (std::vector<int>{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(rawmouse_take_x(1), 7);
    EXPECT_EQ(rawmouse_take_y(1), -2);
    EXPECT_EQ(rawmouse_take_wheel(1), 2);
    EXPECT_EQ(rawmouse_button(2, 1), 1);

    // Alpha's cable slips out and back in (a new event number): its record goes on. The
    // same model in another port, and a mouse never seen, are not players.
    tree.unplug(1);
    pump(0);
    tree.add(7, "Alpha Mouse", "usb-0000:00:14.0-9/input0");
    tree.add(8, "Alpha Mouse", "usb-0000:00:14.0-1/input0");
    tree.add(9, "Delta Mouse", "usb-0000:00:14.0-5/input0");
    pump(0);
    tree.send(8, {{EV_REL, REL_X, 9}});
    pump(0);
    EXPECT_EQ(rawmouse_take_x(0), 9);
    EXPECT_EQ(mouse_count, 3);
}

// A mouse whose node cannot be opened (here: it is missing) leaves the other mice in play;
// standard error tells the choice made from what was found, with how to fix it, once.
TEST(EvdevBackend, AMouseThatCannotBeOpenedIsToldOnceAndTheOthersPlay) {
    FakeTree tree;
    tree.add(0, "Alpha Mouse", "usb-1/input0");
    tree.add(1, "Beta Mouse", "usb-2/input0");
    fs::remove(tree.node(1));
    raw_input_set_evdev_roots(tree_roots);
    setenv("GLIMBO_MICE", "evdev", 1);
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    EXPECT_EQ(rawmouse_init(0, 0, 1), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "mice: 1 found through evdev\n  mouse 1: Alpha Mouse\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              choose_mouse_backend({"evdev", false, false, false, 2, 1}).message);
    unsetenv("GLIMBO_MICE");
    raw_input_set_evdev_roots({});
    EXPECT_EQ(mouse_count, 1);
}

} // namespace
