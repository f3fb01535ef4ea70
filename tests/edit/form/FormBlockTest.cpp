// The form's pieces without a display: pseudo-windows moved and registered, a block's geometry
// at 96 and 192 dpi, its label popup and custom labels, and the edit control's hold gesture and menu.
#include <gtest/gtest.h>

#include <array>

#include "edit/form/CBlock.h"
#include "edit/form/EditContextRules.h"

namespace {

class RecordingHost : public PseudoHost {
public:
    void InvalidateRect(const PseudoRect& rect) override { invalidated.push_back(rect); }
    void Update() override { ++updates; }
    void SetMouseCapture(bool on) override { captured = on; }
    void Notify(const BlockNotification& n) override { notified.push_back(n); }

    std::vector<int> Actions() const {
        std::vector<int> actions;
        for (const BlockNotification& n : notified) actions.push_back(n.action);
        return actions;
    }

    std::vector<PseudoRect> invalidated;
    std::vector<BlockNotification> notified;
    int updates = 0;
    bool captured = false;
};

class MoveRecorder : public CPseudoWnd {
public:
    std::vector<std::string> events;

protected:
    void OnSize(int w, int h, bool wc, bool hc) override {
        events.push_back("size " + std::to_string(w) + "x" + std::to_string(h) + (wc ? " w" : "") + (hc ? " h" : ""));
    }
    void OnMove(int ox, int oy, int nx, int ny) override {
        events.push_back("move " + std::to_string(ox) + "," + std::to_string(oy) + "->" + std::to_string(nx) + "," + std::to_string(ny));
    }
};

TEST(PseudoWnd, MovesRegistersAndCapturesThroughTheRoot) {
    RecordingHost host;
    CPseudoWnd root;
    ASSERT_TRUE(root.Create(&host, nullptr, PseudoRect{0, 0, 200, 100}, 1));
    MoveRecorder child;
    ASSERT_TRUE(child.Create(&host, &root, PseudoRect{10, 20, 50, 40}, 2));
    MoveRecorder leaf;
    ASSERT_TRUE(leaf.Create(&host, &child, PseudoRect{1, 2, 5, 6}, 3));
    EXPECT_FALSE(CPseudoWnd().Create(nullptr, nullptr, std::nullopt, 4)) << "a piece needs a host";

    child.Move(30, 40, 99, 99, CPseudoWnd::kKeepSize, false, false);
    child.Move(0, 0, 60, 20, CPseudoWnd::kKeepPosition, true, false);
    child.Move(5, 5, 1, 1, 0, false, true);
    EXPECT_EQ(child.events, (std::vector<std::string>{"move 10,20->30,40", "size 60x20 w"}));
    EXPECT_EQ(host.invalidated, (std::vector<PseudoRect>{{30, 40, 90, 60}}));
    EXPECT_EQ(host.updates, 1);
    EXPECT_EQ(leaf.ToHost(PseudoRect{0, 0, 2, 2}), (PseudoRect{6, 7, 8, 9}));
    EXPECT_EQ(child.FromParent(PseudoPoint{15, 15}), (PseudoPoint{10, 10}));

    leaf.SetCapture(&leaf);
    EXPECT_EQ(root.CaptureChild(), &leaf);
    EXPECT_TRUE(host.captured);
    child.Register(7, leaf);
    EXPECT_EQ(std::tuple(root.DescendantCount(), child.DescendantCount(), leaf.DescendantCount()), std::tuple(1, 1, 0));
    EXPECT_EQ(root.Registered(7), &leaf);
    {
        MoveRecorder gone;
        EXPECT_TRUE(gone.Create(&host, &leaf, std::nullopt, 8));
        root.Register(8, gone);
        EXPECT_EQ(root.DescendantCount(), 2);
    }
    EXPECT_EQ(root.DescendantCount(), 1) << "a piece that goes away is unregistered";
    EXPECT_EQ(root.Registered(8), nullptr);
    leaf.ReleaseCapture();
    EXPECT_EQ(root.CaptureChild(), nullptr);
    EXPECT_FALSE(host.captured);
}

TEST(CBlock, GeometryScalesWithTheScreen) {
    const struct { int dpi, label, band, button, row; } cases[] = {{96, 84, 3, 14, 16}, {192, 168, 6, 28, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        RecordingHost host;
        CBlock block(c.dpi, c.dpi);
        ASSERT_TRUE(block.Init(2, {0}, &host, nullptr, PseudoRect{0, 50, 300, 60}, false));
        block.SetFonts({10, 12});
        EXPECT_EQ(block.LabelWidth(), c.label);
        EXPECT_EQ(block.RowHeight(), c.row) << "the buttons' height is the largest";
        EXPECT_EQ(block.Element(1)->Rect(), (PseudoRect{0, c.band + c.row, 300, c.band + 2 * c.row}));
        EXPECT_EQ(block.Rect(), (PseudoRect{0, 50, 300, 50 + 2 * c.band + 2 * c.row})) << "the place is kept";
        EXPECT_EQ(host.Actions(), std::vector<int>{BlockNotification::kHeightChanged});
        EXPECT_EQ(block.Element(0)->Label(), 0);
        EXPECT_EQ(block.Element(1)->Label(), CElement::kNoLabel);

        const int y = c.band + c.row / 2;
        const std::pair<int, BlockPart> hits[] = {
            {1, BlockPart::FirstButton}, {c.button + 1, BlockPart::Elsewhere}, {2 * c.button, BlockPart::Label},
            {2 * c.button + c.label, BlockPart::Value}, {299, BlockPart::Value}};
        for (const auto& [x, part] : hits) {
            const BlockHit hit = block.HitTest({x, y});
            EXPECT_EQ(std::tuple(hit.element, hit.part), std::tuple(block.Element(0), part)) << x;
        }
        EXPECT_EQ(block.HitTest({5, 0}).part, BlockPart::None) << "the top band is no element";

        // An element of several value lines pushes the next one down; its label stays one row.
        block.SetElementHeight(*block.Element(0), 3 * c.row);
        block.Layout();
        EXPECT_EQ(block.Element(1)->Rect().top, c.band + 3 * c.row);
        EXPECT_EQ(block.Rect().Height(), 2 * c.band + 4 * c.row);
        EXPECT_EQ(block.HitTest({2 * c.button, c.band + 2 * c.row}).part, BlockPart::Elsewhere);
        EXPECT_EQ(block.HitTest({2 * c.button + c.label, c.band + 2 * c.row}).part, BlockPart::Value);

        block.SetFonts({40, 12});
        EXPECT_EQ(block.RowHeight(), 40) << "a taller value font sets the height";
        host.notified.clear();
        block.RemoveElement(block.Element(0));
        block.RemoveElement(block.Element(0));
        block.Layout();
        EXPECT_EQ(block.Rect().Height(), 0) << "a block without elements has no height";
        EXPECT_EQ(host.Actions(), (std::vector<int>{BlockNotification::kElementRemoved, BlockNotification::kElementRemoved,
                                                    BlockNotification::kHeightChanged}));
    }
}

TEST(CBlock, FocusLossIsToldOnlyWhenTheFocusMoves) {
    RecordingHost host;
    CBlock block(96, 96);
    EXPECT_TRUE(block.Init(2, {}, &host, nullptr, PseudoRect{0, 0, 200, 0}, true));
    block.SetFocused(block.Element(0));
    block.SetFocused(block.Element(0));
    block.SetFocused(block.Element(1));
    ASSERT_EQ(host.notified.size(), 1u);
    EXPECT_EQ(std::tuple(host.notified[0].action, host.notified[0].element), std::tuple(5, block.Element(0)));
    block.SetNotify(false);
    block.SetFocused(nullptr);
    EXPECT_EQ(host.notified.size(), 1u) << "a quiet block tells nothing";
}

TEST(CBlock, LabelPopupAndCustomLabels) {
    RecordingHost host;
    CBlock block(96, 96);
    EXPECT_TRUE(block.Init(2, {1, 1}, &host, nullptr, PseudoRect{0, 0, 200, 0}, false));
    Array<Str> labels;
    for (const char16_t* text : {u"Work", u"Home", u"Mobile", u"Boat"}) labels.Add(text);
    block.SetLabels(labels, 3);
    CElement& first = *block.Element(0);

    const MenuDescription menu = block.LabelMenu(first);
    std::vector<std::u16string> texts;
    for (const MenuItem& item : menu) {
        texts.push_back(item.separator ? u"-" : std::u16string(item.text.View()) + (item.mark == MenuMark::Radio ? u"*" : u""));
    }
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"Work", u"Home*", u"Mobile", u"-", u"Boat", u"-", u"Custom..."}));

    EXPECT_FALSE(block.ChooseLabel(first, CBlock::kLabelCommand + 2));
    EXPECT_EQ(first.Label(), 2);
    EXPECT_FALSE(block.ChooseLabel(first, CBlock::kLabelCommand + 9)) << "no such label";
    EXPECT_EQ(first.Label(), 2);
    EXPECT_TRUE(block.ChooseLabel(first, CBlock::kCustomCommand));
    EXPECT_EQ(block.CustomPrompt(first), CBlock::kStrAddCustom);
    EXPECT_EQ(block.CustomStart(first), Str(u"Mobile"));

    block.ApplyCustomLabel(first, u"Boat");
    EXPECT_EQ(std::tuple(first.Label(), block.Labels().GetSize()), std::tuple(3, 4)) << "an existing label is taken";
    EXPECT_EQ(block.CustomPrompt(first), CBlock::kStrRename);
    const Str typed(u"\u05D1\u05D9\u05EA \U0001F3E0 ");
    block.ApplyCustomLabel(*block.Element(1), typed);
    EXPECT_EQ(block.Element(1)->Label(), 4);
    EXPECT_EQ(block.Labels()[4], typed) << "kept as typed";
    block.ApplyCustomLabel(*block.Element(1), Str());
    EXPECT_EQ(block.Element(1)->Label(), 4) << "an empty text changes nothing";
    block.ApplyCustomLabel(first, Str(std::u16string(300, u'x')));
    EXPECT_EQ(block.CustomStart(first).GetLength(), CBlock::kMaxLabel);
}

TEST(EditContext, HoldOpensTheMenuOnlyWhenStill) {
    const struct { const char* what; int dx, dy; uint32_t later; bool timer, opens; } cases[] = {
        {"held still until the timer", 0, 0, 0, true, true},
        {"moved 7 pixels after the hold time", 7, -7, 401, false, true},
        {"moved 8 pixels", 8, 0, 401, true, false},
        {"moved 8 pixels up", 0, -8, 10, true, false},
        {"moved within the hold time", 3, 3, 400, false, false},
    };
    for (const auto& c : cases) {
        HoldGesture hold;
        hold.Press({100, 100}, 1000, false);
        bool opened = hold.Move({100 + c.dx, 100 + c.dy}, 1000 + c.later);
        if (c.timer) opened = hold.TimerFired() || opened;
        EXPECT_EQ(opened, c.opens) << c.what;
    }
    HoldGesture hold;
    hold.Press({1, 1}, 0, true);
    EXPECT_TRUE(hold.Release()) << "a double tap selects all on release";
    EXPECT_FALSE(hold.TimerFired()) << "lifting the stylus cancels the press";
    EXPECT_TRUE(PassesKeyToParent(0x26, true));
    EXPECT_FALSE(PassesKeyToParent(0x26, false));
    EXPECT_FALSE(PassesKeyToParent(0x25, true));
    EXPECT_TRUE(DropsChar(u'\t', true));
}

// Each command of the Edit menu is offered only when it can act on the text as it is.
TEST(EditContext, MenuGreysWhatCannotApply) {
    const uint32_t order[] = {kCmdEditUndo, kCmdEditCut, kCmdEditCopy, kCmdEditPaste, kCmdEditClear, kCmdEditSelectAll};
    const struct { const char* what; EditContextState state; std::array<bool, 6> enabled; } cases[] = {
        {"empty field, empty clipboard", {}, {false, false, false, false, false, false}},
        {"text without selection", {false, false, true, false, false}, {false, false, false, false, false, true}},
        {"selected text, something to paste", {true, true, true, true, false}, {true, true, true, true, true, true}},
        {"read-only selected text", {true, true, true, true, true}, {false, false, true, false, false, true}},
        {"nothing typed, something to paste", {false, false, false, true, false}, {false, false, false, true, false, false}},
    };
    for (const auto& c : cases) {
        const MenuDescription menu = EditContextMenu(c.state);
        ASSERT_EQ(menu.size(), 6u);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(menu[i].id, order[i]);
            EXPECT_EQ(menu[i].enabled, c.enabled[i]) << c.what << ": " << menu[i].text.ToUtf8();
        }
    }
}

}  // namespace
