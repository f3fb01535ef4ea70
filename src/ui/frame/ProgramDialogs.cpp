#include "ui/frame/FrameDialogs.h"

#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/edit/CTemplateDlg.h"
#include "ui/frame/MainWndFrame.h"
#include "ui/options/COptionDlg.h"
#include "ui/ringtones/CatRingtoneList.h"
#include "ui/toolkit/UiStrings.h"

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
    const QString title = UiText(uistr::kBrevane);
    plat::MessageBox(UiText(uistr::kAboutText).arg(title).toStdU16String(), title.toStdU16String(),
                     plat::MB_OK | plat::MB_ICONINFORMATION);
}
