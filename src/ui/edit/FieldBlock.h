#pragma once
// FieldBlock: one block of the contact editor's form, built from its descriptor and read back into
// one. Its elements are the descriptor's rows (the name block: its visible name fields and the
// picture; the categories and the note: one element each). Texts (a name field, a list value, one
// line per part of an address's format) are edited in the form's edit control, a date in a date
// editor, the note in a text area; the messenger type, the categories and the picture are drawn and
// open their choice. A value left alone is handed back exactly as it came. The label popup offers
// "Custom..." (and "Address format..." on an address); the first small button adds a row like its
// own below it, the second clears a date.
#include <QString>
#include <vector>

#include "edit/address/AddressElement.h"
#include "edit/mapper/BlockDescriptor.h"
#include "ui/edit/FormBlock.h"

class FieldBlock : public FormBlock {
public:
    static constexpr uint32_t kStrAddressFormat = 40087, kStrNote = 40238, kStrCategories = 41175;
    static constexpr uint32_t kCmdChoosePicture = 1, kCmdRemovePicture = 2;
    static constexpr uint32_t kFormatCommand = 2000;  // country i of "Address format..." is 2000 + i

    FieldBlock(const BlockDescriptor& block, int dpiX, int dpiY);

    int Kind() const { return block_.kind; }
    // The block's contents as now edited.
    BlockDescriptor Read() const;
    // The cell of name field `entry`; -1 when the block does not show it.
    int NameCell(int entry) const;
    // The picture as a screen reader gives it: its size, or "No picture".
    QString PictureText() const;

    QString CellText(const FormCell& cell) const override;
    QString Placeholder(const FormCell& cell) const override;
    void SetCellText(const FormCell& cell, const QString& text) override;
    uint64_t CellDate(const FormCell& cell) const override;
    void SetCellDate(const FormCell& cell, uint64_t date) override;
    QString ElementLabel(int element) const override;
    [[nodiscard]] bool LabelChoosable(int) const override { return HasRows(); }

    void RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner) override;
    // The messenger types, the category list or the picture's menu.
    void RunChoice(const FormCell& cell, const QPoint& at, QWidget* parent, WndImpl& owner) override;
    // The first button adds a row like its own (its label, no value) right below it; the second
    // clears a date.
    int OnSmallButton(int element, BlockPart part) override;

protected:
    [[nodiscard]] bool HasFirstButton(const CElement&) const override { return HasRows(); }
    [[nodiscard]] bool HasSecondButton(const CElement&) const override { return block_.kind == kBlockDate; }
    std::vector<int> ElementLabels() const override;
    int ElementHeight(int element) const override;
    void AddCells(int element, std::vector<FormCell>& cells) const override;
    void PaintCell(QPainter& painter, const FormCell& cell, bool focused) const override;

private:
    [[nodiscard]] bool HasRows() const;
    [[nodiscard]] bool IsPicture(int element) const;
    // The element's value lines.
    int LinesOf(int element) const;
    void RunFormatPopup(int element, const QPoint& at, QWidget* parent);
    void RunTypePopup(int element, const QPoint& at, QWidget* parent);
    void RunCategories(WndImpl& owner);
    void RunPictureMenu(const QPoint& at, QWidget* parent);
    void ChoosePicture(QWidget* parent);
    QString LabelText(int label) const;

    BlockDescriptor block_;
    std::vector<int> nameEntries_;           // the name block: the name field of each element
    std::vector<AddressElement> addresses_;  // the address block: one per row
    QString noteAsLoaded_, note_;
};
