// How a bitmap is laid over a picture control of another size.

#include <gtest/gtest.h>

#include "framework/picture_layout.h"

namespace varnholt {
namespace {

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PictureLayoutTest, AWiderControlKeepsBothEndsInProportionAndStretchesTheFillColumn) {
    // 633 x 60 into 1050 x 90: scale 1.5.
    const auto pieces = LayOutPicture({633, 60}, {1050, 90}, 400);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_TRUE((pieces[0].source == RECT{0, 0, 400, 60}));
    EXPECT_TRUE((pieces[0].target == RECT{0, 0, 600, 90}));
    EXPECT_TRUE((pieces[1].source == RECT{400, 0, 401, 60}));
    EXPECT_TRUE((pieces[1].target == RECT{600, 0, 702, 90}));
    EXPECT_TRUE((pieces[2].source == RECT{401, 0, 633, 60}));
    EXPECT_TRUE((pieces[2].target == RECT{702, 0, 1050, 90}));
}

TEST(PictureLayoutTest, WithoutRoomOrFillColumnTheWholeBitmapIsStretched) {
    const RECT whole{0, 0, 633, 60};
    for (const auto& pieces : {LayOutPicture({633, 60}, {600, 60}, 400),
                               LayOutPicture({633, 60}, {900, 60}, kNoFillColumn),
                               LayOutPicture({633, 60}, {900, 60}, 632)}) {
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_TRUE(pieces[0].source == whole);
    }
    EXPECT_TRUE((LayOutPicture({633, 60}, {600, 60}, 400)[0].target == RECT{0, 0, 600, 60}));
    EXPECT_TRUE(LayOutPicture({633, 60}, {0, 60}, 400).empty());
}

} // namespace
} // namespace varnholt
