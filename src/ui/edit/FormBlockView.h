#pragma once
// FormBlockView: one block of the edit form on screen, built from its descriptor and read back
// into one. Rows of a list show a label button (the block's label popup with "Custom...") and the
// value; the name block shows its visible name fields; addresses show one line per part of their
// format with an "Address format..." choice; categories open the category list; the note is a
// text area. What the screen does not edit (dates, the picture, messenger types) is handed back
// exactly as it came.
#include <QFrame>
#include <array>
#include <vector>

#include "edit/address/AddressElement.h"
#include "edit/form/CBlock.h"
#include "edit/mapper/BlockDescriptor.h"

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
    QPushButton* CategoriesButton() const { return categories_; }
    QPlainTextEdit* NoteEdit() const { return note_; }

    // The label popup of `row`, then the custom label dialog when asked for.
    void RunLabelPopup(int row);
    // The country list of `row`'s address; its choice re-lays the address.
    void RunFormatPopup(int row);
    void RunCategories();

private:
    struct Row {
        QToolButton* label = nullptr;
        std::vector<QLineEdit*> edits;
        QPushButton* format = nullptr;
        QVBoxLayout* lines = nullptr;  // an address: its format button and its lines
        AddressElement address;
        int firstGridRow = 0;
    };

    void Build();
    void AddNameFields();
    void AddRow(int index);
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
    QPushButton* categories_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QString noteAsLoaded_;
};
