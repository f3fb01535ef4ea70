// The contacts frame's layout: which children show for which settings, the splitter by thousandths
// and at a fixed position, and scaling with the screen's resolution.
#include "screen/list/FrameLayout.h"

#include <gtest/gtest.h>

namespace {

FrameLayoutInput Input(uint32_t abcMode, bool preview, bool panel, int height = 294, int dpi = 96) {
    FrameLayoutInput in;
    in.client = {0, 0, 240, height};
    in.dpi = dpi;
    in.abcMode = abcMode;
    in.splitVisible = preview;
    in.showDPan = panel;
    return in;
}

TEST(FrameLayout, ChildrenShowAsTheSettingsSay) {
    const FrameRects big = LayOutFrame(Input(kAbcBig, false, true));
    EXPECT_EQ(big.searchBox, (LayoutRect{0, 0, 218, 22}));
    EXPECT_EQ(big.listDown, (LayoutRect{218, 0, 22, 22}));
    EXPECT_EQ(big.phonePanel, (LayoutRect{0, 268, 240, 26}));
    EXPECT_EQ(big.bigBar, (LayoutRect{0, 180, 240, 88}));
    EXPECT_EQ(big.list, (LayoutRect{0, 22, 240, 158}));
    EXPECT_TRUE(big.smallBar.IsEmpty() && big.splitter.IsEmpty() && big.pane.IsEmpty());

    const FrameRects small = LayOutFrame(Input(kAbcSmall, false, false));
    EXPECT_EQ(small.list, (LayoutRect{0, 22, 216, 272}));
    EXPECT_EQ(small.smallBar, (LayoutRect{216, 22, 24, 272}));
    EXPECT_TRUE(small.bigBar.IsEmpty() && small.phonePanel.IsEmpty());

    FrameLayoutInput taller = Input(kAbcBig, false, false);
    taller.rowIncrement = 4;  // each of the keypad's four rows grows
    EXPECT_EQ(LayOutFrame(taller).bigBar.height, 104);

    const FrameRects scaled = LayOutFrame(Input(kAbcHidden, false, true, 588, 192));
    EXPECT_EQ(scaled.searchBox.height, 44);
    EXPECT_EQ(scaled.phonePanel.height, 52);
    EXPECT_EQ(scaled.list, (LayoutRect{0, 44, 240, 492}));
}

TEST(FrameLayout, TheSplitterDividesByThousandthsOrStaysAtItsFixedPlace) {
    FrameLayoutInput in = Input(kAbcHidden, true, false);
    in.splitThousandths = 500;
    FrameRects rects = LayOutFrame(in);
    EXPECT_EQ(rects.list, (LayoutRect{0, 22, 240, 133}));
    EXPECT_EQ(rects.splitter, (LayoutRect{0, 155, 240, 6}));
    EXPECT_EQ(rects.pane, (LayoutRect{0, 161, 240, 133}));
    EXPECT_EQ(SplitThousandthsAt(rects, 155), 500u);
    EXPECT_EQ(SplitThousandthsAt(rects, 400), 1000u);

    in.splitThousandths = 0;  // the list never disappears entirely
    EXPECT_EQ(LayOutFrame(in).list.height, 20);

    in.spltFix = true;
    in.spltPosY = 100;
    for (const int height : {294, 400, 500}) {
        in.client.height = height;
        EXPECT_EQ(LayOutFrame(in).splitter.y, 100) << "resizing keeps a fixed splitter where it is";
    }
    in.spltPosY = 1024;  // beyond the frame: the pane keeps its least height
    rects = LayOutFrame(in);
    EXPECT_EQ(rects.pane.height, 20);
    EXPECT_EQ(rects.pane.Bottom(), 500);
}

}  // namespace
