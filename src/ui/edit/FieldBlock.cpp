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
#include "ui/view/HeadingImage.h"
#include "view/address/AddressFormatTable.h"

namespace {

constexpr int kPicture96 = 48;    // the side of the picture in the name block
constexpr int kNoteLines = 4;     // the note shows this many lines
constexpr int kTypeWidth96 = 64;  // a messaging row's type, at the value's right
constexpr uint32_t kTypeCommand = 1;  // messenger type i is 1 + i

const QColor kBackground(255, 255, 255);
const QColor kLabelText(60, 72, 88);
const QColor kPlaceholder(150, 150, 150);
const QColor kSeparator(214, 220, 228);
const QColor kFocus(204, 226, 255);
const QColor kButton(236, 240, 245);

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
    return joined.isEmpty() ? QStringLiteral("No categories") : joined;
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

QRect ToQRect(const PseudoRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

bool HasLabelColumnOnly(int kind) { return kind == kBlockCategories || kind == kBlockNote; }

}  // namespace

FieldBlock::FieldBlock(const BlockDescriptor& block, int dpiX, int dpiY)
    : CBlock(dpiX, dpiY), block_(block), dpiX_(dpiX), dpiY_(dpiY) {
    if (block_.kind == kBlockName) {
        for (int entry = kNameTitle; entry < kNameEntryCount; ++entry) {
            if (!block_.hidden[entry]) nameEntries_.push_back(entry);
        }
    }
    if (block_.kind == kBlockAddress) {
        for (const BlockRow& row : block_.rows) {
            AddressElement& address = addresses_.emplace_back();
            address.SetFormat(row.format, AddressFormatTable::Instance());
            address.SetParts(row.parts);
        }
    }
    if (block_.kind == kBlockNote) note_ = noteAsLoaded_ = NoteTextOf(block_.note);
}

bool FieldBlock::HasRows() const {
    return block_.kind != kBlockName && block_.kind != kBlockSingle && !HasLabelColumnOnly(block_.kind);
}

bool FieldBlock::Place(PseudoHost* host, int top, int width, const BlockFonts& fonts) {
    std::vector<int> labels;
    if (block_.kind == kBlockName) {
        labels = nameEntries_;
        labels.push_back(CElement::kNoLabel);  // the picture
    } else if (HasLabelColumnOnly(block_.kind)) {
        labels.push_back(CElement::kNoLabel);
    } else {
        for (const BlockRow& row : block_.rows) labels.push_back(block_.kind == kBlockSingle ? 0 : row.label);
    }
    SetNotify(false);  // the host stacks the block once it is built
    if (!Init(static_cast<int>(labels.size()), labels, host, nullptr, PseudoRect{0, top, width, top}, block_.freeLabels)) {
        return false;
    }
    SetLabels(block_.labels, block_.builtinCount);
    SetFonts(fonts);
    Resize();
    SetNotify(true);
    BuildCells();
    return true;
}

int FieldBlock::LinesOf(int element) const {
    if (block_.kind == kBlockAddress) return std::max(1, addresses_[element].Lines().GetSize());
    if (block_.kind == kBlockNote) return kNoteLines;
    return 1;
}

// Elements of several value lines, and the picture, are taller than a row.
void FieldBlock::Resize() {
    for (int index = 0; index < ElementCount(); ++index) {
        int height = LinesOf(index) * RowHeight();
        if (block_.kind == kBlockName && index == static_cast<int>(nameEntries_.size())) {
            height = std::max(RowHeight(), ScaleBy(kPicture96 + 4, dpiY_));
        }
        SetElementHeight(*Element(index), height);
    }
    RequestLayout();
    Layout();
}

void FieldBlock::BuildCells() {
    cells_.clear();
    for (int index = 0; index < ElementCount(); ++index) {
        switch (block_.kind) {
        case kBlockName:
            if (index < static_cast<int>(nameEntries_.size())) {
                cells_.push_back({CellKind::Text, index, 0, nameEntries_[index]});
            } else {
                cells_.push_back({CellKind::Picture, index, 0, -1});
            }
            break;
        case kBlockCategories: cells_.push_back({CellKind::Categories, index, 0, -1}); break;
        case kBlockNote: cells_.push_back({CellKind::Note, index, 0, -1}); break;
        case kBlockDate: cells_.push_back({CellKind::Date, index, 0, -1}); break;
        case kBlockAddress: {
            const Array<int>& lines = addresses_[index].Lines();
            for (int line = 0; line < lines.GetSize(); ++line) cells_.push_back({CellKind::Text, index, line, lines[line]});
            break;
        }
        case kBlockMessaging:
            cells_.push_back({CellKind::Text, index, 0, -1});
            cells_.push_back({CellKind::MsgType, index, 0, -1});
            break;
        default: cells_.push_back({CellKind::Text, index, 0, -1}); break;
        }
    }
}

std::vector<int> FieldBlock::CellsOf(int element) const {
    std::vector<int> found;
    for (int index = 0; index < static_cast<int>(cells_.size()); ++index) {
        if (cells_[index].element == element) found.push_back(index);
    }
    return found;
}

int FieldBlock::NameCell(int entry) const {
    for (int index = 0; index < static_cast<int>(cells_.size()); ++index) {
        if (cells_[index].kind == CellKind::Text && cells_[index].slot == entry && block_.kind == kBlockName) return index;
    }
    return -1;
}

PseudoRect FieldBlock::CellRect(const FormCell& cell) const {
    const CElement& element = *Element(cell.element);
    PseudoRect rect = PartRect(element, BlockPart::Value).value_or(PseudoRect{});
    rect.right -= ScaleBy(2, dpiX_);
    if (cell.kind == CellKind::Note || cell.kind == CellKind::Picture) return rect;
    rect.top += cell.line * RowHeight();
    rect.bottom = rect.top + RowHeight();
    const int typeLeft = rect.right - ScaleBy(kTypeWidth96, dpiX_);
    if (cell.kind == CellKind::MsgType) rect.left = typeLeft;
    if (cell.kind == CellKind::Text && block_.kind == kBlockMessaging) rect.right = typeLeft - ScaleBy(2, dpiX_);
    return rect;
}

int FieldBlock::CellAt(int element, PseudoPoint at) const {
    int nearest = -1;
    for (const int index : CellsOf(element)) {
        const PseudoRect rect = CellRect(cells_[index]);
        if (rect.Contains(at)) return index;
        if (at.y >= rect.top && at.y < rect.bottom) nearest = index;  // a gap between two cells of a line
    }
    return nearest;
}

QString FieldBlock::LabelText(int label) const {
    const Array<Str>& labels = Labels();
    return label >= 0 && label < labels.GetSize() ? ToQString(FullLabel(labels[label])) : QString();
}

QString FieldBlock::ElementLabel(int element) const {
    switch (block_.kind) {
    case kBlockName:
        return element < static_cast<int>(nameEntries_.size()) ? LabelText(nameEntries_[element]) : QStringLiteral("Picture");
    case kBlockCategories: return ToQString(RequireStr(kStrCategories));
    case kBlockNote: return ToQString(RequireStr(kStrNote));
    case kBlockSingle: return LabelText(0);
    default: {
        const QString label = LabelText(Element(element)->Label());
        return label.isEmpty() ? ToQString(block_.hint) : label;
    }
    }
}

bool FieldBlock::LabelChoosable(int) const { return HasRows(); }

QString FieldBlock::CellText(const FormCell& cell) const {
    switch (cell.kind) {
    case CellKind::Date: return DateField::TextOf(block_.rows[cell.element].date);
    case CellKind::MsgType: {
        const Str& type = block_.rows[cell.element].msgType;
        return type.IsEmpty() ? QStringLiteral("No type") : ToQString(type);
    }
    case CellKind::Categories: return CategoryNames(block_.categories);
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

QString FieldBlock::ElementValue(int element) const {
    QStringList texts;
    for (const int index : CellsOf(element)) {
        const QString text = CellText(cells_[index]);
        if (!text.isEmpty()) texts << text;
    }
    return texts.join(QStringLiteral(", "));
}

QString FieldBlock::PictureText() const {
    const QImage image = PictureImage(block_.picture);
    return image.isNull() ? QStringLiteral("No picture") : QStringLiteral("%1 x %2").arg(image.width()).arg(image.height());
}

BlockDescriptor FieldBlock::Read() const {
    BlockDescriptor block = block_;
    block.labels = Labels();
    if (HasRows()) {
        for (int index = 0; index < block.rows.GetSize(); ++index) block.rows[index].label = Element(index)->Label();
    }
    for (int index = 0; index < static_cast<int>(addresses_.size()); ++index) {
        block.rows[index].parts = addresses_[index].Parts();
        block.rows[index].format = addresses_[index].FormatIndex();
    }
    // An untouched note keeps its stored bytes; an edited one is stored as typed.
    if (block.kind == kBlockNote && note_ != noteAsLoaded_) block.note = NoteOf(note_);
    return block;
}

bool FieldBlock::AddRowLike(int element) {
    if (!HasRows() || element < 0 || element >= block_.rows.GetSize()) return false;
    BlockRow row;
    row.label = Element(element)->Label();
    row.msgType = block_.rows[element].msgType;
    row.format = block_.rows[element].format;
    block_.rows.Add(row);
    if (block_.kind == kBlockAddress) {
        AddressElement& address = addresses_.emplace_back();
        address.SetFormat(row.format, AddressFormatTable::Instance());
    }
    AddElement(row.label);
    SetElementHeight(*Element(ElementCount() - 1), LinesOf(ElementCount() - 1) * RowHeight());
    BuildCells();
    Layout();
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(PseudoRect{0, 0, Rect().Width(), Rect().Height()}));
    return true;
}

bool FieldBlock::ClearDate(int element) {
    if (block_.kind != kBlockDate || element < 0 || element >= block_.rows.GetSize()) return false;
    if (block_.rows[element].date == 0) return false;
    block_.rows[element].date = 0;
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(Element(element)->Rect()));
    return true;
}

void FieldBlock::RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner) {
    CElement& row = *Element(element);
    MenuDescription menu = LabelMenu(row);
    if (block_.kind == kBlockAddress) menu.Add(kStrAddressFormat, RequireStr(kStrAddressFormat));
    const uint32_t command = TrackPopupMenu(menu, at, parent);
    if (command == kStrAddressFormat && block_.kind == kBlockAddress) return RunFormatPopup(element, at, parent);
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
    const uint32_t command = TrackPopupMenu(menu, at, parent);
    if (command < kFormatCommand) return;
    // What is typed so far is kept: a part the new format does not show stays, unseen.
    if (!address.SetFormat(static_cast<int>(command - kFormatCommand), table)) return;
    Resize();
    BuildCells();
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(PseudoRect{0, 0, Rect().Width(), Rect().Height()}));
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
        const Str shown = types[index].IsEmpty() ? Str(u"No type") : types[index];
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
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(PseudoRect{0, 0, Rect().Width(), Rect().Height()}));
}

void FieldBlock::RunPictureMenu(const QPoint& at, QWidget* parent) {
    MenuDescription menu;
    menu.Add(kCmdChoosePicture, u"Choose picture...");
    menu.Add(kCmdRemovePicture, u"Remove picture").enabled = !block_.picture.IsEmpty();
    switch (TrackPopupMenu(menu, at, parent)) {
    case kCmdChoosePicture: ChoosePicture(parent); break;
    case kCmdRemovePicture:
        block_.picture = ContactPicture();
        block_.pictureChanged = true;
        break;
    default: return;
    }
    if (Host() != nullptr) Host()->InvalidateRect(ToHost(PseudoRect{0, 0, Rect().Width(), Rect().Height()}));
}

void FieldBlock::ChoosePicture(QWidget* parent) {
    const Str folder = SettingsStore::ReadString(settings::kSettings, settings::kLastPicPath, u"");
    const QString path = ChoosePictureFile(parent, ToQString(folder));
    if (path.isEmpty()) return;
    SettingsStore::WriteString(settings::kSettings, settings::kLastPicPath,
                               FromQString(QDir::toNativeSeparators(QFileInfo(path).absolutePath())).View());
    const uint32_t setting = SettingsStore::ReadDword(settings::kSettings, settings::kPicQuality, 1);
    const PictureFile file = LoadPictureFile(path, PictureQualityOf(setting));
    if (file.picture.IsEmpty()) {
        plat::MessageBox(file.error.toStdU16String(), u"Brevane", plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    block_.picture = file.picture;
    block_.pictureChanged = true;
}

void FieldBlock::Paint(QPainter& painter, const PseudoRect& clip, const FormCell* focusedCell, int focusedLabel) const {
    const PseudoRect whole{0, 0, Rect().Width(), Rect().Height()};
    painter.fillRect(ToQRect(whole), kBackground);
    painter.setPen(kSeparator);
    painter.drawLine(0, whole.bottom - 1, whole.right, whole.bottom - 1);
    for (int index = 0; index < ElementCount(); ++index) {
        if (!Element(index)->Rect().Intersects(clip)) continue;
        const bool focusedHere = focusedCell != nullptr && focusedCell->element == index;
        PaintElement(painter, index, clip, focusedHere ? focusedCell : nullptr, focusedLabel == index);
    }
}

void FieldBlock::PaintElement(QPainter& painter, int index, const PseudoRect& clip, const FormCell* focusedCell,
                              bool labelFocused) const {
    const CElement& element = *Element(index);
    PaintPart(painter, element, BlockPart::FirstButton, QStringLiteral("+"));
    PaintPart(painter, element, BlockPart::SecondButton, QStringLiteral("\u00D7"));
    const std::optional<PseudoRect> label = PartRect(element, BlockPart::Label);
    if (label && label->Intersects(clip)) {
        const QRect box = ToQRect(*label).adjusted(0, 1, -ScaleBy(4, dpiX_), -1);
        if (labelFocused) painter.fillRect(box, kFocus);
        QString text = ElementLabel(index);
        if (LabelChoosable(index)) text += QStringLiteral(" \u25BE");
        painter.setPen(kLabelText);
        painter.drawText(box.adjusted(ScaleBy(2, dpiX_), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, box.width() - ScaleBy(2, dpiX_)));
    }
    for (const int cell : CellsOf(index)) {
        if (!CellRect(cells_[cell]).Intersects(clip)) continue;
        const bool focused = focusedCell != nullptr && focusedCell->line == cells_[cell].line &&
                             focusedCell->kind == cells_[cell].kind;
        PaintCell(painter, cells_[cell], focused);
    }
}

void FieldBlock::PaintPart(QPainter& painter, const CElement& element, BlockPart part, const QString& text) const {
    const std::optional<PseudoRect> rect = PartRect(element, part);
    if (!rect) return;
    const QRect box = ToQRect(*rect).adjusted(1, 1, -1, -1);
    painter.fillRect(box, kButton);
    painter.setPen(kLabelText);
    painter.drawText(box, Qt::AlignCenter, text);
}

void FieldBlock::PaintCell(QPainter& painter, const FormCell& cell, bool focused) const {
    const QRect box = ToQRect(CellRect(cell));
    if (cell.kind == CellKind::Picture) {
        const int side = ScaleBy(kPicture96, dpiY_);
        const QRect square(box.left(), box.top() + (box.height() - side) / 2, side, side);
        PaintPicture(painter, PictureImage(block_.picture), square);
        if (focused) painter.setPen(QPen(QColor(40, 110, 220), ScaleBy(2, dpiX_)));
        if (focused) painter.drawRect(square);
        return;
    }
    // Values are drawn as their edit control would show them: underlined, from their start.
    const bool button = cell.kind == CellKind::MsgType || cell.kind == CellKind::Categories;
    painter.fillRect(box.adjusted(0, 1, 0, -1), focused ? kFocus : (button ? kButton : kBackground));
    painter.setPen(kSeparator);
    painter.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    const QRect inner = box.adjusted(ScaleBy(3, dpiX_), 0, -ScaleBy(2, dpiX_), 0);
    QString text = CellText(cell);
    const bool placeholder = text.isEmpty();
    if (placeholder) text = Placeholder(cell);
    painter.setPen(placeholder ? kPlaceholder : Qt::black);
    if (cell.kind == CellKind::Note) {
        painter.drawText(inner.adjusted(0, ScaleBy(2, dpiY_), 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        return;
    }
    if (button) text += QStringLiteral(" \u25BE");
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, painter.fontMetrics().elidedText(first, Qt::ElideRight, inner.width()));
}
