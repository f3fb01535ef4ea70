#pragma once
// DlgBase: a full-screen dialog of the handheld. It opens over the whole area of its owner's
// top-level window (menu bar included) with a soft-key bar of its own, as a window of the window
// system (so a posted WM_COMMAND IDCANCEL closes it from anywhere). Run modally it returns IDOK,
// IDCANCEL or the code given to EndDialog; Escape, F4 (End), WM_CLOSE and command 2 cancel,
// command 1 confirms through OnOK.
#include <QEventLoop>
#include <memory>
#include <string_view>

#include "ui/toolkit/SoftKeyBar.h"
#include "ui/toolkit/WndImpl.h"

class DlgBase : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"DIALOG";

    ~DlgBase() override;

    // Shows the dialog over `owner`'s top-level window and waits until it ends. IDCANCEL at once
    // when the dialog cannot be created or OnInitDialog refuses.
    int DoModal(WndImpl& owner);
    // Shows the dialog over `owner`'s top-level window and returns (progress and information
    // windows). False when it cannot be created.
    [[nodiscard]] bool CreateModeless(WndImpl& owner);
    // Ends the dialog: a modal run returns `result`; the window is destroyed.
    void EndDialog(int result);
    [[nodiscard]] bool IsOpen() const { return IsCreated(); }
    // True while DoModal runs the dialog's loop (an embedded dialog, such as the preview pane's
    // contact view, is open without one).
    [[nodiscard]] bool IsRunningModal() const { return loop_ != nullptr; }
    [[nodiscard]] bool TakesAccelerators() const override { return true; }
    // The field that takes the keyboard: the one that last held it, else the first that takes it,
    // else the dialog itself.
    QWidget* KeyboardField() const;
    int Result() const { return result_; }

protected:
    // The soft keys of the dialog's bar; the default: "OK" gives IDOK, "Cancel" IDCANCEL.
    virtual SoftKeyMenu SoftKeys() const;
    // Builds the dialog's content; false refuses to open.
    [[nodiscard]] virtual bool OnInitDialog() { return true; }
    // OK was asked for; true ends the dialog with IDOK.
    [[nodiscard]] virtual bool OnOK() { return true; }
    virtual void OnCancel() {}
    // Adjusts a popup of the dialog's soft keys in place before it opens (`popupId` as the
    // SoftKey names it); the default leaves it as it is.
    virtual void OnInitMenuPopup(uint32_t /*popupId*/, MenuDescription& /*popup*/) {}
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;
    SoftKeyBar* Bar() const { return bar_; }

private:
    [[nodiscard]] bool Open(WndImpl& owner);

    SoftKeyBar* bar_ = nullptr;
    QEventLoop* loop_ = nullptr;
    int result_ = 0;
};
