#pragma once
// FieldBlock: one block of the edit form, built from its descriptor and read back into one. It is
// a windowless block of the form window: its elements are the descriptor's rows (the name block:
// its visible name fields and the picture; the categories and the note: one element each), and
// each element's value is one or more cells that the form window edits one at a time: a text, a
// date, a messenger type, the categories, the picture or the note. A value left alone is handed
// back exactly as it came. The block draws itself (labels, values elided at the right, the small
// buttons) and runs its own choices: the label popup with "Custom..." (and "Address format..." on an
// address), the messenger types, the category list and the picture's menu.
#include <QString>
#include <vector>

#include "edit/address/AddressElement.h"
#include "edit/form/CBlock.h"
#include "edit/mapper/BlockDescriptor.h"

class QPainter;
class QPoint;
class QWidget;
class WndImpl;

enum class CellKind { Text, Date, MsgType, Categories, Picture, Note };

// One value of an element that the form edits on its own.
struct FormCell {
    CellKind kind = CellKind::Text;
    int element = 0;  // the element's index in its block
    int line = 0;     // the value line of the element it sits on
    int slot = -1;    // a name field or an address part; -1 otherwise
};

class FieldBlock : public CBlock {
public:
    static constexpr uint32_t kStrAddressFormat = 40087, kStrNote = 40238, kStrCategories = 41175;
    static constexpr uint32_t kCmdChoosePicture = 1, kCmdRemovePicture = 2;
    static constexpr uint32_t kFormatCommand = 2000;  // country i of "Address format..." is 2000 + i

    FieldBlock(const BlockDescriptor& block, int dpiX, int dpiY);

    // Joins the form on `host` at `top`, `width` wide, and lays itself out with `fonts`.
    bool Place(PseudoHost* host, int top, int width, const BlockFonts& fonts);
    int Group() const { return block_.group; }
    int Kind() const { return block_.kind; }
    const Str& Hint() const { return block_.hint; }
    // The block's contents as now edited.
    BlockDescriptor Read() const;

    // The cells, in the order the keyboard walks them.
    const std::vector<FormCell>& Cells() const { return cells_; }
    // The cells of `element`, by index into Cells().
    std::vector<int> CellsOf(int element) const;
    // The cell of name field `entry`; -1 when the block does not show it.
    int NameCell(int entry) const;
    // Where a cell sits, in block coordinates.
    PseudoRect CellRect(const FormCell& cell) const;
    // The cell at `at` (block coordinates) of `element`; -1 when none.
    int CellAt(int element, PseudoPoint at) const;

    QString CellText(const FormCell& cell) const;
    QString Placeholder(const FormCell& cell) const;
    // Stores typed text; a text equal to what the cell shows changes nothing.
    void SetCellText(const FormCell& cell, const QString& text);
    uint64_t CellDate(const FormCell& cell) const;
    void SetCellDate(const FormCell& cell, uint64_t date);
    // The element's label as shown, and whether it opens the label popup.
    QString ElementLabel(int element) const;
    bool LabelChoosable(int element) const;
    // The element's value as one text (the texts of its cells).
    QString ElementValue(int element) const;

    // Draws the part of the block within `clip` (block coordinates) at the painter's origin.
    void Paint(QPainter& painter, const PseudoRect& clip, const FormCell* focusedCell, int focusedLabel) const;

    // The label popup of `element` opened at `at` (global), then the custom label dialog over
    // `owner` when asked for; an address offers its formats here too.
    void RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner);
    // The messenger types of a messaging element.
    void RunTypePopup(int element, const QPoint& at, QWidget* parent);
    void RunCategories(WndImpl& owner);
    // "Choose picture..." (a file) and "Remove picture".
    void RunPictureMenu(const QPoint& at, QWidget* parent);
    // The first small button: a row like this one (its label, no value) at the block's end.
    bool AddRowLike(int element);
    // The second small button: a date row's date is cleared.
    bool ClearDate(int element);
    // The picture as a screen reader gives it: its size, or "No picture".
    QString PictureText() const;

protected:
    bool HasFirstButton(const CElement&) const override { return HasRows(); }
    bool HasSecondButton(const CElement&) const override { return block_.kind == kBlockDate; }

private:
    // The element's value lines.
    int LinesOf(int element) const;
    bool HasRows() const;
    void BuildElements();
    void BuildCells();
    void Resize();
    void RunFormatPopup(int element, const QPoint& at, QWidget* parent);
    void ChoosePicture(QWidget* parent);
    QString LabelText(int label) const;
    void PaintElement(QPainter& painter, int element, const PseudoRect& clip, const FormCell* focusedCell,
                      bool labelFocused) const;
    void PaintCell(QPainter& painter, const FormCell& cell, bool focused) const;
    void PaintPart(QPainter& painter, const CElement& element, BlockPart part, const QString& text) const;

    BlockDescriptor block_;
    int dpiX_, dpiY_;
    std::vector<int> nameEntries_;         // the name block: the name field of each element
    std::vector<AddressElement> addresses_;  // the address block: one per row
    std::vector<FormCell> cells_;
    QString noteAsLoaded_, note_;
};
