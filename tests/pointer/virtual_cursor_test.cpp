#include "leveledit/level_editor.h"
#include "mygame/hopper.h"
#include "platform/virtual_cursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

TEST(VirtualCursor, EveryMoveCountsOnceInTheNextRead) {
    VirtualCursor c;
    c.screen_width = 1024;
    c.screen_height = 768;
    int32_t x = 0, y = 0;
    virtual_cursor_put_back(c, 400, 300);
    virtual_cursor_pointer_seen(c, 770, 590); // the first sighting only starts the track
    virtual_cursor_pointer_seen(c, 800, 570);
    virtual_cursor_read(c, x, y);
    EXPECT_EQ(x, 430);
    EXPECT_EQ(y, 280);

    virtual_cursor_pointer_seen(c, 805, 571); // between the read and the put-back
    virtual_cursor_put_back(c, 400, 300);
    virtual_cursor_pointer_warped(c, -35, 19, 772, 592); // honoured, then moved (2, 2)
    virtual_cursor_pointer_warped(c, 100, 0, 773, 592);  // ignored, and moved (1, 0)
    virtual_cursor_read(c, x, y);
    EXPECT_EQ(x, 408);
    EXPECT_EQ(y, 303);
    virtual_cursor_read(c, x, y); // nothing new
    EXPECT_EQ(x, 408);
    EXPECT_EQ(y, 303);

    // Motion while the focus was elsewhere is not ours; reads stay on the screen.
    virtual_cursor_pointer_lost(c);
    virtual_cursor_pointer_seen(c, 10, 10);
    virtual_cursor_pointer_seen(c, 0, 500);
    virtual_cursor_put_back(c, 5, 300);
    virtual_cursor_read(c, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 767);
}

// The editor's and the hopper's pointer arithmetic, fed by the virtual cursor, ends exactly
// where a real cursor warped back to (400, 300) on a 1024 x 768 screen takes it, edges included.
TEST(VirtualCursor, ProgramsSeeWhatARealWarpGivesThem) {
    struct Frame {
        int dx, dy;
        bool space;
    };
    const Frame frames[] = {{30, -20, false}, {-500, 0, false}, {200, 100, true},
                            {-450, 10, true}, {0, 500, false},  {-40, -60, true}};
    VirtualCursor c;
    c.screen_width = 1024;
    c.screen_height = 768;
    virtual_cursor_put_back(c, 400, 300);
    int32_t pointer_x = 770, pointer_y = 590; // the real pointer, somewhere in our window
    virtual_cursor_pointer_seen(c, pointer_x, pointer_y);

    LevelEditor warped_editor, virtual_editor;
    HopperWorld warped_hopper = make_hopper_world(), virtual_hopper = make_hopper_world();
    struct NoErrors : ErrorReporter {
        void show_error(const std::string&) override { ADD_FAILURE(); }
    } errors;
    std::array<int32_t, 256> keys{};
    for (const Frame& f : frames) {
        keys[KEY_SPACE] = f.space;
        FrameInput warped{keys.data()};
        warped.cursor_x = std::clamp(CURSOR_HOME_X + f.dx, 0, 1023);
        warped.cursor_y = std::clamp(CURSOR_HOME_Y + f.dy, 0, 767);
        virtual_cursor_pointer_seen(c, pointer_x += f.dx, pointer_y += f.dy);
        FrameInput from_virtual{keys.data()};
        virtual_cursor_read(c, from_virtual.cursor_x, from_virtual.cursor_y);
        virtual_cursor_put_back(c, CURSOR_HOME_X, CURSOR_HOME_Y);

        level_editor_step(warped_editor, warped, errors);
        level_editor_step(virtual_editor, from_virtual, errors);
        hopper_step(warped_hopper, warped);
        hopper_step(virtual_hopper, from_virtual);
        EXPECT_EQ(virtual_editor.offset.x, warped_editor.offset.x);
        EXPECT_EQ(virtual_editor.offset.y, warped_editor.offset.y);
        EXPECT_EQ(virtual_editor.pan_x, warped_editor.pan_x);
        EXPECT_EQ(virtual_editor.pan_y, warped_editor.pan_y);
        EXPECT_EQ(virtual_hopper.offset.x, warped_hopper.offset.x);
        EXPECT_EQ(virtual_hopper.offset.y, warped_hopper.offset.y);
    }
    // Both screen edges and both offset clamps were met on the way.
    EXPECT_EQ(virtual_editor.offset.x, -170);
    EXPECT_EQ(virtual_editor.offset.y, 70);
    EXPECT_FLOAT_EQ(virtual_editor.pan_x, 24);
    EXPECT_FLOAT_EQ(virtual_editor.pan_y, -5);
}
