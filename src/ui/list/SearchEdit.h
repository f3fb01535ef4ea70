#pragma once
// SearchEdit: the search box (window class "SEARCH.EDIT"): a plain edit, a busy indicator and a
// clear button. The user's edits reach the listener with the new text; text set by the program
// (SetText) does not. The hint is shown while the box is empty and has no focus. Backspace is
// first offered to the listener (in alphabet mode it removes pressed groups); the keys the box
// does not use (Down, Left at the start of the text, Enter, the phone keypad's digits, the Menu
// key and Shift+F10 as VK_APPS) go to the listener as virtual keys. The busy indicator cycles four icons, at
// most one step per 250 ms.
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <cstdint>

#include "ui/list/EventHook.h"
#include "ui/toolkit/WndImpl.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;

class SearchEditListener {
public:
    virtual ~SearchEditListener() = default;
    virtual void OnSearchTextChanged(const QString& text) = 0;
    // Backspace with the caret and selection given; true when the listener handled it.
    [[nodiscard]] virtual bool OnSearchBackspace(int caret, int selStart, int selEnd) = 0;
    virtual void OnSearchKey(uint32_t key) = 0;
};

class SearchEdit : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"SEARCH.EDIT";
    static constexpr int kBusyStepMs = 250;
    static constexpr int kBusyIcons = 4;

    explicit SearchEdit(SearchEditListener& listener) : listener_(listener) {}
    ~SearchEdit() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect, const QString& hint);

    QString Text() const;
    // Shows `text` without notifying; the caret goes to `caret` (-1: the end).
    void SetText(const QString& text, int caret = -1);
    void SetBusy(bool busy);
    [[nodiscard]] bool IsBusy() const { return busy_; }
    int BusyIcon() const { return busyIcon_; }
    void Focus();
    [[nodiscard]] bool HasFocus() const;
    QLineEdit* Edit() const { return edit_; }
    QToolButton* ClearButton() const { return clear_; }

protected:
    QString AccessibleText() const override;

private:
    [[nodiscard]] bool OnEditEvent(QEvent& event);
    [[nodiscard]] bool OnEditKey(const QKeyEvent& key);
    void UpdateHint();
    void StepBusy();

    SearchEditListener& listener_;
    QLineEdit* edit_ = nullptr;
    QToolButton* clear_ = nullptr;
    QLabel* busyLabel_ = nullptr;
    QString hint_;
    QTimer busyTimer_;
    QElapsedTimer sinceStep_;
    bool busy_ = false;
    int busyIcon_ = 0;
    EventHookSlot hook_;  // last: it goes first
};
