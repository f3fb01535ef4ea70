#include "ui/edit/FieldBlock.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>

#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/ui/MessageBox.h"
#include "store/contact/Contact.h"
#include "ui/categories/CApCatList.h"
#include "ui/edit/DateField.h"
#include "ui/edit/LabelPromptDlg.h"
#include "ui/edit/PictureFile.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"
#include "ui/view/HeadingImage.h"
#include "view/address/AddressFormatTable.h"

namespace {

constexpr int kPicture96 = 48;        // the side of the picture in the name block
constexpr int kNoteLines = 4;         // the note shows this many lines
constexpr uint32_t kTypeCommand = 1;  // messenger type i is 1 + i

QString NoteTextOf(const ByteBlock& note) {
    Contact holder;
    holder.SetNote(note);
    return ToQString(holder.GetNoteText());
}

ByteBlock NoteOf(const QString& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(text.size()) * 2);
    for (const QChar unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit.unicode() & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit.unicode() >> 8));
    }
    return ByteBlock(std::move(bytes));
}

QString CategoryNames(const Array<uint32_t>& ids) {
    Array<Str> names;
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr || !categories->GetCategoryNames(ids, names)) return QStringLiteral("...");
    const QString joined = ToQString(CategoryManager::JoinNames(names));
    return joined.isEmpty() ? UiText(uistr::kNoCategories) : joined;
}

// The picture scaled into a square of `side` pixels; without a picture, an empty frame.
void PaintPicture(QPainter& painter, const QImage& picture, const QRect& square) {
    painter.fillRect(square, QColor(226, 232, 240));
    if (picture.isNull()) {
        painter.setPen(QPen(QColor(148, 160, 176), 1, Qt::DashLine));
        painter.drawRect(square.adjusted(0, 0, -1, -1));
        return;
    }
    const QImage scaled = picture.scaled(square.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(square.left() + (square.width() - scaled.width()) / 2,
                      square.top() + (square.height() - scaled.height()) / 2, scaled);
}

bool HasLabelColumnOnly(int kind) { return kind == kBlockCategories || kind == kBlockNote; }

}  // namespace

FieldBlock::FieldBlock(const BlockDescriptor& block, int dpiX, int dpiY)
    : FormBlock(block.group, block.freeLabels, dpiX, dpiY), block_(block) {
    SetLabels(block_.labels, block_.builtinCount);
    SetCaption(block_.hint);
    if (block_.kind == kBlockName) {
        for (int entry = kNameTitle; entry < kNameEntryCount; ++entry) {
            if (!block_.hidden[entry]) nameEntries_.push_back(entry);
        }
    }
    if (block_.kind == kBlockAddress) {
        for (const BlockRow& row : block_.rows) {
            AddressElement& address = addresses_.emplace_back();
            // An unknown format keeps the default one.
            (void)address.SetFormat(row.format, AddressFormatTable::Instance());
            address.SetParts(row.parts);
        }
    }
    if (block_.kind == kBlockNote) note_ = noteAsLoaded_ = NoteTextOf(block_.note);
}

bool FieldBlock::HasRows() const {
    return block_.kind != kBlockName && block_.kind != kBlockSingle && !HasLabelColumnOnly(block_.kind);
}

bool FieldBlock::IsPicture(int element) const {
    return block_.kind == kBlockName && element == static_cast<int>(nameEntries_.size());
}

std::vector<int> FieldBlock::ElementLabels() const {
    std::vector<int> labels;
    if (block_.kind == kBlockName) {
        labels = nameEntries_;
        labels.push_back(CElement::kNoLabel);  // the picture
    } else if (HasLabelColumnOnly(block_.kind)) {
        labels.push_back(CElement::kNoLabel);
    } else {
        for (const BlockRow& row : block_.rows) labels.push_back(block_.kind == kBlockSingle ? 0 : row.label);
    }
    return labels;
}

int FieldBlock::LinesOf(int element) const {
    if (block_.kind == kBlockAddress) return std::max(1, addresses_[element].Lines().GetSize());
    if (block_.kind == kBlockNote) return kNoteLines;
    if (block_.kind == kBlockMessaging) return 2;
    return 1;
}

// Elements of several value lines, and the picture, are taller than a row.
int FieldBlock::ElementHeight(int element) const {
    if (IsPicture(element)) return std::max(RowHeight(), Scale(kPicture96 + 4));
    return LinesOf(element) * RowHeight();
}

void FieldBlock::AddCells(int index, std::vector<FormCell>& cells) const {
    switch (block_.kind) {
        case kBlockName:
            if (IsPicture(index)) return cells.push_back({CellKind::Picture, index, 0, -1});
            return cells.push_back({CellKind::Text, index, 0, nameEntries_[index]});
        case kBlockCategories: return cells.push_back({CellKind::Choice, index, 0, -1});
        case kBlockNote: return cells.push_back({CellKind::Note, index, 0, -1});
        case kBlockDate: return cells.push_back({CellKind::Date, index, 0, -1});
        case kBlockAddress: {
            const Array<int>& lines = addresses_[index].Lines();
            for (int line = 0; line < lines.GetSize(); ++line)
                cells.push_back({CellKind::Text, index, line, lines[line]});
            return;
        }
        case kBlockMessaging:  // the number, and its type below it
            cells.push_back({CellKind::Text, index, 0, -1});
            return cells.push_back({CellKind::Choice, index, 1, -1});
        default: return cells.push_back({CellKind::Text, index, 0, -1});
    }
}

int FieldBlock::NameCell(int entry) const {
    if (block_.kind != kBlockName) return -1;
    for (int index = 0; index < static_cast<int>(Cells().size()); ++index) {
        if (Cells()[index].kind == CellKind::Text && Cells()[index].slot == entry) return index;
    }
    return -1;
}

QString FieldBlock::LabelText(int label) const {
    const Array<Str>& labels = Labels();
    return label >= 0 && label < labels.GetSize() ? ToQString(FullLabel(labels[label])) : QString();
}

QString FieldBlock::ElementLabel(int element) const {
    switch (block_.kind) {
        case kBlockName:
            return IsPicture(element) ? UiText(uistr::kPicture) : LabelText(nameEntries_[element]);
        case kBlockCategories: return ToQString(RequireStr(kStrCategories));
        case kBlockNote: return ToQString(RequireStr(kStrNote));
        case kBlockSingle: return LabelText(0);
        default: {
            const QString label = LabelText(Element(element)->Label());
            return label.isEmpty() ? ToQString(block_.hint) : label;
        }
    }
}

QString FieldBlock::CellText(const FormCell& cell) const {
    switch (cell.kind) {
        case CellKind::Date: return DateField::TextOf(block_.rows[cell.element].date);
        case CellKind::Choice: {
            if (block_.kind == kBlockCategories) return CategoryNames(block_.categories);
            const Str& type = block_.rows[cell.element].msgType;
            return type.IsEmpty() ? UiText(uistr::kNoType) : ToQString(type);
        }
        case CellKind::Picture: return PictureText();
        case CellKind::Note: return note_;
        case CellKind::Text: break;
    }
    if (block_.kind == kBlockName) return ToQString(block_.nameValues[cell.slot]);
    if (block_.kind == kBlockAddress) return ToQString(addresses_[cell.element].Parts()[cell.slot]);
    return ToQString(block_.rows[cell.element].text);
}

QString FieldBlock::Placeholder(const FormCell& cell) const {
    if (cell.kind != CellKind::Text || block_.kind == kBlockName) return {};
    if (block_.kind == kBlockAddress) return ToQString(addresses_[cell.element].Placeholder(cell.slot));
    return ToQString(block_.hint);
}

void FieldBlock::SetCellText(const FormCell& cell, const QString& text) {
    if (text == CellText(cell)) return;  // left alone: the value stays exactly as it came
    if (cell.kind == CellKind::Note) {
        note_ = text;
    } else if (cell.kind != CellKind::Text) {
        return;
    } else if (block_.kind == kBlockName) {
        block_.nameValues[cell.slot] = FromQString(text);
    } else if (block_.kind == kBlockAddress) {
        addresses_[cell.element].LeaveLine(cell.slot, text.toStdU16String());
    } else {
        block_.rows[cell.element].text = FromQString(text);
    }
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(CellRect(cell)));
}

uint64_t FieldBlock::CellDate(const FormCell& cell) const { return block_.rows[cell.element].date; }

void FieldBlock::SetCellDate(const FormCell& cell, uint64_t date) {
    block_.rows[cell.element].date = date;
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(CellRect(cell)));
}

QString FieldBlock::PictureText() const {
    const QImage image = PictureImage(block_.picture);
    return image.isNull() ? UiText(uistr::kNoPicture)
                          : UiText(uistr::kPictureSize).arg(image.width()).arg(image.height());
}

BlockDescriptor FieldBlock::Read() const {
    BlockDescriptor block = block_;
    block.labels = Labels();
    if (HasRows()) {
        for (int index = 0; index < block.rows.GetSize(); ++index)
            block.rows[index].label = Element(index)->Label();
    }
    for (int index = 0; index < static_cast<int>(addresses_.size()); ++index) {
        block.rows[index].parts = addresses_[index].Parts();
        block.rows[index].format = addresses_[index].FormatIndex();
    }
    // An untouched note keeps its stored bytes; an edited one is stored as typed.
    if (block.kind == kBlockNote && note_ != noteAsLoaded_) block.note = NoteOf(note_);
    return block;
}

int FieldBlock::OnSmallButton(int element, BlockPart part) {
    if (element < 0 || element >= block_.rows.GetSize()) return -1;
    if (part == BlockPart::SecondButton) {
        block_.rows[element].date = 0;
        if (Host() != nullptr) Host()->InvalidateRect(ToHost(Element(element)->Rect()));
        return element;
    }
    // The new row goes right below the tapped one, so rows, addresses and elements keep one order.
    const int added = element + 1;
    BlockRow row;
    row.label = Element(element)->Label();
    row.msgType = block_.rows[element].msgType;
    row.format = block_.rows[element].format;
    block_.rows.InsertAt(added, row);
    if (block_.kind == kBlockAddress) {
        // An unknown format keeps the default one.
        (void)addresses_.emplace(addresses_.begin() + added)
            ->SetFormat(row.format, AddressFormatTable::Instance());
    }
    InsertElement(added, row.label);
    Relayout();
    BuildCells();
    RepaintAll();
    return added;
}

void FieldBlock::RunChoice(const FormCell& cell, const QPoint& at, QWidget* parent, WndImpl& owner) {
    if (cell.kind == CellKind::Picture) return RunPictureMenu(at, parent);
    if (cell.kind != CellKind::Choice) return;
    if (block_.kind == kBlockCategories) return RunCategories(owner);
    RunTypePopup(cell.element, at, parent);
}

void FieldBlock::RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner) {
    CElement& row = *Element(element);
    MenuDescription menu = LabelMenu(row);
    if (block_.kind == kBlockAddress) menu.Add(kStrAddressFormat, RequireStr(kStrAddressFormat));
    const uint32_t command = TrackPopupMenu(menu, at, parent, PopupAlign::Right);
    if (command == kStrAddressFormat && block_.kind == kBlockAddress)
        return RunFormatPopup(element, at, parent);
    if (!ChooseLabel(row, command)) return;
    LabelPromptDlg prompt(ToQString(RequireStr(CustomPrompt(row))), ToQString(CustomStart(row)));
    if (prompt.DoModal(owner) == plat::IDOK) ApplyCustomLabel(row, FromQString(prompt.Text()));
}

void FieldBlock::RunFormatPopup(int element, const QPoint& at, QWidget* parent) {
    const AddressFormatTable& table = AddressFormatTable::Instance();
    AddressElement& address = addresses_[element];
    MenuDescription menu;
    for (int index = 0; index < table.GetSize(); ++index) {
        menu.Add(kFormatCommand + static_cast<uint32_t>(index), table.FormatAt(index)->name).mark =
            index == address.FormatIndex() ? MenuMark::Radio : MenuMark::None;
    }
    // It takes the place of the label popup it was chosen from.
    const uint32_t command = TrackPopupMenu(menu, at, parent, PopupAlign::Right);
    if (command < kFormatCommand) return;
    // What is typed so far is kept: a part the new format does not show stays, unseen.
    if (!address.SetFormat(static_cast<int>(command - kFormatCommand), table)) return;
    Relayout();
    BuildCells();
    RepaintAll();
}

void FieldBlock::RunTypePopup(int element, const QPoint& at, QWidget* parent) {
    BlockRow& row = block_.rows[element];
    // A type the template does not know (another program wrote it) is offered as it is.
    Array<Str> types = block_.msgTypes;
    if (!std::any_of(types.begin(), types.end(), [&](const Str& type) { return type == row.msgType; })) {
        types.Add(row.msgType);
    }
    MenuDescription menu;
    for (int index = 0; index < types.GetSize(); ++index) {
        const Str shown = types[index].IsEmpty() ? RequireStr(uistr::kNoType) : types[index];
        menu.Add(kTypeCommand + static_cast<uint32_t>(index), shown).mark =
            types[index] == row.msgType ? MenuMark::Radio : MenuMark::None;
    }
    const uint32_t command = TrackPopupMenu(menu, at, parent);
    if (command < kTypeCommand || command >= kTypeCommand + static_cast<uint32_t>(types.GetSize())) return;
    row.msgType = types[static_cast<int>(command - kTypeCommand)];
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(Element(element)->Rect()));
}

void FieldBlock::RunCategories(WndImpl& owner) {
    std::vector<uint32_t> initial(block_.categories.begin(), block_.categories.end());
    CApCatList list(initial, true);
    if (list.DoModal(owner) != plat::IDOK) return;
    block_.categories.RemoveAll();
    for (const uint32_t id : list.Checked()) block_.categories.Add(id);
    RepaintAll();
}

void FieldBlock::RunPictureMenu(const QPoint& at, QWidget* parent) {
    MenuDescription menu;
    menu.Add(kCmdChoosePicture, RequireStr(uistr::kChoosePictureMore));
    menu.Add(kCmdRemovePicture, RequireStr(uistr::kRemovePicture)).enabled = !block_.picture.IsEmpty();
    switch (TrackPopupMenu(menu, at, parent)) {
        case kCmdChoosePicture: ChoosePicture(parent); break;
        case kCmdRemovePicture:
            block_.picture = ContactPicture();
            block_.pictureChanged = true;
            break;
        default: return;
    }
    RepaintAll();
}

void FieldBlock::ChoosePicture(QWidget* parent) {
    const Str folder = SettingsStore::ReadString(settings::kSettings, settings::kLastPicPath, u"");
    const QString path = ChoosePictureFile(parent, ToQString(folder));
    if (path.isEmpty()) return;
    // The folder offered next is a convenience.
    (void)SettingsStore::WriteString(
        settings::kSettings, settings::kLastPicPath,
        FromQString(QDir::toNativeSeparators(QFileInfo(path).absolutePath())).View());
    const uint32_t setting = SettingsStore::ReadDword(settings::kSettings, settings::kPicQuality, 1);
    const PictureFile file = LoadPictureFile(path, PictureQualityOf(setting));
    if (file.picture.IsEmpty()) {
        plat::MessageBox(file.error.toStdU16String(), RequireStr(uistr::kBrevane).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    block_.picture = file.picture;
    block_.pictureChanged = true;
}

void FieldBlock::PaintCell(QPainter& painter, const FormCell& cell, bool focused) const {
    if (cell.kind != CellKind::Picture) return FormBlock::PaintCell(painter, cell, focused);
    const PseudoRect box = CellRect(cell);
    const int side = Scale(kPicture96);
    const QRect square(box.left, box.top + (box.Height() - side) / 2, side, side);
    PaintPicture(painter, PictureImage(block_.picture), square);
    if (!focused) return;
    painter.setPen(QPen(QColor(40, 110, 220), Scale(2)));
    painter.drawRect(square);
}
