#include "ui/toolkit/CApEditContext.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "platform/timer/Clock.h"
#include "platform/timer/Timers.h"
#include "platform/window/Window.h"
#include "ui/toolkit/Guard.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/WndImpl.h"

namespace {

constexpr char kProperty[] = "brevaneEditContext";
constexpr plat::LRESULT kWantAllKeys = 4;  // WM_GETDLGCODE: the control takes every key

uint32_t NowTick() { return static_cast<uint32_t>(plat::CurrentClock().NowMs()); }

// The handheld's virtual key of the keys the form may take from the field; 0 for the others.
uint32_t FormKeyOf(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 0x09;
        case Qt::Key_Escape: return 0x1B;
        case Qt::Key_Up: return 0x26;
        case Qt::Key_Down: return 0x28;
        default: return 0;
    }
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

}  // namespace

CApEditContext::CApEditContext(QWidget& field, QLineEdit* line, QPlainTextEdit* text, bool blockMode)
    : QObject(&field),
      field_(field),
      line_(line),
      text_(text),
      mouseArea_(text != nullptr ? text->viewport() : &field),
      blockMode_(blockMode) {
    field.setProperty(kProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    field.installEventFilter(this);
}

CApEditContext* CApEditContext::Attach(QLineEdit& field, bool blockMode) {
    return new CApEditContext(field, &field, nullptr, blockMode);
}

CApEditContext* CApEditContext::Attach(QPlainTextEdit& field, bool blockMode) {
    auto* control = new CApEditContext(field, nullptr, &field, blockMode);
    field.viewport()->installEventFilter(control);
    return control;
}

CApEditContext* CApEditContext::Of(const QWidget& field) {
    return dynamic_cast<CApEditContext*>(field.property(kProperty).value<QObject*>());
}

CApEditContext::~CApEditContext() {
    if (hwnd_ != 0 && plat::IsWindow(hwnd_)) (void)plat::DestroyWindow(hwnd_);  // the window goes either way
}

EditContextState CApEditContext::State() const {
    EditContextState state;
    if (line_ != nullptr) {
        state.canUndo = line_->isUndoAvailable();
        state.hasSelection = line_->hasSelectedText();
        state.hasText = !line_->text().isEmpty();
        state.canPaste = ClipboardHasText();
        state.readOnly = line_->isReadOnly();
    } else {
        state.canUndo = text_->document()->isUndoAvailable();
        state.hasSelection = text_->textCursor().hasSelection();
        state.hasText = !text_->document()->isEmpty();
        state.canPaste = text_->canPaste();
        state.readOnly = text_->isReadOnly();
    }
    return state;
}

MenuDescription CApEditContext::EditMenu() const { return EditContextMenu(State()); }

void CApEditContext::RunCommand(uint32_t command) {
    // A command that cannot apply now (chosen another way than from the menu) does nothing.
    const MenuDescription menu = EditMenu();
    const MenuItem* item = menu.Find(command);
    if (item == nullptr || !item->enabled) return;
    if (line_ != nullptr) {
        switch (command) {
            case kCmdEditUndo: return line_->undo();
            case kCmdEditCut: return line_->cut();
            case kCmdEditCopy: return line_->copy();
            case kCmdEditPaste: return line_->paste();
            case kCmdEditClear: return line_->del();
            case kCmdEditSelectAll: return line_->selectAll();
            default: return;
        }
    }
    switch (command) {
        case kCmdEditUndo: return text_->undo();
        case kCmdEditCut: return text_->cut();
        case kCmdEditCopy: return text_->copy();
        case kCmdEditPaste: return text_->paste();
        case kCmdEditClear: return text_->textCursor().removeSelectedText();
        case kCmdEditSelectAll: return text_->selectAll();
        default: return;
    }
}

void CApEditContext::OpenEditMenu(const QPoint& at) {
    StopHold();
    field_.setFocus(Qt::MouseFocusReason);
    RunCommand(TrackPopupMenu(EditMenu(), field_.mapToGlobal(at), &field_));
}

bool CApEditContext::eventFilter(QObject* watched, QEvent* event) {
    bool taken = false;
    (void)RunGuarded(  // what threw was logged; the event is then not taken
        [&] {
            if (event->type() == QEvent::ContextMenu) {
                // A right click is the shell's tap-and-hold: the Edit menu at once, and never Qt's
                // own. The window system's request from the keyboard was the key's, taken below.
                const auto& menu = static_cast<QContextMenuEvent&>(*event);
                if (menu.reason() != QContextMenuEvent::Keyboard) {
                    OpenEditMenu(static_cast<QWidget*>(watched)->mapTo(&field_, menu.pos()));
                }
                taken = true;
            } else if (watched == &field_ && event->type() == QEvent::KeyPress &&
                       IsContextMenuKey(static_cast<QKeyEvent&>(*event))) {
                // The Menu key and Shift+F10: the Edit menu below the caret.
                OpenEditMenu(field_.inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft());
                taken = true;
            } else if (watched == &field_ && event->type() == QEvent::KeyPress) {
                taken = OnKey(*event);
            } else if (watched == MouseArea()) {
                taken = OnMouse(*event);
            }
        },
        "CApEditContext");
    return taken;
}

bool CApEditContext::OnKey(QEvent& event) {
    const auto& key = static_cast<QKeyEvent&>(event);
    if (movingFocus_ || !PassesKeyToParent(FormKeyOf(key), blockMode_)) return false;
    // Tab and Escape go on as they are.
    if (key.key() != Qt::Key_Up && key.key() != Qt::Key_Down) return false;
    // Up and Down move as Shift+Tab and Tab do, so the form scrolls to the element reached.
    const bool down = key.key() == Qt::Key_Down;
    QKeyEvent tab(QEvent::KeyPress, down ? Qt::Key_Tab : Qt::Key_Backtab,
                  down ? Qt::NoModifier : Qt::ShiftModifier);
    movingFocus_ = true;
    QCoreApplication::sendEvent(&field_, &tab);
    movingFocus_ = false;
    return true;
}

bool CApEditContext::OnMouse(QEvent& event) {
    const QEvent::Type type = event.type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto& mouse = static_cast<QMouseEvent&>(event);
    const QPoint at = mouse.position().toPoint();
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (mouse.button() != Qt::LeftButton) return false;
            StartHold(at, type == QEvent::MouseButtonDblClick);
            return false;
        case QEvent::MouseMove:
            if (!hold_.Pending()) return false;
            if (hold_.Move({at.x(), at.y()}, NowTick())) {
                RestoreSelection();
                OpenEditMenu(PressPoint());
                return true;
            }
            if (!hold_.Pending()) StopHold();  // moved away: no menu for this press
            return false;
        default:
            if (mouse.button() != Qt::LeftButton) return false;
            StopHold();
            if (!hold_.Release()) return false;
            RunCommand(kCmdEditSelectAll);
            return true;
    }
}

void CApEditContext::StartHold(const QPoint& at, bool doubleTap) {
    KeepSelection();
    hold_.Press({at.x(), at.y()}, NowTick(), doubleTap);
    if (!EnsureWindow() || !plat::SetTimer(hwnd_, HoldGesture::kTimerId, HoldGesture::kHoldMs)) {
        (void)hold_.TimerFired();  // no timer: the press stays a plain press
    }
}

void CApEditContext::StopHold() {
    // A timer fires once; it may be gone already.
    if (hwnd_ != 0) (void)plat::KillTimer(hwnd_, HoldGesture::kTimerId);
}

void CApEditContext::OnHoldTimer() {
    StopHold();
    if (!hold_.TimerFired()) return;
    RestoreSelection();
    OpenEditMenu(PressPoint());
}

void CApEditContext::KeepSelection() {
    if (text_ != nullptr) {
        keptCursor_ = text_->textCursor();
        return;
    }
    keptStart_ = line_->hasSelectedText() ? line_->selectionStart() : -1;
    keptLength_ = line_->hasSelectedText() ? line_->selectionLength() : 0;
}

void CApEditContext::RestoreSelection() {
    if (text_ != nullptr) {
        if (keptCursor_.hasSelection()) text_->setTextCursor(keptCursor_);
        return;
    }
    if (keptStart_ >= 0) line_->setSelection(keptStart_, keptLength_);
}

QWidget* CApEditContext::MouseArea() const { return mouseArea_; }

QPoint CApEditContext::PressPoint() const {
    const PseudoPoint at = hold_.At();
    return MouseArea()->mapTo(&field_, QPoint(at.x, at.y));
}

bool CApEditContext::EnsureWindow() {
    if (hwnd_ != 0 && plat::IsWindow(hwnd_)) return true;
    const WndImpl* owner = WndImpl::Owning(&field_);
    const plat::HWND parent = owner != nullptr ? owner->Hwnd() : 0;
    hwnd_ = plat::CreateWindow(
        kClassName, u"",
        [this](plat::HWND, uint32_t message, plat::WPARAM wParam, plat::LPARAM) -> plat::LRESULT {
            if (message == plat::WM_GETDLGCODE) return kWantAllKeys;
            if (message == plat::WM_TIMER && wParam == HoldGesture::kTimerId) {
                (void)RunGuarded([this] { OnHoldTimer(); }, "CApEditContext");  // what threw was logged
            }
            return 0;
        },
        parent);
    return hwnd_ != 0;
}
