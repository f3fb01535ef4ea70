#include "ui/toolkit/DlgBase.h"

#include <QVBoxLayout>
#include <QWidget>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/UiStrings.h"

DlgBase::~DlgBase() {
    if (loop_ != nullptr) loop_->exit(plat::IDCANCEL);
    DestroyWnd();
}

SoftKeyMenu DlgBase::SoftKeys() const {
    return {SoftKey::Command(RequireStr(uistr::kOk), plat::IDOK),
            SoftKey::Command(RequireStr(uistr::kCancel), plat::IDCANCEL)};
}

bool DlgBase::Open(WndImpl& owner) {
    QWidget* area = owner.Widget() != nullptr ? owner.Widget()->window() : nullptr;
    if (area == nullptr) return false;
    WndImpl* top = WndImpl::Owning(area);
    if (!CreateWnd(kClassName, u"", top, area->rect())) return false;
    auto* layout = new QVBoxLayout(Widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar_ = new SoftKeyBar(SoftKeys(), Hwnd(), Widget(), [this](uint32_t popupId, MenuDescription& popup) {
        OnInitMenuPopup(popupId, popup);
    });
    layout->addStretch(1);
    layout->addWidget(bar_);
    if (!OnInitDialog()) {
        DestroyWnd();
        return false;
    }
    if (!IsOpen()) return true;  // ended while it was set up: nothing left to show
    Widget()->show();
    Widget()->raise();
    if (QWidget* field = KeyboardField()) field->setFocus();
    return true;
}

QWidget* DlgBase::KeyboardField() const {
    QWidget* dialog = Widget();
    if (dialog == nullptr) return nullptr;
    QWidget* field = dialog->focusWidget();  // the field the set-up chose, or the last one used
    if (field != nullptr && dialog->isAncestorOf(field) && field->isVisible()) return field;
    for (QWidget* next = dialog->nextInFocusChain(); next != dialog && dialog->isAncestorOf(next);
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isVisible()) return next;
    }
    return dialog;
}

bool DlgBase::CreateModeless(WndImpl& owner) {
    result_ = 0;
    return Open(owner);
}

int DlgBase::DoModal(WndImpl& owner) {
    result_ = plat::IDCANCEL;
    if (!Open(owner)) return plat::IDCANCEL;
    // Opening may run waiting events, and one of them may already have ended the dialog: its
    // result stands, and no loop is entered that nothing would end.
    if (!IsOpen()) return result_;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
    return result_;
}

void DlgBase::EndDialog(int result) {
    result_ = result;
    DestroyWnd();
    if (loop_ != nullptr) loop_->exit(result);
}

plat::LRESULT DlgBase::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    switch (message) {
        case plat::WM_COMMAND:
            if ((wParam & 0xFFFF) == static_cast<plat::WPARAM>(plat::IDOK)) {
                if (OnOK()) EndDialog(plat::IDOK);
                return 0;
            }
            if ((wParam & 0xFFFF) != static_cast<plat::WPARAM>(plat::IDCANCEL)) return 0;
            [[fallthrough]];
        case plat::WM_CLOSE:
            OnCancel();
            EndDialog(plat::IDCANCEL);
            return 0;
        case plat::WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_TEND) return WndProc(plat::WM_CLOSE, 0, 0);
            return 0;
        default:
            return WndImpl::WndProc(message, wParam, lParam);
    }
}
