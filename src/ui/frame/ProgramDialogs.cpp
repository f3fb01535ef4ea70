#include "ui/frame/FrameDialogs.h"

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/edit/CTemplateDlg.h"
#include "ui/frame/MainWndFrame.h"
#include "ui/options/COptionDlg.h"
#include "ui/ringtones/CatRingtoneList.h"

namespace {

constexpr uint32_t kStrTitle = 101;

}  // namespace

OptionsResult ProgramDialogs::Run(const OptionsState& current) {
    return COptionDlg::Run(MainWndFrame::Instance(), current);
}

bool ProgramDialogs::RunTemplateEditor(ContactTemplate& copy) {
    return CTemplateDlg::Run(MainWndFrame::Instance(), copy);
}

bool ProgramDialogs::RunRingtones(CallFilter& filter) {
    CatRingtoneList dialog(filter);
    return dialog.DoModal(MainWndFrame::Instance()) == plat::IDOK;
}

void ProgramDialogs::ShowAbout() {
    const Str title = RequireStr(kStrTitle);
    const std::u16string text = std::u16string(title.View()) + u"\nContacts for the phone.";
    plat::MessageBox(text, title.View(), plat::MB_OK | plat::MB_ICONINFORMATION);
}
