#include "platform/virtual_cursor.h"

#include <gtest/gtest.h>

#include <utility>

// Every move counts once, in the next read, whatever put-backs and warps come between; reads
// stay on the screen, and a lost pointer starts a new track.
TEST(VirtualCursor, EveryMoveCountsOnceInTheNextRead) {
    VirtualCursor c{400, 300, 0, 0, 1024, 768};
    auto read = [&c] {
        std::pair<int32_t, int32_t> at;
        virtual_cursor_read(c, at.first, at.second);
        return at;
    };
    virtual_cursor_pointer_seen(c, 770, 590); // the first sighting only starts the track
    virtual_cursor_pointer_seen(c, 800, 570);
    EXPECT_EQ(read(), std::pair(430, 280));

    virtual_cursor_pointer_seen(c, 805, 571); // between the read and the put-back
    virtual_cursor_put_back(c, 400, 300);
    virtual_cursor_pointer_warped(c, -35, 19, 772, 592); // honoured, then moved (2, 2)
    virtual_cursor_pointer_warped(c, 100, 0, 773, 592);  // ignored, and moved (1, 0)
    EXPECT_EQ(read(), std::pair(408, 303));

    virtual_cursor_pointer_seen(c, 773 - 900, 592 + 900); // far past the screen's corner
    EXPECT_EQ(read(), std::pair(0, 767));
    virtual_cursor_pointer_lost(c);
    virtual_cursor_pointer_seen(c, 10, 10); // a new track: no motion yet
    virtual_cursor_pointer_seen(c, 15, 5);
    EXPECT_EQ(read(), std::pair(5, 762));
}
