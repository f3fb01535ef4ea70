#pragma once
// CoolList: the generic owner-drawn, virtual list window (class "COOL.LIST"). It holds no rows,
// only their count, the current row and the first visible row; its listener measures and draws
// each exposed row into the window's off-screen image, and gets what the list does not handle
// itself: other keys, typed characters, taps, activation, the context menu.
//
// Keys: Home, End, Page Up/Down, Up and Down move the current row (Up on the first row of a list
// that does not wrap goes to the listener), Return activates it; after a handled key the waiting
// keys are dropped, so holding a key gives one move per key processed and never a backlog. The
// phone keypad's digits reach the listener as VK_NUMPAD0 + digit; Home, End and the page keys
// are the list's own. A tap selects, a second tap on
// the same row within the double-click time activates, a tap-and-hold opens the context menu.
// The action key (Enter) pressed and released activates the current row; held 400 ms it opens the
// row's context menu, as do the Menu key and Shift+F10. Ctrl+Space and a tap with Ctrl held mark or
// unmark a row (the context menu then acts on every marked row).
#include <QEvent>
#include <QKeyEvent>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>
#include <cstdint>

#include "screen/list/ListKeys.h"
#include "ui/list/EventHook.h"
#include "ui/toolkit/WndImpl.h"

class CoolListListener {
public:
    virtual ~CoolListListener() = default;
    // A key the list does not handle itself.
    virtual void OnListKeyDown(uint32_t key) = 0;
    virtual void OnListChar(char16_t ch) = 0;
    virtual void OnItemTapped(int row) = 0;
    // A single tap at `point` (list coordinates) on the row drawn in `rowRect`, before it counts
    // as OnItemTapped; true takes it (the row is already current).
    [[nodiscard]] virtual bool OnItemTappedAt(int /*row*/, const QPoint& /*point*/,
                                              const QRect& /*rowRect*/) {
        return false;
    }
    virtual void OnItemActivated(int row) = 0;
    virtual void OnSelectionChanged(int row) = 0;
    virtual void OnContextMenu(int row, const QPoint& globalPos) = 0;
    // The row's mark is to be turned over (Ctrl+Space, or a tap with Ctrl held).
    virtual void OnMarkToggled(int /*row*/) {}
    virtual int ItemHeight() const = 0;
    virtual void DrawItem(QPainter& painter, int row, const QRect& rect, bool selected, bool focused) = 0;
    // What a screen reader reads for a row, and for a list without rows.
    virtual QString ItemText(int row) const = 0;
    virtual QString EmptyText() const = 0;
    // ListCyclic: Up on the first row goes to the last and Down on the last to the first.
    [[nodiscard]] virtual bool Cyclic() const = 0;
};

class CoolList : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"COOL.LIST";

    explicit CoolList(CoolListListener& listener);
    ~CoolList() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);

    // New rows: `count` of them with `selected` current (-1 none), scrolled into view.
    void SetRows(int count, int selected);
    // Makes a row current without reporting it, and scrolls it into view.
    void SetSelected(int row);
    // Repaints the rows (their texts or look changed).
    void Redraw() { Invalidate(); }

    int Count() const { return count_; }
    int Selected() const { return selected_; }
    int Top() const { return top_; }
    // Fully visible rows (at least 1).
    int Page() const;
    // The row under a point of the window; -1 below the last row.
    int RowAt(const QPoint& point) const;
    QRect RowRect(int row) const;
    [[nodiscard]] bool HasFocus() const;
    QString RowText(int row) const { return listener_.ItemText(row); }
    // Opens the context menu of the current row below it, as the keyboard asks for it.
    void OpenContextMenu();

protected:
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;
    void Paint(QPainter& painter, const QRect& exposed) override;
    void OnResize(const QSize&) override { ScrollTo(selected_); }
    void OnTap(const QPoint& point) override;
    void OnTapAndHold(const QPoint& point) override;
    QString AccessibleText() const override;

private:
    void OnKeyDown(uint32_t key);
    // The action key went down or up on the list's own widget; true when it was taken.
    [[nodiscard]] bool OnActionKey(const QKeyEvent& event);
    void OnActionTimer();
    // Makes `row` current and reports it; false when it already was.
    [[nodiscard]] bool MoveTo(int row);
    void ScrollTo(int row);
    void SetTop(int top);
    [[nodiscard]] bool OnWidgetEvent(QEvent& event);
    void AnnounceSelection();

    CoolListListener& listener_;
    int count_ = 0;
    int selected_ = -1;
    int top_ = 0;
    int lastTapRow_ = -1;
    qint64 lastTapAt_ = 0;
    ActionKeyPress action_;
    QTimer actionTimer_;
    EventHookSlot hook_;  // last: it goes first
};
