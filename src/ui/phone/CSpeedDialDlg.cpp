#include "ui/phone/CSpeedDialDlg.h"

#include <QVBoxLayout>
#include <QWidget>

#include "core/res/ResourceStrings.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/UiStrings.h"

CSpeedDialDlg::CSpeedDialDlg(ContactManager& manager, const PhoneTemplates& formats)
    : DlgImpl(UiText(uistr::kSpeedDialTitle)), grid_(manager, formats, *this) {}

CSpeedDialDlg::~CSpeedDialDlg() {
    grid_.DestroyWnd();
    DestroyWnd();
}

SoftKeyMenu CSpeedDialDlg::SoftKeys() const {
    SoftKeyMenu keys;
    keys.left.text = RequireStr(uistr::kTools);
    keys.left.popupId = kToolsPopup;
    // Filled for the selected button when the menu opens (OnInitMenuPopup).
    keys.left.popup.Add(kSpeedSortByName, RequireStr(uistr::kSortByName));
    keys.right = SoftKey::Command(RequireStr(uistr::kClose), kSpeedClose);
    return keys;
}

bool CSpeedDialDlg::OnInitContent() {
    if (!grid_.Create(*this)) return false;
    Content()->addWidget(grid_.Widget(), 1);
    grid_.Widget()->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The content area does not stretch its children: the grid asks for four rows of buttons.
    grid_.Widget()->setMinimumHeight(4 * ScaleY(CSpeedWnd::kButtonHeight96));
    grid_.Widget()->show();
    grid_.Widget()->setFocus();
    return true;
}

void CSpeedDialDlg::OnInitMenuPopup(uint32_t popupId, MenuDescription& popup) {
    if (popupId == kToolsPopup) popup.items = grid_.ToolsMenu().items.front().submenu;
}

plat::LRESULT CSpeedDialDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND && grid_.OnToolsCommand(static_cast<uint32_t>(wParam & 0xFFFF))) return 0;
    return DlgImpl::WndProc(message, wParam, lParam);
}
