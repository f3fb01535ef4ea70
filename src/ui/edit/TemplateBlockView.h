#pragma once
// TemplateBlockView: one block of the template editor's form. It lists the entries of one
// template group by label: each row has a label button (the block's label popup, "Custom..."
// included), a button that removes the row (while the block has more than one) and one that adds
// a row after it; the messaging rows pair the entry with its messenger type, the address rows with
// its address format (each a button with its own choice). The name block lists the name fields
// shown and whether the name is one field; the office and the categories are one fixed row.
// Read gives the block back as a descriptor for ReadTemplateBlocks.
#include <QFrame>
#include <memory>
#include <vector>

#include "edit/form/CBlock.h"
#include "edit/mapper/BlockDescriptor.h"

class ContactTemplate;
class QCheckBox;
class QLabel;
class QToolButton;
class QVBoxLayout;
class WndImpl;

class TemplateBlockView : public QFrame, private PseudoHost {
public:
    // The text of the name block's switch between the name parts and one name field.
    static constexpr char16_t kNameCollText[] = u"Name as one field";

    // `tpl` offers the messenger types; `owner` is the dialog the custom label prompt opens over.
    TemplateBlockView(const BlockDescriptor& block, const ContactTemplate& tpl, WndImpl& owner, QWidget* parent);
    ~TemplateBlockView() override;

    int Group() const { return block_.group; }
    // The block as now edited.
    BlockDescriptor Read() const;
    // Where the keyboard goes first in this block.
    QWidget* FirstField() const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // The full text of row `row`'s label.
    QString RowLabel(int row) const;
    QToolButton* LabelButton(int row) const { return rows_[row].label; }
    // The messenger type or address format button of `row`; null in other blocks.
    QToolButton* ValueButton(int row) const { return rows_[row].value; }
    QToolButton* AddButton(int row) const { return rows_[row].add; }
    QToolButton* RemoveButton(int row) const { return rows_[row].remove; }
    QCheckBox* NameCollBox() const { return nameColl_; }

    // The label popup of `row`, then the custom label prompt when asked for.
    void RunLabelPopup(int row);
    // The messenger types or the countries of the address formats, for `row`.
    void RunValuePopup(int row);
    // A row after `row` with the first label no row has yet; the keyboard goes to it.
    void AddRow(int row);
    // Removes `row` unless it is the block's only one.
    void RemoveRow(int row);

private:
    struct RowWidgets {
        QWidget* line = nullptr;
        QToolButton* remove = nullptr;
        QToolButton* add = nullptr;
        QToolButton* label = nullptr;
        QToolButton* value = nullptr;
    };

    void BuildCaption();
    void BuildRows();
    void BuildNameRows();
    void BuildFixedRow();
    RowWidgets MakeRow(int index);
    QToolButton* MakeValueButton(int index, QWidget* line);
    QString ValueText(int index) const;
    void ShowValue(QToolButton* button, int index) const;
    QString LabelText(int label) const;
    bool HasEntryRows() const;
    // The custom label prompt for `row`; false when its label stays.
    bool PromptCustomLabel(CElement& element);
    void FocusRow(int row);

    // PseudoHost (the label popup's engine paints nothing of its own here)
    void InvalidateRect(const PseudoRect&) override {}
    void Update() override {}
    void SetMouseCapture(bool) override {}
    void Notify(const BlockNotification&) override {}

    BlockDescriptor block_;
    const ContactTemplate& template_;
    WndImpl& owner_;
    CBlock popup_;  // one element: the row whose label popup runs
    QLabel* caption_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
    std::vector<RowWidgets> rows_;
    std::vector<QWidget*> nameLines_;
    QCheckBox* nameColl_ = nullptr;
};
