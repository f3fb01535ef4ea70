#include "ui/list/CoolList.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "platform/window/Messages.h"
#include "screen/list/ListKeys.h"
#include "ui/list/CoolListAccessible.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/MessageLoop.h"

namespace {

constexpr int kWheelRows = 3;

// The list's own virtual key of a key event the toolkit does not translate: the phone keypad's
// digits (VK_NUMPAD0 + digit) and the paging keys; 0 for the others.
uint32_t ListKeyOf(const QKeyEvent& event) {
    if (IsPhoneKeypad(event) && event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9) {
        return kVkNumpad0 + static_cast<uint32_t>(event.key() - Qt::Key_0);
    }
    switch (event.key()) {
        case Qt::Key_Home: return kVkHome;
        case Qt::Key_End: return kVkEnd;
        case Qt::Key_PageUp: return kVkPrior;
        case Qt::Key_PageDown: return kVkNext;
        default: return 0;
    }
}

bool IsActionKey(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool IsMarkKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Space && event.modifiers() == Qt::ControlModifier;
}

}  // namespace

CoolList::CoolList(CoolListListener& listener) : listener_(listener) {
    InstallListAccessibility();
    actionTimer_.setSingleShot(true);
    actionTimer_.setInterval(static_cast<int>(ActionKeyPress::kHoldMs));
    QObject::connect(&actionTimer_, &QTimer::timeout, [this] { OnActionTimer(); });
}

bool CoolList::Create(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(kClassName, u"", &parent, rect)) return false;
    hook_.Install(*Widget(), [this](QEvent& event) { return OnWidgetEvent(event); });
    Widget()->show();
    return true;
}

bool CoolList::OnWidgetEvent(QEvent& event) {
    switch (event.type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: Invalidate(); return false;
        case QEvent::Wheel: {
            const int steps = static_cast<QWheelEvent&>(event).angleDelta().y() / 120;
            SetTop(top_ - steps * kWheelRows);
            return true;
        }
        case QEvent::KeyPress: {
            const auto& keyEvent = static_cast<QKeyEvent&>(event);
            if (IsContextMenuKey(keyEvent)) {
                OpenContextMenu();
                return true;
            }
            if (IsMarkKey(keyEvent)) {
                if (selected_ >= 0) listener_.OnMarkToggled(selected_);
                return true;
            }
            if (OnActionKey(keyEvent)) return true;
            const uint32_t key = ListKeyOf(keyEvent);
            if (key == 0) return false;
            Send(plat::WM_KEYDOWN, key, 0);
            return true;
        }
        case QEvent::KeyRelease: return OnActionKey(static_cast<QKeyEvent&>(event));
        case QEvent::ContextMenu:
            // The window system's own request from the keyboard (the Menu key): the key press
            // opened the menu already.
            return static_cast<QContextMenuEvent&>(event).reason() == QContextMenuEvent::Keyboard;
        default: return false;
    }
}

int CoolList::Page() const {
    const int height = Widget() != nullptr ? Widget()->height() : 0;
    return std::max(1, height / std::max(1, listener_.ItemHeight()));
}

QRect CoolList::RowRect(int row) const {
    const int height = listener_.ItemHeight();
    return QRect(0, (row - top_) * height, Widget() != nullptr ? Widget()->width() : 0, height);
}

int CoolList::RowAt(const QPoint& point) const {
    if (point.y() < 0) return -1;
    const int row = top_ + point.y() / std::max(1, listener_.ItemHeight());
    return row < count_ ? row : -1;
}

bool CoolList::HasFocus() const { return Widget() != nullptr && Widget()->hasFocus(); }

void CoolList::SetRows(int count, int selected) {
    count_ = std::max(0, count);
    selected_ = count_ == 0 ? -1 : std::clamp(selected, -1, count_ - 1);
    top_ = std::clamp(top_, 0, std::max(0, count_ - Page()));
    ResetListAccessibility(*this);
    ScrollTo(selected_);
    Invalidate();
    AnnounceSelection();
}

void CoolList::SetSelected(int row) {
    selected_ = count_ == 0 ? -1 : std::clamp(row, -1, count_ - 1);
    ScrollTo(selected_);
    Invalidate();
    AnnounceSelection();
}

bool CoolList::MoveTo(int row) {
    if (count_ == 0) return false;
    row = std::clamp(row, 0, count_ - 1);
    if (row == selected_) return false;
    SetSelected(row);
    listener_.OnSelectionChanged(row);
    return true;
}

void CoolList::ScrollTo(int row) {
    if (row < 0) return SetTop(top_);
    if (row < top_) return SetTop(row);
    if (row >= top_ + Page()) return SetTop(row - Page() + 1);
    SetTop(top_);
}

void CoolList::SetTop(int top) {
    const int clamped = std::clamp(top, 0, std::max(0, count_ - Page()));
    if (clamped == top_) return;
    top_ = clamped;
    Invalidate();
}

plat::LRESULT CoolList::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    switch (message) {
        case plat::WM_KEYDOWN: OnKeyDown(static_cast<uint32_t>(wParam)); return 0;
        case plat::WM_CHAR: listener_.OnListChar(static_cast<char16_t>(wParam)); return 0;
        default: return WndImpl::WndProc(message, wParam, lParam);
    }
}

void CoolList::OnKeyDown(uint32_t key) {
    const ListKeyOutcome outcome = OnListKey(key, {selected_, count_, Page(), listener_.Cyclic(), false});
    switch (outcome.kind) {
        case ListKeyOutcome::Kind::ToListener: listener_.OnListKeyDown(key); return;
        case ListKeyOutcome::Kind::Move: (void)MoveTo(outcome.row); break;  // current already: nothing to do
        case ListKeyOutcome::Kind::Activate: listener_.OnItemActivated(selected_); break;
        case ListKeyOutcome::Kind::ActionPress:
        case ListKeyOutcome::Kind::None: break;
    }
    // Auto-repeat must not pile up: the keys that arrived while this one was handled are dropped.
    FlushKeyboardInput();
}

bool CoolList::OnActionKey(const QKeyEvent& event) {
    if (!IsActionKey(event)) return false;
    if (event.isAutoRepeat()) return true;  // held: the timer decides
    if (event.type() == QEvent::KeyPress) {
        if (selected_ < 0 || action_.IsDown()) return true;
        action_.Press();
        actionTimer_.start();
        return true;
    }
    actionTimer_.stop();
    if (action_.Release() == ActionKeyPress::Result::Activate && selected_ >= 0) {
        listener_.OnItemActivated(selected_);
    }
    return true;
}

void CoolList::OnActionTimer() {
    if (action_.TimerFired() == ActionKeyPress::Result::ContextMenu) OpenContextMenu();
}

void CoolList::OpenContextMenu() {
    if (selected_ < 0 || Widget() == nullptr) return;
    lastTapRow_ = -1;
    ScrollTo(selected_);
    const QRect row = RowRect(selected_);
    listener_.OnContextMenu(selected_,
                            Widget()->mapToGlobal(QPoint(row.left() + row.height(), row.bottom())));
}

void CoolList::OnTap(const QPoint& point) {
    const int row = RowAt(point);
    if (row < 0) return;
    if (QApplication::keyboardModifiers() == Qt::ControlModifier) {
        lastTapRow_ = -1;
        (void)MoveTo(row);  // the row may be current already
        listener_.OnMarkToggled(row);
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool second = row == lastTapRow_ && now - lastTapAt_ <= QApplication::doubleClickInterval();
    lastTapRow_ = second ? -1 : row;
    lastTapAt_ = now;
    if (Widget() != nullptr) Widget()->setFocus(Qt::MouseFocusReason);
    (void)MoveTo(row);  // the row may be current already
    if (second) {
        listener_.OnItemActivated(row);
    } else if (listener_.OnItemTappedAt(row, point, RowRect(row))) {
        lastTapRow_ = -1;  // what the tap opened took it: the next tap starts afresh
    } else {
        listener_.OnItemTapped(row);
    }
}

void CoolList::OnTapAndHold(const QPoint& point) {
    const int row = RowAt(point);
    if (row < 0) return;
    lastTapRow_ = -1;
    (void)MoveTo(row);  // the row may be current already
    listener_.OnContextMenu(row, Widget()->mapToGlobal(point));
}

void CoolList::Paint(QPainter& painter, const QRect& exposed) {
    const QRect area = Widget()->rect();
    painter.fillRect(exposed, Qt::white);
    if (count_ == 0) {
        painter.setPen(Qt::darkGray);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, listener_.EmptyText());
        return;
    }
    const bool focused = HasFocus();
    const int height = std::max(1, listener_.ItemHeight());
    const int first = top_ + std::max(0, exposed.top()) / height;
    const int last = std::min(count_ - 1, top_ + exposed.bottom() / height);
    for (int row = first; row <= last; ++row) {
        painter.save();
        listener_.DrawItem(painter, row, RowRect(row), row == selected_, focused);
        painter.restore();
    }
}

QString CoolList::AccessibleText() const {
    return selected_ >= 0 ? listener_.ItemText(selected_) : listener_.EmptyText();
}

void CoolList::AnnounceSelection() {
    if (Widget() == nullptr || selected_ < 0) return;
    QAccessibleEvent event(Widget(), QAccessible::Selection);
    event.setChild(selected_);
    QAccessible::updateAccessibility(&event);
}
