#include "screen/list/FrameLayout.h"

#include <algorithm>

namespace {

// Takes a band of `height` from the bottom of `area`.
LayoutRect TakeBottom(LayoutRect& area, int height) {
    height = std::clamp(height, 0, area.height);
    area.height -= height;
    return {area.x, area.Bottom(), area.width, height};
}

LayoutRect TakeTop(LayoutRect& area, int height) {
    height = std::clamp(height, 0, area.height);
    const LayoutRect top{area.x, area.y, area.width, height};
    area.y += height;
    area.height -= height;
    return top;
}

// Splits the middle band into list, splitter and pane.
void SplitMiddle(const FrameLayoutInput& in, LayoutRect middle, FrameRects& rects) {
    const int splitter = ScaleToDpi(kSplitterHeight96, in.dpi);
    const int minPart =
        std::min(ScaleToDpi(kMinPartHeight96, in.dpi), std::max(0, (middle.height - splitter) / 2));
    const int room = middle.height - splitter;
    int listHeight = in.spltFix ? in.spltPosY - middle.y
                                : static_cast<int>(static_cast<int64_t>(room) *
                                                   std::min<uint32_t>(in.splitThousandths, 1000) / 1000);
    listHeight = std::clamp(listHeight, minPart, std::max(minPart, room - minPart));
    rects.list = TakeTop(middle, listHeight);
    rects.splitter = TakeTop(middle, splitter);
    rects.pane = middle;
}

}  // namespace

int ScaleToDpi(int pixels96, int dpi) { return (pixels96 * dpi + 48) / 96; }

FrameLayoutInput FrameLayoutInput::From(const FrameSettings& settings, const LayoutRect& client, int dpi,
                                        int rowIncrement) {
    return {client,
            dpi,
            settings.abcMode,
            settings.splitVisible,
            settings.showDPan,
            settings.splitThousandths,
            settings.spltFix,
            static_cast<int>(std::min<uint32_t>(settings.spltPosY, 1 << 20)),
            rowIncrement};
}

FrameRects LayOutFrame(const FrameLayoutInput& in) {
    FrameRects rects;
    LayoutRect area = in.client;
    area.width = std::max(area.width, 0);
    area.height = std::max(area.height, 0);

    LayoutRect top = TakeTop(area, ScaleToDpi(kSearchHeight96, in.dpi));
    const int button = std::min(top.height, top.width);
    rects.listDown = {top.x + top.width - button, top.y, button, top.height};
    top.width -= button;
    rects.searchBox = top;

    if (in.showDPan) rects.phonePanel = TakeBottom(area, ScaleToDpi(kPhonePanelHeight96, in.dpi));
    if (in.abcMode == kAbcBig) {
        rects.bigBar =
            TakeBottom(area, kBigBarRows * (ScaleToDpi(kBigBarRowHeight96, in.dpi) + in.rowIncrement));
    }

    if (in.splitVisible) {
        SplitMiddle(in, area, rects);
    } else {
        rects.list = area;
    }
    if (in.abcMode == kAbcSmall) {
        const int width = std::min(ScaleToDpi(kSmallBarWidth96, in.dpi) + in.rowIncrement, rects.list.width);
        rects.list.width -= width;
        rects.smallBar = {rects.list.x + rects.list.width, rects.list.y, width, rects.list.height};
    }
    return rects;
}

uint32_t SplitThousandthsAt(const FrameRects& rects, int splitterTop) {
    const int room = rects.list.height + rects.pane.height;
    if (room <= 0) return 500;
    const int listHeight = std::clamp(splitterTop - rects.list.y, 0, room);
    return static_cast<uint32_t>(static_cast<int64_t>(listHeight) * 1000 / room);
}
