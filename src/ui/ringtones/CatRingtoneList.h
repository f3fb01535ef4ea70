#pragma once
// CatRingtoneList: "Manage category ringtone". One row per caller group ("Default Ringtone", the
// special groups, the categories) with a check (the group is let through the call filter; the
// default row stays checked) and its ringtone. "Change ringtone" (or Enter) edits the selected
// row's ringtone; "Play" (or a tap on the ringtone column) plays it. OK stores the ringtones and
// the filter together; Cancel changes nothing.
#include "categories/ringtones/RingtoneListModel.h"
#include "categories/ringtones/RingtoneManager.h"
#include "ui/toolkit/DlgImpl.h"

class CallFilter;
class QTreeWidget;

class CatRingtoneList : public DlgImpl {
public:
    static constexpr uint32_t kStrTitle = 41439;
    static constexpr uint32_t kStrChangeRingtone = 41456;
    static constexpr uint32_t kCmdChange = 1201;
    static constexpr uint32_t kCmdPlay = 1202;

    explicit CatRingtoneList(CallFilter& filter);
    ~CatRingtoneList() override { DestroyWnd(); }

    QTreeWidget* Rows() const { return rows_; }
    const RingtoneListModel& Model() const { return model_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    void Fill();
    void ChangeRingtone();
    void PlayRingtoneOfRow();

    CallFilter& filter_;
    RingtoneManager ringtones_;
    RingtoneListModel model_;
    QTreeWidget* rows_ = nullptr;
};
