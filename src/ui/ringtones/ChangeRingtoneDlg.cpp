#include "ui/ringtones/ChangeRingtoneDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/ringtones/RingtonesPickerDlg.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

ChangeRingtoneDlg::ChangeRingtoneDlg(QString name, QString path)
    : DlgImpl(ToQString(RequireStr(kStrTitle))), name_(std::move(name)), path_(std::move(path)) {}

bool ChangeRingtoneDlg::OnInitContent() {
    Content()->addWidget(new QLabel(name_, Widget()));
    field_ = new QLineEdit(path_, Widget());
    field_->setMaxLength(kMaxChars);
    field_->setAccessibleName(UiText(uistr::kRingtone));
    auto* choose = new QPushButton(UiText(uistr::kChooseMore), Widget());
    choose->setAccessibleName(UiText(uistr::kChooseRingtone));
    QObject::connect(choose, &QPushButton::clicked, Widget(), [this] { Send(plat::WM_COMMAND, kCmdChoose, 0); });
    Content()->addWidget(field_);
    Content()->addWidget(choose);
    Content()->addStretch(1);
    field_->setFocus();
    return true;
}

void ChangeRingtoneDlg::Choose() {
    RingtonesPickerDlg picker(FromQString(field_->text().trimmed()));
    if (picker.DoModal(*this) == plat::IDOK) field_->setText(ToQString(picker.Path()));
    field_->setFocus();
}

bool ChangeRingtoneDlg::OnOK() {
    const QString path = field_->text().trimmed();
    if (!path.isEmpty() && path != path_) {
        const Str devicePath = FromQString(path);
        if (WarnAboutSound(ReadSoundFile(devicePath).status, devicePath)) {
            field_->setFocus();
            field_->selectAll();
            return false;
        }
    }
    path_ = path;
    return true;
}

plat::LRESULT ChangeRingtoneDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND && (wParam & 0xFFFF) == kCmdChoose) {
        Choose();
        return 0;
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
