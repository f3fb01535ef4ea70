#pragma once
// FormBlock: a block of a form window (FormWindow) as the window sees it. Each element's value is
// made of cells that the window puts the keyboard on one at a time: a text, a date or a note (each
// edited in a real control over it), or a drawn value that opens a choice (a messenger type, the
// categories, the picture, a template row's type or format). The block draws itself: the small
// buttons, the label (with an arrow when it opens the label popup) and the values, elided at the
// right, the one with the keyboard marked. What a block holds and what its choices do is its own.
#include <QString>
#include <cstdint>
#include <vector>

#include "edit/form/CBlock.h"

class QPainter;
class QPoint;
class QWidget;
class WndImpl;

enum class CellKind { Text, Date, Note, Choice, Picture };

// One value of an element that the form edits on its own.
struct FormCell {
    CellKind kind = CellKind::Text;
    int element = 0;  // the element's index in its block
    int line = 0;     // the value line of the element it sits on
    int slot = -1;    // what of the element it shows (a name field, an address part); -1 for all
};

class FormBlock : public CBlock {
public:
    // `freeLabels`: labels may be typed freely in the label popup.
    FormBlock(int group, bool freeLabels, int dpiX, int dpiY);

    // Joins the form on `host` at `top`, `width` wide, and lays itself out with `fonts`.
    [[nodiscard]] bool Place(PseudoHost* host, int top, int width, const BlockFonts& fonts);
    int Group() const { return group_; }

    // The cells, in the order the keyboard walks them.
    const std::vector<FormCell>& Cells() const { return cells_; }
    // The cells of `element`, by index into Cells().
    std::vector<int> CellsOf(int element) const;
    // Where a cell sits, in block coordinates.
    virtual PseudoRect CellRect(const FormCell& cell) const;
    // The cell at `at` (block coordinates) of `element`; -1 when none.
    int CellAt(int element, PseudoPoint at) const;

    virtual QString CellText(const FormCell& cell) const = 0;
    virtual QString Placeholder(const FormCell&) const { return {}; }
    // Stores typed text; a text equal to what the cell shows changes nothing.
    virtual void SetCellText(const FormCell&, const QString&) {}
    virtual uint64_t CellDate(const FormCell&) const { return 0; }
    virtual void SetCellDate(const FormCell&, uint64_t) {}
    // The element's label as shown, and whether it opens the label popup.
    virtual QString ElementLabel(int element) const = 0;
    [[nodiscard]] virtual bool LabelChoosable(int element) const = 0;
    // The element's value as one text (the texts of its cells).
    virtual QString ElementValue(int element) const;

    // Draws the part of the block within `clip` (block coordinates) at the painter's origin.
    void Paint(QPainter& painter, const PseudoRect& clip, const FormCell* focusedCell,
               int focusedLabel) const;

    // The label popup of `element`, right-aligned at `at` (global: below the label, at its right
    // edge); its dialogs open over `owner`.
    virtual void RunLabelPopup(int element, const QPoint& at, QWidget* parent, WndImpl& owner) = 0;
    // The choice of a drawn cell.
    virtual void RunChoice(const FormCell&, const QPoint&, QWidget*, WndImpl&) {}
    // A tap on a small button of `element`; the element the keyboard goes to then, or -1.
    virtual int OnSmallButton(int, BlockPart) { return -1; }

protected:
    // The label index of each element when the block is built.
    virtual std::vector<int> ElementLabels() const = 0;
    virtual int ElementHeight(int) const { return RowHeight(); }
    virtual void AddCells(int element, std::vector<FormCell>& cells) const = 0;
    virtual QString ButtonText(BlockPart part) const;
    [[nodiscard]] virtual bool ButtonEnabled(int, BlockPart) const { return true; }
    // Whether a drawn cell opens a menu (it is drawn with an arrow).
    [[nodiscard]] virtual bool OpensMenu(const FormCell&) const { return true; }
    // What an element without cells shows in its value's place (drawn as a placeholder).
    virtual QString ValueHint(int) const { return {}; }
    // A label drawn as the block's heading.
    [[nodiscard]] virtual bool IsHeading(int) const { return false; }
    virtual void PaintCell(QPainter& painter, const FormCell& cell, bool focused) const;

    // The cells and the element heights again, after the elements or their lines changed.
    void BuildCells();
    void Relayout();
    void RepaintAll();
    int Scale(int n) const;

private:
    void PaintElement(QPainter& painter, int element, const PseudoRect& clip, const FormCell* focusedCell,
                      bool labelFocused) const;
    void PaintPart(QPainter& painter, int element, BlockPart part) const;

    int group_;
    bool freeLabels_;
    int dpiY_;
    std::vector<FormCell> cells_;
};
