#pragma once
// CSpeedDialDlg: the full-screen dialog that hosts the speed-dial grid. Its left soft key opens
// the Tools menu (built for the selected button as it opens), its right one closes; every
// command goes on to the grid.
#include "ui/phone/CSpeedWnd.h"
#include "ui/toolkit/DlgImpl.h"

class CSpeedDialDlg : public DlgImpl {
public:
    static constexpr uint32_t kToolsPopup = kSpeedToolsMenuId;

    CSpeedDialDlg(ContactManager& manager, const PhoneTemplates& formats);
    ~CSpeedDialDlg() override;

    CSpeedWnd& Grid() { return grid_; }

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    void OnInitMenuPopup(uint32_t popupId, MenuDescription& popup) override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    CSpeedWnd grid_;
};
