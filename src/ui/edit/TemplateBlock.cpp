#include "ui/edit/TemplateBlock.h"

#include <algorithm>

#include "core/res/ResourceStrings.h"
#include "edit/mapper/TemplateForm.h"
#include "platform/ui/MessageBox.h"
#include "ui/edit/LabelPromptDlg.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"
#include "view/address/AddressFormatTable.h"
#include "view/template/ContactTemplate.h"
#include "view/template/FieldsMenu.h"
#include "view/template/TemplateContent.h"

namespace {

constexpr uint32_t kChoiceCommand = 1;  // choice i of a value popup is kChoiceCommand + i

QString CaptionOf(int group) {
    if (group == kGroupName) return ToQString(RequireStr(kStrNameLabel));
    for (const FieldsMenuItem& item : FieldsMenuItems()) {
        if (item.group == group) return UiText(item.text);
    }
    return {};
}

}  // namespace

TemplateBlock::TemplateBlock(const BlockDescriptor& block, const ContactTemplate& tpl, int dpiX, int dpiY)
    : FormBlock(block.group, block.freeLabels, dpiX, dpiY), block_(block), template_(tpl) {
    SetLabels(block_.labels, block_.builtinCount);
    SetCaption(FromQString(CaptionOf(block_.group)));
}

bool TemplateBlock::HasEntryRows() const {
    return block_.group != kGroupName && block_.group != kGroupOffice && block_.group != kGroupCategories;
}

// With one name field, the full name stands for the title, the first, middle and last name and the
// suffix.
std::vector<int> TemplateBlock::NameFields() const {
    std::vector<int> fields;
    for (int entry = kNameFull; entry < kNameEntryCount; ++entry) {
        const bool part = entry >= kNameTitle && entry <= kNameSuffix;
        if (entry == kNameFull ? block_.nameColl : !block_.hidden[entry] && !(block_.nameColl && part)) {
            fields.push_back(entry);
        }
    }
    return fields;
}

// Element 0 is the heading; then the rows, the name fields and the name block's switch, or the
// fixed row.
std::vector<int> TemplateBlock::ElementLabels() const {
    std::vector<int> labels{CElement::kNoLabel};
    if (block_.group == kGroupName) {
        for (const int entry : NameFields()) labels.push_back(entry);
        labels.push_back(CElement::kNoLabel);  // the switch
    } else if (HasEntryRows()) {
        for (const BlockRow& row : block_.rows) labels.push_back(row.label);
    } else {
        labels.push_back(CElement::kNoLabel);
    }
    return labels;
}

int TemplateBlock::RowOf(int element) const {
    return HasEntryRows() && element >= 1 && element <= block_.rows.GetSize() ? element - 1 : -1;
}

void TemplateBlock::AddCells(int element, std::vector<FormCell>& cells) const {
    const bool nameSwitch = block_.group == kGroupName && element == ElementCount() - 1;
    if (nameSwitch || (RowOf(element) >= 0 && HasValueChoice()))
        cells.push_back({CellKind::Choice, element, 0, -1});
}

PseudoRect TemplateBlock::CellRect(const FormCell& cell) const {
    PseudoRect rect = FormBlock::CellRect(cell);
    // The name block's switch takes the label's place too.
    if (RowOf(cell.element) < 0) rect.left = PartRect(*Element(cell.element), BlockPart::Label)->left;
    return rect;
}

QString TemplateBlock::LabelText(int label) const {
    const Array<Str>& labels = Labels();
    return label >= 0 && label < labels.GetSize() ? ToQString(FullLabel(labels[label])) : QString();
}

QString TemplateBlock::RowLabel(int row) const { return LabelText(Element(ElementOfRow(row))->Label()); }

QString TemplateBlock::ElementLabel(int element) const {
    if (element == 0) return ToQString(Caption());
    return LabelText(Element(element)->Label());
}

QString TemplateBlock::ValueHint(int element) const {
    return element > 0 && block_.group != kGroupName ? ToQString(block_.hint) : QString();
}

QString TemplateBlock::ValueText(int row) const {
    const BlockRow& value = block_.rows[row];
    if (block_.kind == kBlockMessaging) return ToQString(value.msgType);
    const AddressFormat* format = AddressFormatTable::Instance().FormatOrDefault(value.format);
    return format != nullptr ? ToQString(format->name) : QString();
}

QString TemplateBlock::CellText(const FormCell& cell) const {
    const int row = RowOf(cell.element);
    if (row >= 0) return ValueText(row);
    return (block_.nameColl ? QStringLiteral("\u2611 ") : QStringLiteral("\u2610 ")) +
           UiText(uistr::kNameAsOneField);
}

QString TemplateBlock::ElementValue(int element) const {
    const QString value = FormBlock::ElementValue(element);
    return value.isEmpty() ? ValueHint(element) : value;
}

QString TemplateBlock::ButtonText(BlockPart part) const {
    return part == BlockPart::FirstButton ? QStringLiteral("\u2212") : QStringLiteral("+");
}

bool TemplateBlock::ButtonEnabled(int, BlockPart part) const {
    return part != BlockPart::FirstButton || block_.rows.GetSize() > 1;
}

void TemplateBlock::RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner) {
    if (RowOf(element) < 0) return;
    CElement& row = *Element(element);
    const uint32_t command = TrackPopupMenu(LabelMenu(row), at, parent, PopupAlign::Right);
    // Cancelled or refused (said in a box): the label stays.
    if (ChooseLabel(row, command)) (void)PromptCustomLabel(row, owner);
}

bool TemplateBlock::PromptCustomLabel(CElement& element, WndImpl& owner) {
    LabelPromptDlg prompt(ToQString(RequireStr(CustomPrompt(element))), ToQString(CustomStart(element)));
    if (prompt.DoModal(owner) != plat::IDOK) return false;
    const Str text = FromQString(prompt.Text());
    if (!CanBeTemplateName(text)) {
        plat::MessageBox(RequireStr(uistr::kLabelBracket).View(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
        return false;
    }
    ApplyCustomLabel(element, text);
    return true;
}

void TemplateBlock::RunChoice(const FormCell& cell, const QPoint& at, QWidget* parent, WndImpl&) {
    const int row = RowOf(cell.element);
    if (row >= 0) return RunValuePopup(row, at, parent);
    block_.nameColl = !block_.nameColl;
    Rebuild();
}

void TemplateBlock::RunValuePopup(int row, const QPoint& at, QWidget* parent) {
    BlockRow& value = block_.rows[row];
    MenuDescription menu;
    if (block_.kind == kBlockMessaging) {
        const Array<Str>& types = template_.Group(kGroupMessaging)->msgTypeNames;
        for (int index = 0; index < types.GetSize(); ++index) {
            menu.Add(kChoiceCommand + static_cast<uint32_t>(index), types[index]).mark =
                types[index] == value.msgType ? MenuMark::Radio : MenuMark::None;
        }
    } else {
        const AddressFormatTable& table = AddressFormatTable::Instance();
        for (int index = 0; index < table.GetSize(); ++index) {
            menu.Add(kChoiceCommand + static_cast<uint32_t>(index), table.FormatAt(index)->name).mark =
                index == value.format ? MenuMark::Radio : MenuMark::None;
        }
    }
    const uint32_t command = TrackPopupMenu(menu, at, parent);
    if (command < kChoiceCommand) return;
    const int choice = static_cast<int>(command - kChoiceCommand);
    if (block_.kind == kBlockMessaging) {
        value.msgType = template_.Group(kGroupMessaging)->msgTypeNames[choice];
    } else {
        value.format = choice;
    }
    RepaintAll();
}

int TemplateBlock::OnSmallButton(int element, BlockPart part) {
    const int row = RowOf(element);
    if (row < 0) return -1;
    block_ = Read();  // the labels chosen so far go with the rows
    if (part == BlockPart::FirstButton) {
        if (block_.rows.GetSize() <= 1) return -1;
        block_.rows.RemoveAt(row);
        Rebuild();
        return ElementOfRow(std::min(row, block_.rows.GetSize() - 1));
    }
    BlockRow added = block_.rows[row];
    for (int label = 0; label < block_.labels.GetSize(); ++label) {
        const bool used = std::any_of(block_.rows.begin(), block_.rows.end(),
                                      [&](const BlockRow& existing) { return existing.label == label; });
        if (!used) {
            added.label = label;
            break;
        }
    }
    block_.rows.InsertAt(row + 1, added);
    Rebuild();
    return ElementOfRow(row + 1);
}

void TemplateBlock::Rebuild() {
    while (ElementCount() > 0) RemoveElement(Element(0));
    for (const int label : ElementLabels()) AddElement(label);
    Relayout();
    BuildCells();
    RepaintAll();
}

BlockDescriptor TemplateBlock::Read() const {
    BlockDescriptor block = block_;
    block.labels = Labels();
    for (int row = 0; row < RowCount(); ++row) block.rows[row].label = Element(ElementOfRow(row))->Label();
    return block;
}
