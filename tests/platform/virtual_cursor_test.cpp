#include "leveledit/level_editor.h"
#include "platform/virtual_cursor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

TEST(VirtualCursor, EveryMoveCountsOnceInTheNextRead) {
    VirtualCursor c{400, 300, 0, 0, 1024, 768};
    int32_t x = 0, y = 0;
    virtual_cursor_pointer_seen(c, 770, 590); // the first sighting only starts the track
    virtual_cursor_pointer_seen(c, 800, 570);
    virtual_cursor_read(c, x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(430, 280));

    virtual_cursor_pointer_seen(c, 805, 571); // between the read and the put-back
    virtual_cursor_put_back(c, 400, 300);
    virtual_cursor_pointer_warped(c, -35, 19, 772, 592); // honoured, then moved (2, 2)
    virtual_cursor_pointer_warped(c, 100, 0, 773, 592);  // ignored, and moved (1, 0)
    virtual_cursor_read(c, x, y);
    EXPECT_EQ(std::pair(x, y), std::pair(408, 303));
}

// Fed the same moves, the virtual cursor reads what a real cursor warped back to (400, 300)
// on a 1024 x 768 screen reads, edges included, so the editor's clamps and scrolling come out
// the same.
TEST(VirtualCursor, ReadsWhatARealWarpGives) {
    const int moves[][3] = {{30, -20, 0}, {-500, 0, 1}, {0, 500, 0}}; // dx, dy, Space held
    VirtualCursor c{CURSOR_HOME_X, CURSOR_HOME_Y, 0, 0, 1024, 768};
    int32_t pointer_x = 770, pointer_y = 590; // the real pointer, somewhere in our window
    virtual_cursor_pointer_seen(c, pointer_x, pointer_y);
    LevelEditor editor;
    struct : ErrorReporter {
        void show_error(const std::string&) override { ADD_FAILURE(); }
    } errors;
    std::array<int32_t, 256> keys{};
    for (const auto& m : moves) {
        virtual_cursor_pointer_seen(c, pointer_x += m[0], pointer_y += m[1]);
        FrameInput in{keys.data()};
        virtual_cursor_read(c, in.cursor_x, in.cursor_y);
        virtual_cursor_put_back(c, CURSOR_HOME_X, CURSOR_HOME_Y);
        EXPECT_EQ(in.cursor_x, std::clamp(CURSOR_HOME_X + m[0], 0, 1023));
        EXPECT_EQ(in.cursor_y, std::clamp(CURSOR_HOME_Y + m[1], 0, 767));
        keys[KEY_SPACE] = m[2];
        level_editor_step(editor, in, errors);
    }
    EXPECT_EQ(std::pair(editor.offset.x, editor.offset.y), std::pair(-170.0f, 130.0f));
    EXPECT_EQ(std::pair(editor.pan_x, editor.pan_y), std::pair(40.0f, 0.0f));
}
