#pragma once
// FormWindow: a form, one real window hosting windowless blocks (FormBlock). It stacks the
// blocks top to bottom (again whenever one tells that its height changed), paints the exposed part
// of them into an off-screen image and copies it, and routes a tap by what the block's hit test
// finds: the small buttons to the block (add a row, clear a date), the label to its popup, a value
// to its editor. One edit control (a form edit control in block mode) is moved over the text being
// edited, a text area over the note and a date editor over a date; every other value is drawn.
// Up, Down, Tab and Shift+Tab walk the labels and values; Enter or Space on a label opens its popup
// and on a drawn value its choice; Escape goes on to the dialog. Typed text reaches the block as it
// is typed, so what the form reads back is always what is shown. The window scrolls in the scroll
// area it is given so that what has the keyboard is in view. Screen readers see every element
// with its label and value (FormAccessible).
#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/edit/FormBlock.h"

class DateField;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class WndImpl;

class FormWindow : public QWidget, private PseudoHost {
public:
    // What the keyboard is on: a value cell of a block or an element's label.
    struct Stop {
        FormBlock* block = nullptr;
        int cell = -1;   // an index into the block's cells, or -1
        int label = -1;  // an element whose label it is, or -1
        [[nodiscard]] bool operator==(const Stop&) const = default;
    };

    // `owner` is the dialog the blocks' own dialogs open over; the window scrolls in `area`.
    FormWindow(WndImpl& owner, QScrollArea& area, QWidget* parent);
    ~FormWindow() override;

    // Builds the form anew from `blocks`; nothing has the keyboard then.
    void SetBlocks(std::vector<std::unique_ptr<FormBlock>> blocks);

    int BlockCount() const { return static_cast<int>(blocks_.size()); }
    FormBlock* Block(int index) const { return blocks_[index].get(); }
    FormBlock* BlockOf(int group) const;

    // Puts the keyboard on `stop` (and the editor over it) and scrolls it into view.
    void MoveTo(const Stop& stop);
    const Stop& Current() const { return current_; }
    // The first value of the form, or of `block` (its first label when it has no value).
    void FocusFirst(FormBlock* block = nullptr);
    // The first value of `element`, or its label when that opens a popup.
    void FocusElement(FormBlock& block, int element);
    // The value the keyboard is on, or null.
    const FormCell* CurrentCell() const;

    // Where to tap: the middle of a part of an element, or of a cell, in this window.
    QPoint PartPoint(const FormBlock& block, int element, BlockPart part) const;
    QPoint CellPoint(const FormBlock& block, int cell) const;
    // The rectangle of a stop in this window.
    QRect StopRect(const Stop& stop) const;

    // The editors; each is shown only over the value being edited.
    QLineEdit* LineEditor() const { return line_; }
    QPlainTextEdit* NoteEditor() const { return note_; }
    DateField* DateEditor() const { return date_; }

    // Every element in form order, as the accessibility interface lists them.
    struct ElementRef {
        FormBlock* block;
        int element;
    };
    std::vector<ElementRef> Elements() const;
    // The element the keyboard is on; -1 when none.
    int FocusedElement() const;
    QRect ElementRect(const ElementRef& ref) const;

protected:
    [[nodiscard]] bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Hit {
        FormBlock* block = nullptr;
        BlockHit hit;
        int cell = -1;
    };

    std::vector<Stop> Stops() const;
    // Whether `stop` is still one of the form's (a block's rows may have changed under it).
    [[nodiscard]] bool Exists(const Stop& stop) const;
    void Step(int direction);
    // Enter or Space on what the keyboard is on; a tap on it.
    void Activate();
    Hit HitAt(const QPoint& at) const;
    void Tap(const Hit& hit);
    void ShowEditor();
    void HideEditors();
    void Restack();
    void ScrollTo(const QRect& rect);
    QPoint GlobalBelow(const QRect& rect) const;
    void TellFocus();

    // PseudoHost
    void InvalidateRect(const PseudoRect& rect) override;
    void Update() override {}
    void SetMouseCapture(bool) override {}
    void Notify(const BlockNotification& notification) override;

    WndImpl& owner_;
    QScrollArea& area_;
    std::vector<std::unique_ptr<FormBlock>> blocks_;
    Stop current_;
    Hit pressed_;
    QImage canvas_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    DateField* date_ = nullptr;
    bool restacking_ = false;
};
