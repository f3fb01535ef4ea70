#pragma once
// TemplateBlock: one block of the template editor's form, a block of the same form window as the
// contact editor's. Under its heading it lists the entries of one template group by label: each
// row's label opens the block's label popup ("Custom..." included; a label cannot begin with "[");
// its first small button removes the row (while the block has more than one) and its second adds a
// row after it with the first label no row has yet; messaging rows show their messenger type and
// address rows their address format, each a drawn value with its own choice. The name block lists
// the name fields shown and whether the name is one field (Enter, Space or a tap switches it); the
// office and the categories are one fixed row. Read gives the block back as a descriptor for
// ReadTemplateBlocks.
#include <QString>
#include <vector>

#include "edit/mapper/BlockDescriptor.h"
#include "ui/edit/FormBlock.h"

class ContactTemplate;

class TemplateBlock : public FormBlock {
public:
    // `tpl` offers the messenger types.
    TemplateBlock(const BlockDescriptor& block, const ContactTemplate& tpl, int dpiX, int dpiY);

    // The block as now edited.
    BlockDescriptor Read() const;
    int RowCount() const { return HasEntryRows() ? block_.rows.GetSize() : 0; }
    // The full text of row `row`'s label.
    QString RowLabel(int row) const;
    // The element that shows row `row`.
    static int ElementOfRow(int row) { return row + 1; }
    [[nodiscard]] bool NameColl() const { return block_.nameColl; }

    PseudoRect CellRect(const FormCell& cell) const override;
    QString CellText(const FormCell& cell) const override;
    QString ElementLabel(int element) const override;
    [[nodiscard]] bool LabelChoosable(int element) const override { return RowOf(element) >= 0; }
    QString ElementValue(int element) const override;

    void RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner) override;
    // A row's messenger types or address formats; the name block's switch.
    void RunChoice(const FormCell& cell, const QPoint& at, QWidget* parent, WndImpl& owner) override;
    // The first button removes the row, the second adds one after it.
    int OnSmallButton(int element, BlockPart part) override;

protected:
    [[nodiscard]] bool HasFirstButton(const CElement& element) const override {
        return RowOf(IndexOf(&element)) >= 0;
    }
    [[nodiscard]] bool HasSecondButton(const CElement& element) const override {
        return RowOf(IndexOf(&element)) >= 0;
    }
    std::vector<int> ElementLabels() const override;
    void AddCells(int element, std::vector<FormCell>& cells) const override;
    QString ButtonText(BlockPart part) const override;
    [[nodiscard]] bool ButtonEnabled(int element, BlockPart part) const override;
    [[nodiscard]] bool IsHeading(int element) const override { return element == 0; }
    [[nodiscard]] bool OpensMenu(const FormCell& cell) const override { return RowOf(cell.element) >= 0; }
    QString ValueHint(int element) const override;

private:
    [[nodiscard]] bool HasEntryRows() const;
    [[nodiscard]] bool HasValueChoice() const {
        return block_.kind == kBlockMessaging || block_.kind == kBlockAddress;
    }
    // The row an element shows; -1 for the heading and the rows that are no template entries.
    int RowOf(int element) const;
    // The name fields the name block lists.
    std::vector<int> NameFields() const;
    QString LabelText(int label) const;
    QString ValueText(int row) const;
    void RunValuePopup(int row, const QPoint& at, QWidget* parent);
    [[nodiscard]] bool PromptCustomLabel(CElement& element, WndImpl& owner);
    // The elements again, after rows came or went.
    void Rebuild();

    BlockDescriptor block_;
    const ContactTemplate& template_;
};
