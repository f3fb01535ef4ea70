#pragma once
// Where the contacts frame's children go, worked out from the frame's client rectangle, the
// screen's resolution, the settings that show or hide children, and the alphabet bar's extra
// row height. Every measure is designed at 96 dots per inch and scaled by (n * dpi + 48) / 96.
//
// From the top: the search box with the list-down button at its right; the list, with the small
// alphabet bar as a strip at its right (AbcMode 0); when the preview is shown, the splitter and
// the preview pane below the list (the list takes SplitPercent thousandths of the space, or ends
// at SpltPosY when the splitter is fixed); then the big alphabet bar (AbcMode 1, a keypad of four
// rows) and the phone panel (ShowDPan) at the bottom. A hidden child gets an empty rectangle.
#include "screen/list/FrameSettings.h"

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    [[nodiscard]] bool IsEmpty() const { return width <= 0 || height <= 0; }
    int Bottom() const { return y + height; }
    [[nodiscard]] bool operator==(const LayoutRect&) const = default;
};

struct FrameRects {
    LayoutRect searchBox;
    LayoutRect listDown;
    LayoutRect list;
    LayoutRect smallBar;
    LayoutRect splitter;
    LayoutRect pane;
    LayoutRect bigBar;
    LayoutRect phonePanel;
};

struct FrameLayoutInput {
    LayoutRect client;
    int dpi = 96;
    uint32_t abcMode = kAbcBig;
    bool splitVisible = false;
    bool showDPan = false;
    uint32_t splitThousandths = 500;
    bool spltFix = false;
    int spltPosY = 1024;   // client y of the splitter's top when fixed
    int rowIncrement = 0;  // pixels added to each row of the alphabet bars

    static FrameLayoutInput From(const FrameSettings& settings, const LayoutRect& client, int dpi,
                                 int rowIncrement);
};

// Design sizes at 96 dpi.
inline constexpr int kSearchHeight96 = 22;
inline constexpr int kSmallBarWidth96 = 24;
inline constexpr int kBigBarRowHeight96 = 22;
inline constexpr int kBigBarRows = 4;
inline constexpr int kPhonePanelHeight96 = 26;
inline constexpr int kSplitterHeight96 = 6;
inline constexpr int kMinPartHeight96 = 20;  // the list and the pane keep at least this much

int ScaleToDpi(int pixels96, int dpi);

FrameRects LayOutFrame(const FrameLayoutInput& input);

// The list's share (thousandths, kept as SplitPercent) that a splitter dragged to client y
// `splitterTop` stands for.
uint32_t SplitThousandthsAt(const FrameRects& rects, int splitterTop);
