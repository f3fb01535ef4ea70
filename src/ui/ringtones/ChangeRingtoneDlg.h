#pragma once
// ChangeRingtoneDlg: "Change ringtone" for one caller group. Shows the group's name and its
// ringtone path, which can be typed or chosen with "Choose..." (RingtonesPickerDlg). OK takes an
// empty path (no ringtone of its own), the path it opened with, or a new path naming a playable
// sound file of the device; any other path is refused with a message and the dialog stays open.
#include <QString>

#include "ui/toolkit/DlgImpl.h"

class QLineEdit;

class ChangeRingtoneDlg : public DlgImpl {
public:
    static constexpr uint32_t kStrTitle = 41456;
    static constexpr uint32_t kCmdChoose = 1211;
    static constexpr int kMaxChars = 260;

    ChangeRingtoneDlg(QString name, QString path);
    ~ChangeRingtoneDlg() override { DestroyWnd(); }

    // After IDOK: the ringtone path (trimmed).
    const QString& Path() const { return path_; }
    QLineEdit* Field() const { return field_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    void Choose();

    QString name_;
    QString path_;
    QLineEdit* field_ = nullptr;
};
