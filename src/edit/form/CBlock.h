#pragma once
// CBlock: one block of the edit form: a vertical list of elements, each a row of two small
// buttons, a label button and a value, over the labels the block offers (the built-in ones
// first, then custom ones). It computes its row height and layout at the screen's resolution,
// hit-tests its parts, and runs the label popup of an element: every label with the current one
// marked, then "Custom..." to type a label of one's own. What changes is told to the host.
#include <memory>
#include <optional>
#include <vector>

#include "core/array/Array.h"
#include "core/menu/MenuDescription.h"
#include "core/str/Str.h"
#include "edit/form/PseudoWnd.h"

// One row of a block. Its three parts (identifiers 1, 2, 3) are the two small buttons and the
// label button.
class CElement {
public:
    static constexpr int kNoLabel = -1;

    CElement(CBlock& block, int label);
    int Label() const { return label_; }
    void SetLabel(int label) { label_ = label; }
    const PseudoRect& Rect() const { return rect_; }
    Str caption;

private:
    friend class CBlock;
    int label_;
    PseudoRect rect_;
    CPseudoWnd parts_[3];
};

// What a point of the block hits.
enum class BlockPart { None, FirstButton, SecondButton, Label, Value, Elsewhere };

struct BlockHit {
    CElement* element = nullptr;
    BlockPart part = BlockPart::None;
};

// The heights of the letter "A" in the block's fonts, as the host measures them.
struct BlockFonts {
    int valueA = 0;
    int labelA = 0;
};

class CBlock : public CPseudoWnd {
public:
    // The label popup's commands: label i is kLabelCommand + i.
    static constexpr uint32_t kLabelCommand = 1000;
    static constexpr uint32_t kCustomCommand = 40241;
    static constexpr uint32_t kStrCustom = 40241, kStrRename = 302, kStrAddCustom = 303;
    static constexpr int kMaxLabel = 256;

    CBlock(int dpiX, int dpiY);
    ~CBlock() override;

    // Creates `count` elements, each with the label index given for it (none when `labels` is
    // shorter); `value` is the block's own value (-1 by default).
    [[nodiscard]] bool Init(int count, const std::vector<int>& labels, PseudoHost* host, CPseudoWnd* parent,
                            std::optional<PseudoRect> rect, bool freeLabels, int value = -1);

    void SetLabels(const Array<Str>& labels, int builtinCount);
    const Array<Str>& Labels() const { return labels_; }
    int BuiltinCount() const { return builtinCount_; }
    [[nodiscard]] bool FreeLabels() const { return freeLabels_; }
    int Value() const { return value_; }
    int LabelWidth() const { return labelWidth_; }
    int RowHeight() const { return rowHeight_; }
    void SetCaption(const Str& caption) { caption_ = caption; }
    const Str& Caption() const { return caption_; }
    void SetNotify(bool on) { notify_ = on; }
    void SetFrozen(bool on) { frozen_ = on; }

    int ElementCount() const { return static_cast<int>(elements_.size()); }
    CElement* Element(int index) const;
    int IndexOf(const CElement* element) const;
    CElement& AddElement(int label);
    // A new element at `index` (clamped to the list); the ones from there on move down a row.
    CElement& InsertElement(int index, int label);
    void RemoveElement(CElement* element);
    // An element taller than one row (several value lines); the next layout stacks it so. The
    // row height from the fonts resets it.
    void SetElementHeight(CElement& element, int height);

    // The row height from the fonts (unless frozen), then a layout.
    void SetFonts(const BlockFonts& fonts);
    void RequestLayout() { layoutNeeded_ = true; }
    // Stacks the elements below the top band and sizes the block; tells the host when its height
    // changed.
    void Layout();

    // The rectangle of `part` of `element` in block coordinates; none when the part is absent.
    std::optional<PseudoRect> PartRect(const CElement& element, BlockPart part) const;
    BlockHit HitTest(PseudoPoint at) const;

    CElement* Focused() const { return focused_; }
    // Moves the focus; the element that loses it is reported to the host.
    void SetFocused(CElement* element);

    // The label popup of `element`.
    MenuDescription LabelMenu(const CElement& element) const;
    // Applies a choice of the popup; true when it asks for the custom label dialog.
    [[nodiscard]] bool ChooseLabel(CElement& element, uint32_t command);
    // The custom label dialog: its prompt (a string number) and starting text.
    uint32_t CustomPrompt(const CElement& element) const;
    Str CustomStart(const CElement& element) const;
    // The dialog's text: an existing label is taken, any other one added; empty text changes nothing.
    void ApplyCustomLabel(CElement& element, const Str& text);

protected:
    // Whether the block takes the larger row height of its label font and buttons (field blocks
    // with a taller value of their own decline).
    [[nodiscard]] virtual bool AcceptsRowHeight() const { return true; }
    // Whether an element shows the first and the second small button.
    [[nodiscard]] virtual bool HasFirstButton(const CElement&) const {
        return freeLabels_ || elements_.size() > 1;
    }
    [[nodiscard]] virtual bool HasSecondButton(const CElement&) const { return false; }

private:
    int ScaleY(int n) const { return (n * dpiY_ + 48) / 96; }
    void Tell(CElement* element, int action);
    void Repaint(const CElement& element);

    int dpiY_;
    Array<Str> labels_;
    int builtinCount_ = 0;
    int labelWidth_;
    Str caption_;
    int rowHeight_ = 0;
    std::vector<std::unique_ptr<CElement>> elements_;
    CElement* focused_ = nullptr;
    bool notify_ = true;
    bool layoutNeeded_ = true;
    bool frozen_ = false;
    bool freeLabels_ = false;
    int value_ = -1;
};
