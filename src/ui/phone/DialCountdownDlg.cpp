#include "ui/phone/DialCountdownDlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

void DialCountdownDlg::Run(WndImpl& owner, DialCountdown& countdown) {
    DialCountdownDlg dialog(countdown);
    // A countdown that cannot be shown dials nothing: the user could not have stopped it.
    if (dialog.DoModal(owner) != plat::IDOK && !countdown.Finished()) countdown.Cancel();
}

SoftKeyMenu DialCountdownDlg::SoftKeys() const {
    return {SoftKey{}, SoftKey::Command(RequireStr(uistr::kCancel), plat::IDCANCEL)};
}

bool DialCountdownDlg::OnInitContent() {
    waiting_ = new QLabel(ToQString(countdown_.WaitingText()), Widget());
    dialing_ = new QLabel(ToQString(countdown_.DialingText()), Widget());
    for (QLabel* label : {waiting_, dialing_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    Content()->addStretch(1);
    Content()->addWidget(waiting_);
    Content()->addWidget(dialing_);
    Content()->addStretch(1);
    timer_.setInterval(static_cast<int>(DialCountdown::kStepMs));
    QObject::connect(&timer_, &QTimer::timeout, Widget(), [this] { Step(); });
    timer_.start();
    return true;
}

void DialCountdownDlg::Step() {
    const bool ended = countdown_.Tick();
    waiting_->setText(ToQString(countdown_.WaitingText()));
    if (!ended) return;
    timer_.stop();
    EndDialog(plat::IDOK);
}
