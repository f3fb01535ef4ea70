#pragma once
// FormBlockView: one block of the edit form on screen, built from its descriptor and read back
// into one. Rows of a list show a label button (the block's label popup with "Custom...") and the
// value; the name block shows its visible name fields and the picture (a button whose menu chooses
// a picture file or removes the picture); a date row has a date editor that may be empty and a
// button that clears it; a messaging row has its messenger type beside the number; addresses show
// one line per part of their format with an "Address format..." choice; categories open the
// category list; the note is a text area. A value left alone is handed back exactly as it came.
// Every text field is a form edit control (CApEditContext): held, it opens the Edit menu; in the
// one-line fields Up and Down move between the form's elements.
#include <QFrame>
#include <array>
#include <vector>

#include "edit/address/AddressElement.h"
#include "edit/form/CBlock.h"
#include "edit/mapper/BlockDescriptor.h"

class DateField;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class WndImpl;

class FormBlockView : public QFrame, private PseudoHost {
public:
    static constexpr uint32_t kStrAddressFormat = 40087;
    static constexpr uint32_t kCmdChoosePicture = 1, kCmdRemovePicture = 2;

    // `owner` is the dialog the block's own dialogs open over.
    FormBlockView(const BlockDescriptor& block, WndImpl& owner, QWidget* parent);
    ~FormBlockView() override;

    int Group() const { return block_.group; }
    // The block's contents as now edited.
    BlockDescriptor Read() const;
    // The first field a person types into.
    QWidget* FirstField() const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    QToolButton* LabelButton(int row) const { return rows_[row].label; }
    QLineEdit* ValueEdit(int row, int line = 0) const;
    QLineEdit* NameEdit(int entry) const { return names_[entry]; }
    QPushButton* FormatButton(int row) const { return rows_[row].format; }
    DateField* DateEdit(int row) const { return rows_[row].date; }
    QToolButton* ClearDateButton(int row) const { return rows_[row].clearDate; }
    QComboBox* MsgTypeBox(int row) const { return rows_[row].msgType; }
    QToolButton* PictureButton() const { return picture_; }
    QPushButton* CategoriesButton() const { return categories_; }
    QPlainTextEdit* NoteEdit() const { return note_; }

    // The label popup of `row`, then the custom label dialog when asked for.
    void RunLabelPopup(int row);
    // The country list of `row`'s address; its choice re-lays the address.
    void RunFormatPopup(int row);
    void RunCategories();
    // The picture's menu: "Choose picture..." (a file) and "Remove picture".
    void RunPictureMenu();

private:
    struct Row {
        QToolButton* label = nullptr;
        std::vector<QLineEdit*> edits;
        DateField* date = nullptr;
        QToolButton* clearDate = nullptr;
        QComboBox* msgType = nullptr;
        QPushButton* format = nullptr;
        QVBoxLayout* lines = nullptr;  // an address: its format button and its lines
        AddressElement address;
        int firstGridRow = 0;
    };

    void Build();
    void AddNameFields();
    void AddPicture(int rows);
    void ShowPicture();
    void ChoosePicture();
    void AddRow(int index);
    QLineEdit* TextValue(Row& row, const Str& text, QWidget* parent);
    QWidget* DateValue(Row& row, uint64_t date);
    QWidget* MessagingValue(Row& row, const BlockRow& value);
    void ShowAddressLines(int index);
    void ShowCategories();
    QString LabelText(int label) const;

    // PseudoHost
    void InvalidateRect(const PseudoRect&) override;
    void Update() override {}
    void SetMouseCapture(bool) override {}
    void Notify(const BlockNotification&) override {}

    BlockDescriptor block_;
    WndImpl& owner_;
    CBlock labels_;
    QGridLayout* grid_ = nullptr;
    std::vector<Row> rows_;
    std::array<QLineEdit*, kNameEntryCount> names_{};
    QToolButton* picture_ = nullptr;
    QPushButton* categories_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QString noteAsLoaded_;
};
