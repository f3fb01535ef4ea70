#pragma once
// DialCountdownDlg: the countdown in front of tone dialling. It shows "Waiting for N seconds..."
// counting down a step a second above "Dialing..." and the number; Cancel ends it without
// dialling, the end of the countdown closes it and the tones are played.
#include <QTimer>

#include "phone/dial/DialCountdown.h"
#include "ui/toolkit/DlgImpl.h"

class QLabel;

class DialCountdownDlg : public DlgImpl {
public:
    explicit DialCountdownDlg(DialCountdown& countdown) : countdown_(countdown) {}
    ~DialCountdownDlg() override { DestroyWnd(); }

    // Runs the countdown over `owner` to its end or its cancel.
    static void Run(WndImpl& owner, DialCountdown& countdown);

    QLabel* Waiting() const { return waiting_; }
    QLabel* Dialing() const { return dialing_; }

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    void OnCancel() override { countdown_.Cancel(); }

private:
    void Step();

    DialCountdown& countdown_;
    QLabel* waiting_ = nullptr;
    QLabel* dialing_ = nullptr;
    QTimer timer_;
};
