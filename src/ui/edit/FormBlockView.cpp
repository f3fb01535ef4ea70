#include "ui/edit/FormBlockView.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

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
#include "ui/toolkit/CApEditContext.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/view/HeadingImage.h"
#include "view/address/AddressFormatTable.h"

namespace {

constexpr uint32_t kFormatCommand = 1;  // country i is kFormatCommand + i
constexpr int kPicture96 = 48;          // the side of the picture in the name block

// The block kinds whose rows are one text each.
bool IsTextKind(int kind) {
    return kind == kBlockList || kind == kBlockSingle || kind == kBlockMessaging || kind == kBlockLinks;
}

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

// A one-line field of the form holding `text`, read out as `name`. It shows the start of a value
// too long for it (Qt would show the end, where the caret is put), and follows the form's edit
// control rules.
QLineEdit* FormField(const QString& text, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setCursorPosition(0);
    edit->setAccessibleName(name);
    CApEditContext::Attach(*edit, true);
    return edit;
}

// Lays out the two children of a cell of the form side by side, the first taking the width.
void SideBySide(QWidget* line, QWidget* wide, QWidget* narrow) {
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(ScaleX(2));
    layout->addWidget(wide, 1);
    layout->addWidget(narrow);
}

// The picture scaled into a square of `side` pixels; without a picture, an empty frame.
QPixmap PictureFrame(const QImage& picture, int side) {
    QPixmap frame(side, side);
    frame.fill(QColor(226, 232, 240));
    QPainter painter(&frame);
    if (picture.isNull()) {
        painter.setPen(QPen(QColor(148, 160, 176), 1, Qt::DashLine));
        painter.drawRect(0, 0, side - 1, side - 1);
    } else {
        const QImage scaled = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    }
    return frame;
}

QString CategoryNames(const Array<uint32_t>& ids) {
    Array<Str> names;
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr || !categories->GetCategoryNames(ids, names)) return QStringLiteral("...");
    const QString joined = ToQString(CategoryManager::JoinNames(names));
    return joined.isEmpty() ? QStringLiteral("No categories") : joined;
}

}  // namespace

FormBlockView::FormBlockView(const BlockDescriptor& block, WndImpl& owner, QWidget* parent)
    : QFrame(parent), block_(block), owner_(owner), labels_(ScreenDpiX(), ScreenDpiY()) {
    std::vector<int> labelOfRow;
    for (const BlockRow& row : block_.rows) labelOfRow.push_back(row.label);
    labels_.Init(static_cast<int>(labelOfRow.size()), labelOfRow, this, nullptr, std::nullopt, block_.freeLabels);
    labels_.SetLabels(block_.labels, block_.builtinCount);
    setFrameShape(QFrame::NoFrame);
    Build();
}

FormBlockView::~FormBlockView() = default;

QString FormBlockView::LabelText(int label) const {
    const Array<Str>& labels = labels_.Labels();
    return label >= 0 && label < labels.GetSize() ? ToQString(FullLabel(labels[label])) : QString();
}

void FormBlockView::Build() {
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(ScaleX(2), ScaleY(3), ScaleX(2), ScaleY(3));
    grid_->setHorizontalSpacing(ScaleX(4));
    grid_->setVerticalSpacing(ScaleY(1));
    grid_->setColumnMinimumWidth(0, labels_.LabelWidth());
    grid_->setColumnStretch(1, 1);
    switch (block_.kind) {
        case kBlockName: return AddNameFields();
        case kBlockCategories: return ShowCategories();
        case kBlockNote: {
            noteAsLoaded_ = NoteTextOf(block_.note);
            note_ = new QPlainTextEdit(noteAsLoaded_, this);
            note_->setAccessibleName(ToQString(RequireStr(40238)));
            note_->setTabChangesFocus(true);
            CApEditContext::Attach(*note_, false);  // a text of several lines keeps its arrows
            grid_->addWidget(new QLabel(note_->accessibleName(), this), 0, 0, Qt::AlignTop);
            grid_->addWidget(note_, 0, 1);
            return;
        }
        default: break;
    }
    rows_.resize(static_cast<size_t>(block_.rows.GetSize()));
    for (int index = 0; index < block_.rows.GetSize(); ++index) AddRow(index);
}

void FormBlockView::AddNameFields() {
    int gridRow = 0;
    for (int entry = kNameTitle; entry < kNameEntryCount; ++entry) {
        if (block_.hidden[entry]) continue;
        QLineEdit* edit = FormField(ToQString(block_.nameValues[entry]), LabelText(entry), this);
        names_[entry] = edit;
        grid_->addWidget(new QLabel(LabelText(entry), this), gridRow, 0);
        grid_->addWidget(edit, gridRow++, 1);
    }
    AddPicture(gridRow);
}

void FormBlockView::AddPicture(int rows) {
    picture_ = new QToolButton(this);
    picture_->setAccessibleName(QStringLiteral("Picture"));
    picture_->setIconSize(QSize(ScaleX(kPicture96), ScaleX(kPicture96)));
    picture_->setAutoRaise(true);
    connect(picture_, &QToolButton::clicked, this, [this] { RunPictureMenu(); });
    grid_->addWidget(picture_, 0, 2, std::max(rows, 1), 1, Qt::AlignTop | Qt::AlignRight);
    ShowPicture();
}

void FormBlockView::ShowPicture() {
    const QImage image = PictureImage(block_.picture);
    picture_->setIcon(QIcon(PictureFrame(image, picture_->iconSize().width())));
    picture_->setAccessibleDescription(image.isNull() ? QStringLiteral("No picture")
                                                      : QStringLiteral("%1 x %2").arg(image.width()).arg(image.height()));
}

void FormBlockView::RunPictureMenu() {
    MenuDescription menu;
    menu.Add(kCmdChoosePicture, u"Choose picture...");
    menu.Add(kCmdRemovePicture, u"Remove picture").enabled = !block_.picture.IsEmpty();
    switch (TrackPopupMenu(menu, picture_->mapToGlobal(QPoint(0, picture_->height())), this)) {
    case kCmdChoosePicture: return ChoosePicture();
    case kCmdRemovePicture:
        block_.picture = ContactPicture();
        block_.pictureChanged = true;
        return ShowPicture();
    default: return;
    }
}

void FormBlockView::ChoosePicture() {
    const Str folder = SettingsStore::ReadString(settings::kSettings, settings::kLastPicPath, u"");
    const QString path = ChoosePictureFile(this, ToQString(folder));
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
    ShowPicture();
}

void FormBlockView::AddRow(int index) {
    Row& row = rows_[index];
    const BlockRow& value = block_.rows[index];
    row.firstGridRow = grid_->rowCount();
    const bool single = block_.kind == kBlockSingle;
    const QString label = single ? LabelText(0) : LabelText(value.label);
    row.label = new QToolButton(this);
    row.label->setText(label.isEmpty() ? ToQString(block_.hint) : label);
    row.label->setAutoRaise(true);
    row.label->setEnabled(!single);
    connect(row.label, &QToolButton::clicked, this, [this, index] { RunLabelPopup(index); });
    grid_->addWidget(row.label, row.firstGridRow, 0, Qt::AlignTop | Qt::AlignLeft);
    if (block_.kind == kBlockAddress) {
        row.address.SetFormat(value.format, AddressFormatTable::Instance());
        row.address.SetParts(value.parts);
        return ShowAddressLines(index);
    }
    if (block_.kind == kBlockDate) return grid_->addWidget(DateValue(row, value.date), row.firstGridRow, 1);
    if (block_.kind == kBlockMessaging) return grid_->addWidget(MessagingValue(row, value), row.firstGridRow, 1);
    grid_->addWidget(TextValue(row, value.text, this), row.firstGridRow, 1);
}

QLineEdit* FormBlockView::TextValue(Row& row, const Str& text, QWidget* parent) {
    QLineEdit* edit = FormField(ToQString(text), row.label->text(), parent);
    edit->setPlaceholderText(ToQString(block_.hint));
    row.edits.push_back(edit);
    return edit;
}

QWidget* FormBlockView::DateValue(Row& row, uint64_t date) {
    auto* line = new QWidget(this);
    DateField* field = row.date = new DateField(date, line);
    field->setAccessibleName(row.label->text());
    QToolButton* clear = row.clearDate = new QToolButton(line);
    clear->setText(QStringLiteral("\u00D7"));
    clear->setAccessibleName(QStringLiteral("Clear date"));
    clear->setAutoRaise(true);
    clear->setFocusPolicy(Qt::NoFocus);  // the keyboard clears a date with Delete
    connect(clear, &QToolButton::clicked, field, [field] {
        field->Clear();
        field->setFocus();
    });
    const auto follow = [field, clear] { clear->setEnabled(!field->IsEmpty()); };
    connect(field, &QDateEdit::dateChanged, clear, follow);
    follow();
    SideBySide(line, field, clear);
    return line;
}

QWidget* FormBlockView::MessagingValue(Row& row, const BlockRow& value) {
    auto* line = new QWidget(this);
    QLineEdit* edit = TextValue(row, value.text, line);
    QComboBox* types = row.msgType = new QComboBox(line);
    types->setAccessibleName(QStringLiteral("Messenger type"));
    for (const Str& type : block_.msgTypes) types->addItem(ToQString(type), ToQString(type));
    // A type the template does not know (another program wrote it) is offered as it is.
    int current = types->findData(ToQString(value.msgType));
    if (current < 0) {
        types->addItem(value.msgType.IsEmpty() ? QStringLiteral("No type") : ToQString(value.msgType),
                       ToQString(value.msgType));
        current = types->count() - 1;
    }
    types->setCurrentIndex(current);
    SideBySide(line, edit, types);
    return line;
}

void FormBlockView::ShowAddressLines(int index) {
    Row& row = rows_[index];
    for (QLineEdit* edit : row.edits) edit->deleteLater();
    row.edits.clear();
    if (row.format == nullptr) {
        auto* column = new QWidget(this);
        row.lines = new QVBoxLayout(column);
        row.lines->setContentsMargins(0, 0, 0, 0);
        row.lines->setSpacing(ScaleY(1));
        row.format = new QPushButton(ToQString(RequireStr(kStrAddressFormat)), column);
        connect(row.format, &QPushButton::clicked, this, [this, index] { RunFormatPopup(index); });
        row.lines->addWidget(row.format);
        grid_->addWidget(column, row.firstGridRow, 1);
    }
    for (const int slot : row.address.Lines()) {
        const QString placeholder = ToQString(row.address.Placeholder(slot));
        QLineEdit* edit = FormField(ToQString(row.address.Parts()[slot]), placeholder, row.format->parentWidget());
        edit->setPlaceholderText(placeholder);
        edit->setProperty("slot", slot);
        row.edits.push_back(edit);
        row.lines->addWidget(edit);
    }
}

QLineEdit* FormBlockView::ValueEdit(int row, int line) const {
    const std::vector<QLineEdit*>& edits = rows_[row].edits;
    return line >= 0 && line < static_cast<int>(edits.size()) ? edits[line] : nullptr;
}

void FormBlockView::ShowCategories() {
    categories_ = new QPushButton(CategoryNames(block_.categories), this);
    categories_->setAccessibleName(ToQString(RequireStr(41175)));
    connect(categories_, &QPushButton::clicked, this, [this] { RunCategories(); });
    grid_->addWidget(new QLabel(categories_->accessibleName(), this), 0, 0);
    grid_->addWidget(categories_, 0, 1);
}

QWidget* FormBlockView::FirstField() const {
    for (QLineEdit* edit : names_) {
        if (edit != nullptr) return edit;
    }
    if (!rows_.empty() && !rows_.front().edits.empty()) return rows_.front().edits.front();
    if (!rows_.empty() && rows_.front().date != nullptr) return rows_.front().date;
    if (note_ != nullptr) return note_;
    return categories_;
}

void FormBlockView::RunLabelPopup(int row) {
    CElement& element = *labels_.Element(row);
    const uint32_t command = TrackPopupMenu(labels_.LabelMenu(element),
                                            rows_[row].label->mapToGlobal(QPoint(0, rows_[row].label->height())), this);
    if (labels_.ChooseLabel(element, command)) {
        LabelPromptDlg prompt(ToQString(RequireStr(labels_.CustomPrompt(element))), ToQString(labels_.CustomStart(element)));
        if (prompt.DoModal(owner_) == plat::IDOK) labels_.ApplyCustomLabel(element, FromQString(prompt.Text()));
    }
    rows_[row].label->setText(LabelText(element.Label()));
}

void FormBlockView::RunFormatPopup(int row) {
    const AddressFormatTable& table = AddressFormatTable::Instance();
    MenuDescription menu;
    for (int index = 0; index < table.GetSize(); ++index) {
        menu.Add(kFormatCommand + static_cast<uint32_t>(index), table.FormatAt(index)->name).mark =
            index == rows_[row].address.FormatIndex() ? MenuMark::Radio : MenuMark::None;
    }
    QPushButton* button = rows_[row].format;
    const uint32_t command = TrackPopupMenu(menu, button->mapToGlobal(QPoint(0, button->height())), this);
    if (command == 0) return;
    // What is typed so far is kept: a part the new format does not show stays, unseen.
    for (QLineEdit* edit : rows_[row].edits) {
        rows_[row].address.LeaveLine(edit->property("slot").toInt(), edit->text().toStdU16String());
    }
    if (rows_[row].address.SetFormat(static_cast<int>(command - kFormatCommand), table)) ShowAddressLines(row);
}

void FormBlockView::RunCategories() {
    std::vector<uint32_t> initial(block_.categories.begin(), block_.categories.end());
    CApCatList list(initial, true);
    if (list.DoModal(owner_) != plat::IDOK) return;
    block_.categories.RemoveAll();
    for (const uint32_t id : list.Checked()) block_.categories.Add(id);
    categories_->setText(CategoryNames(block_.categories));
}

BlockDescriptor FormBlockView::Read() const {
    BlockDescriptor block = block_;
    block.labels = labels_.Labels();
    for (int entry = kNameTitle; entry < kNameEntryCount; ++entry) {
        if (names_[entry] != nullptr) block.nameValues[entry] = FromQString(names_[entry]->text());
    }
    // An untouched note keeps its stored bytes; an edited one is stored as typed.
    if (note_ != nullptr && note_->toPlainText() != noteAsLoaded_) block.note = NoteOf(note_->toPlainText());
    for (int index = 0; index < RowCount(); ++index) {
        BlockRow& row = block.rows[index];
        row.label = labels_.Element(index)->Label();
        const Row& shown = rows_[index];
        if (block.kind == kBlockAddress) {
            AddressElement address = shown.address;
            for (QLineEdit* edit : shown.edits) address.LeaveLine(edit->property("slot").toInt(), edit->text().toStdU16String());
            row.parts = address.Parts();
            row.format = address.FormatIndex();
        } else if (block.kind == kBlockDate) {
            row.date = shown.date->FileTime();
        } else if (IsTextKind(block.kind)) {
            row.text = FromQString(shown.edits.front()->text());
        }
        if (shown.msgType != nullptr) row.msgType = FromQString(shown.msgType->currentData().toString());
    }
    return block;
}

void FormBlockView::InvalidateRect(const PseudoRect&) { update(); }
