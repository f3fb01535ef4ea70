#pragma once
// CApEditContext: makes a text field (a QLineEdit, or a QPlainTextEdit for longer text) behave as
// the edit control of a form. A stylus press held 400 ms without moving more than 7 pixels or a
// right click opens its Edit menu (menu 164, through the toolkit's popup menus) at the press, the
// Menu key and Shift+F10 below the caret; its commands act on that field and are greyed while they cannot
// apply. A double tap then release selects the whole text. Qt's own context menu never appears. In block mode
// Up and Down move to the previous and next element of the form, as Tab and Shift+Tab do, and Escape goes on
// to the dialog. The hold is timed by timer 123 of a window of class "CAPEdit", so it runs on the platform
// clock (tests drive it).
#include <QObject>
#include <QPoint>
#include <QTextCursor>
#include <cstdint>

#include "core/menu/MenuDescription.h"
#include "edit/form/EditContextRules.h"
#include "platform/window/WindowTypes.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

class CApEditContext : public QObject {
public:
    static constexpr char16_t kClassName[] = u"CAPEdit";

    // Attaches to the field; it is deleted with the field. `blockMode`: the arrows leave the field.
    static CApEditContext* Attach(QLineEdit& field, bool blockMode);
    static CApEditContext* Attach(QPlainTextEdit& field, bool blockMode);
    // The control attached to `field`, or null.
    static CApEditContext* Of(const QWidget& field);

    ~CApEditContext() override;

    // The Edit menu as it would open now.
    MenuDescription EditMenu() const;
    // Carries out a command of the Edit menu on the field; other commands do nothing.
    void RunCommand(uint32_t command);
    // Opens the Edit menu at `at` (in the field's coordinates) after taking the focus, and carries
    // out the choice.
    void OpenEditMenu(const QPoint& at);
    // The window whose timer times the hold (0 until the first press).
    plat::HWND Hwnd() const { return hwnd_; }

protected:
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CApEditContext(QWidget& field, QLineEdit* line, QPlainTextEdit* text, bool blockMode);

    EditContextState State() const;
    [[nodiscard]] bool OnMouse(QEvent& event);
    [[nodiscard]] bool OnKey(QEvent& event);
    void StartHold(const QPoint& at, bool doubleTap);
    // The press moves the caret; the menu it opens acts on the selection there was before it.
    void KeepSelection();
    void RestoreSelection();
    void StopHold();
    void OnHoldTimer();
    // The widget the stylus events reach, and where the pending press went down on the field.
    QWidget* MouseArea() const;
    QPoint PressPoint() const;
    [[nodiscard]] bool EnsureWindow();

    QWidget& field_;
    QLineEdit* line_;
    QPlainTextEdit* text_;
    // The stylus reaches a text area's viewport, not the area itself. It is kept from the start:
    // events still come while the field is being destroyed, when its viewport cannot be asked for.
    QWidget* mouseArea_;
    bool blockMode_;
    bool movingFocus_ = false;  // a Tab of its own is on its way: it is not looked at again
    HoldGesture hold_;
    int keptStart_ = -1;  // a line's selection at the press (-1: none)
    int keptLength_ = 0;
    QTextCursor keptCursor_;  // a text area's cursor at the press
    plat::HWND hwnd_ = 0;
};
