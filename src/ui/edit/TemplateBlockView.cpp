#include "ui/edit/TemplateBlockView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/res/ResourceStrings.h"
#include "edit/mapper/TemplateForm.h"
#include "platform/ui/MessageBox.h"
#include "ui/edit/LabelPromptDlg.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "view/address/AddressFormatTable.h"
#include "view/template/ContactTemplate.h"
#include "view/template/FieldsMenu.h"
#include "view/template/TemplateContent.h"

namespace {

constexpr uint32_t kChoiceCommand = 1;  // choice i of a value popup is kChoiceCommand + i

// The name fields the name block lists: with one name field, the full name stands for the title,
// the first, middle and last name and the suffix.
bool ListsNameField(const BlockDescriptor& block, int entry) {
    const bool part = entry >= kNameTitle && entry <= kNameSuffix;
    if (entry == kNameFull) return block.nameColl;
    return !block.hidden[entry] && !(block.nameColl && part);
}

QString CaptionOf(int group) {
    if (group == kGroupName) return ToQString(RequireStr(kStrNameLabel));
    for (const FieldsMenuItem& item : FieldsMenuItems()) {
        if (item.group == group) return QString::fromUtf16(item.text);
    }
    return {};
}

// The text of a button that opens a choice.
QString Opening(const QString& text) { return text + QStringLiteral(" \u25BE"); }

QToolButton* SmallButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    button->setFixedSize(ScaleY(14), ScaleY(16));
    return button;
}

}  // namespace

TemplateBlockView::TemplateBlockView(const BlockDescriptor& block, const ContactTemplate& tpl, WndImpl& owner,
                                     QWidget* parent)
    : QFrame(parent), block_(block), template_(tpl), owner_(owner), popup_(ScreenDpiX(), ScreenDpiY()) {
    popup_.Init(1, {0}, this, nullptr, std::nullopt, block_.freeLabels);
    setFrameShape(QFrame::NoFrame);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(ScaleX(2), ScaleY(3), ScaleX(2), ScaleY(3));
    column->setSpacing(ScaleY(1));
    BuildCaption();
    rowsLayout_ = new QVBoxLayout;
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(ScaleY(1));
    column->addLayout(rowsLayout_);
    if (block_.group == kGroupName) {
        nameColl_ = new QCheckBox(QString::fromUtf16(kNameCollText), this);
        nameColl_->setChecked(block_.nameColl);
        connect(nameColl_, &QCheckBox::toggled, this, [this](bool on) {
            block_.nameColl = on;
            BuildNameRows();
        });
        column->addWidget(nameColl_);
        BuildNameRows();
    } else if (HasEntryRows()) {
        BuildRows();
    } else {
        BuildFixedRow();
    }
}

TemplateBlockView::~TemplateBlockView() = default;

void TemplateBlockView::BuildCaption() {
    caption_ = new QLabel(CaptionOf(block_.group), this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    setAccessibleName(caption_->text());
    layout()->addWidget(caption_);
}

bool TemplateBlockView::HasEntryRows() const {
    return block_.group != kGroupName && block_.group != kGroupOffice && block_.group != kGroupCategories;
}

QString TemplateBlockView::LabelText(int label) const {
    return label >= 0 && label < block_.labels.GetSize() ? ToQString(FullLabel(block_.labels[label])) : QString();
}

QString TemplateBlockView::RowLabel(int row) const { return LabelText(block_.rows[row].label); }

void TemplateBlockView::BuildNameRows() {
    for (QWidget* line : nameLines_) line->deleteLater();
    nameLines_.clear();
    for (int entry = kNameFull; entry < kNameEntryCount; ++entry) {
        if (!ListsNameField(block_, entry)) continue;
        auto* field = new QLabel(LabelText(entry), this);
        field->setIndent(ScaleX(30));
        rowsLayout_->addWidget(field);
        nameLines_.push_back(field);
    }
}

void TemplateBlockView::BuildFixedRow() {
    auto* line = new QLabel(ToQString(block_.hint), this);
    line->setIndent(ScaleX(30));
    line->setForegroundRole(QPalette::PlaceholderText);
    line->setAccessibleName(caption_->text());
    rowsLayout_->addWidget(line);
}

void TemplateBlockView::BuildRows() {
    for (const RowWidgets& row : rows_) {
        rowsLayout_->removeWidget(row.line);
        row.line->hide();
        row.line->deleteLater();
    }
    rows_.clear();
    for (int index = 0; index < block_.rows.GetSize(); ++index) rows_.push_back(MakeRow(index));
}

TemplateBlockView::RowWidgets TemplateBlockView::MakeRow(int index) {
    RowWidgets row;
    row.line = new QWidget(this);
    auto* layout = new QHBoxLayout(row.line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(ScaleX(2));
    const QString label = RowLabel(index);
    row.remove = SmallButton(QStringLiteral("\u2212"), QStringLiteral("Remove %1").arg(label), row.line);
    row.remove->setEnabled(block_.rows.GetSize() > 1);
    row.add = SmallButton(QStringLiteral("+"), QStringLiteral("Add after %1").arg(label), row.line);
    // The label column: the button at its left edge, the arrow saying that it opens a choice.
    auto* column = new QWidget(row.line);
    column->setFixedWidth(popup_.LabelWidth());
    auto* columnLayout = new QHBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    row.label = new QToolButton(column);
    row.label->setText(Opening(label));
    row.label->setAccessibleName(label);
    row.label->setAccessibleDescription(caption_->text());
    row.label->setAutoRaise(true);
    row.label->setToolButtonStyle(Qt::ToolButtonTextOnly);
    columnLayout->addWidget(row.label, 0, Qt::AlignLeft);
    connect(row.remove, &QToolButton::clicked, this, [this, index] { RemoveRow(index); });
    connect(row.add, &QToolButton::clicked, this, [this, index] { AddRow(index); });
    connect(row.label, &QToolButton::clicked, this, [this, index] { RunLabelPopup(index); });
    layout->addWidget(row.remove);
    layout->addWidget(row.add);
    layout->addWidget(column);
    row.value = MakeValueButton(index, row.line);
    if (row.value != nullptr) {
        layout->addWidget(row.value, 1);
    } else {
        auto* hint = new QLabel(ToQString(block_.hint), row.line);
        hint->setForegroundRole(QPalette::PlaceholderText);
        hint->setAccessibleName(label);
        layout->addWidget(hint, 1);
    }
    rowsLayout_->addWidget(row.line);
    return row;
}

QToolButton* TemplateBlockView::MakeValueButton(int index, QWidget* line) {
    if (block_.kind != kBlockMessaging && block_.kind != kBlockAddress) return nullptr;
    auto* value = new QToolButton(line);
    value->setAccessibleName(RowLabel(index));
    ShowValue(value, index);
    // A long country name is cut rather than widening the form past the screen.
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(value, &QToolButton::clicked, this, [this, index] { RunValuePopup(index); });
    return value;
}

void TemplateBlockView::ShowValue(QToolButton* button, int index) const {
    button->setText(Opening(ValueText(index)));
    button->setAccessibleDescription(ValueText(index));
}

QString TemplateBlockView::ValueText(int index) const {
    const BlockRow& row = block_.rows[index];
    if (block_.kind == kBlockMessaging) return ToQString(row.msgType);
    const AddressFormat* format = AddressFormatTable::Instance().FormatOrDefault(row.format);
    return format != nullptr ? ToQString(format->name) : QString();
}

QWidget* TemplateBlockView::FirstField() const {
    if (nameColl_ != nullptr) return nameColl_;
    return rows_.empty() ? nullptr : rows_.front().label;
}

void TemplateBlockView::FocusRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    rows_[row].label->setFocus();
}

void TemplateBlockView::RunLabelPopup(int row) {
    CElement& element = *popup_.Element(0);
    popup_.SetLabels(block_.labels, block_.builtinCount);
    element.SetLabel(block_.rows[row].label);
    QToolButton* button = rows_[row].label;
    const uint32_t command =
        TrackPopupMenu(popup_.LabelMenu(element), button->mapToGlobal(QPoint(0, button->height())), this);
    if (popup_.ChooseLabel(element, command) && !PromptCustomLabel(element)) return;
    if (element.Label() == block_.rows[row].label) return;
    block_.labels = popup_.Labels();
    block_.rows[row].label = element.Label();
    BuildRows();
    FocusRow(row);
}

bool TemplateBlockView::PromptCustomLabel(CElement& element) {
    LabelPromptDlg prompt(ToQString(RequireStr(popup_.CustomPrompt(element))), ToQString(popup_.CustomStart(element)));
    if (prompt.DoModal(owner_) != plat::IDOK) return false;
    const Str text = FromQString(prompt.Text());
    if (!CanBeTemplateName(text)) {
        plat::MessageBox(u"A label of the template cannot begin with \"[\".", u"Brevane",
                         plat::MB_OK | plat::MB_ICONWARNING);
        return false;
    }
    popup_.ApplyCustomLabel(element, text);
    return true;
}

void TemplateBlockView::RunValuePopup(int row) {
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
    QToolButton* button = rows_[row].value;
    const uint32_t command = TrackPopupMenu(menu, button->mapToGlobal(QPoint(0, button->height())), this);
    if (command == 0) return;
    const int choice = static_cast<int>(command - kChoiceCommand);
    if (block_.kind == kBlockMessaging) {
        value.msgType = template_.Group(kGroupMessaging)->msgTypeNames[choice];
    } else {
        value.format = choice;
    }
    ShowValue(button, row);
}

void TemplateBlockView::AddRow(int row) {
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
    BuildRows();
    FocusRow(row + 1);
}

void TemplateBlockView::RemoveRow(int row) {
    if (block_.rows.GetSize() <= 1) return;
    block_.rows.RemoveAt(row);
    BuildRows();
    FocusRow(std::min(row, RowCount() - 1));
}

BlockDescriptor TemplateBlockView::Read() const { return block_; }
