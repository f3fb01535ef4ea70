#include "edit/form/CBlock.h"

#include <algorithm>

#include "core/res/ResourceStrings.h"

namespace {

constexpr int kLabelWidth96 = 84;
constexpr int kBand96 = 3;
constexpr int kButtonWidth96 = 14;
constexpr int kButtonHeight96 = 16;

}  // namespace

CElement::CElement(CBlock& block, int label) : label_(label) {
    // A part of a block always has its host.
    for (uint32_t id = 1; id <= 3; ++id) (void)parts_[id - 1].Create(block.Host(), &block, std::nullopt, id);
}

CBlock::CBlock(int dpiX, int dpiY) : dpiY_(dpiY), labelWidth_((kLabelWidth96 * dpiX + 48) / 96) {}

CBlock::~CBlock() { elements_.clear(); }

bool CBlock::Init(int count, const std::vector<int>& labels, PseudoHost* host, CPseudoWnd* parent,
                  std::optional<PseudoRect> rect, bool freeLabels, int value) {
    if (!Create(host, parent, rect, 0)) return false;
    freeLabels_ = freeLabels;
    value_ = value;
    for (int index = 0; index < count; ++index) {
        AddElement(index < static_cast<int>(labels.size()) ? labels[index] : CElement::kNoLabel);
    }
    return true;
}

void CBlock::SetLabels(const Array<Str>& labels, int builtinCount) {
    labels_ = labels;
    builtinCount_ = std::clamp(builtinCount, 0, labels.GetSize());
}

CElement* CBlock::Element(int index) const {
    return index >= 0 && index < ElementCount() ? elements_[index].get() : nullptr;
}

int CBlock::IndexOf(const CElement* element) const {
    for (int index = 0; index < ElementCount(); ++index) {
        if (elements_[index].get() == element) return index;
    }
    return -1;
}

CElement& CBlock::AddElement(int label) { return InsertElement(ElementCount(), label); }

CElement& CBlock::InsertElement(int index, int label) {
    const auto at = elements_.begin() + std::clamp(index, 0, ElementCount());
    auto& element = **elements_.insert(at, std::make_unique<CElement>(*this, label));
    element.rect_ = {0, 0, Rect().Width(), rowHeight_};
    layoutNeeded_ = true;
    return element;
}

void CBlock::RemoveElement(CElement* element) {
    const int index = IndexOf(element);
    if (index < 0) return;
    if (focused_ == element) focused_ = nullptr;
    const std::unique_ptr<CElement> gone = std::move(elements_[index]);
    elements_.erase(elements_.begin() + index);
    layoutNeeded_ = true;
    Tell(gone.get(), BlockNotification::kElementRemoved);
}

void CBlock::SetElementHeight(CElement& element, int height) {
    element.rect_.bottom = element.rect_.top + std::max(height, 0);
    layoutNeeded_ = true;
}

void CBlock::SetFonts(const BlockFonts& fonts) {
    if (!frozen_) {
        rowHeight_ = fonts.valueA;
        if (AcceptsRowHeight()) rowHeight_ = std::max({rowHeight_, fonts.labelA, ScaleY(kButtonHeight96)});
        for (const auto& element : elements_) element->rect_.bottom = element->rect_.top + rowHeight_;
    }
    layoutNeeded_ = true;
    Layout();
    InvalidateSelf();
}

void CBlock::Layout() {
    if (Host() == nullptr || frozen_ || !layoutNeeded_) return;
    layoutNeeded_ = false;
    const int band = ScaleY(kBand96);
    int y = band;
    for (const auto& element : elements_) {
        const int height = element->rect_.Height();
        element->rect_ = {0, y, Rect().Width(), y + height};
        y += height;
    }
    const int height = elements_.empty() ? 0 : y + band;
    if (height == Rect().Height()) return;
    Move(0, 0, Rect().Width(), height, kKeepPosition, false, false);
    Tell(nullptr, BlockNotification::kHeightChanged);
}

std::optional<PseudoRect> CBlock::PartRect(const CElement& element, BlockPart part) const {
    const int s = ScaleY(kButtonWidth96);
    const int h = ScaleY(kButtonHeight96);
    const PseudoRect& row = element.rect_;
    const int buttonTop = row.top + (std::min(row.Height(), rowHeight_) - h) / 2;
    const bool first = HasFirstButton(element);
    switch (part) {
        case BlockPart::FirstButton:
            if (!first) return std::nullopt;
            return PseudoRect{0, buttonTop, s, buttonTop + h};
        case BlockPart::SecondButton: {
            if (!HasSecondButton(element)) return std::nullopt;
            const int left = first ? s : 0;
            return PseudoRect{left, buttonTop, left + s, buttonTop + h};
        }
        case BlockPart::Label: return PseudoRect{2 * s, row.top, 2 * s + labelWidth_, row.top + rowHeight_};
        case BlockPart::Value: return PseudoRect{2 * s + labelWidth_, row.top, Rect().Width(), row.bottom};
        default: return std::nullopt;
    }
}

BlockHit CBlock::HitTest(PseudoPoint at) const {
    for (const auto& element : elements_) {
        if (!element->rect_.Contains(at)) continue;
        for (BlockPart part : {BlockPart::FirstButton, BlockPart::SecondButton, BlockPart::Label, BlockPart::Value}) {
            const std::optional<PseudoRect> rect = PartRect(*element, part);
            if (rect && rect->Contains(at)) return {element.get(), part};
        }
        return {element.get(), BlockPart::Elsewhere};
    }
    return {};
}

void CBlock::SetFocused(CElement* element) {
    if (element == focused_) return;
    CElement* lost = focused_;
    focused_ = element;
    if (lost != nullptr) Tell(lost, BlockNotification::kFocusLost);
}

MenuDescription CBlock::LabelMenu(const CElement& element) const {
    MenuDescription menu;
    for (int index = 0; index < labels_.GetSize(); ++index) {
        if (index == builtinCount_ && index > 0) menu.AddSeparator();
        menu.Add(kLabelCommand + static_cast<uint32_t>(index), labels_[index]).mark =
            index == element.label_ ? MenuMark::Radio : MenuMark::None;
    }
    menu.AddSeparator();
    menu.Add(kCustomCommand, RequireStr(kStrCustom));
    return menu;
}

bool CBlock::ChooseLabel(CElement& element, uint32_t command) {
    if (command == kCustomCommand) return true;
    if (command < kLabelCommand || command >= kLabelCommand + static_cast<uint32_t>(labels_.GetSize())) return false;
    element.label_ = static_cast<int>(command - kLabelCommand);
    Repaint(element);
    return false;
}

uint32_t CBlock::CustomPrompt(const CElement& element) const {
    return element.label_ >= builtinCount_ ? kStrRename : kStrAddCustom;
}

Str CBlock::CustomStart(const CElement& element) const {
    if (element.label_ < 0 || element.label_ >= labels_.GetSize()) return Str();
    return labels_[element.label_].Left(kMaxLabel);
}

void CBlock::ApplyCustomLabel(CElement& element, const Str& text) {
    if (text.IsEmpty()) return;
    for (int index = 0; index < labels_.GetSize(); ++index) {
        if (labels_[index] == text) {
            element.label_ = index;
            return Repaint(element);
        }
    }
    labels_.Add(text);
    element.label_ = labels_.GetSize() - 1;
    Repaint(element);
}

void CBlock::Tell(CElement* element, int action) {
    if (!notify_ || Host() == nullptr) return;
    Host()->Notify({Id(), BlockNotification::kCode, this, element, action});
}

void CBlock::Repaint(const CElement& element) {
    layoutNeeded_ = true;
    Layout();
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(element.rect_));
}
