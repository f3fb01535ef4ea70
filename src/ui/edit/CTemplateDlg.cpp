#include "ui/edit/CTemplateDlg.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "edit/mapper/TemplateForm.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/edit/FormWindow.h"
#include "ui/edit/TemplateBlock.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/ScrollingForm.h"
#include "ui/toolkit/UiStrings.h"
#include "view/template/FieldsMenu.h"

CTemplateDlg::CTemplateDlg(ContactTemplate& tpl) : DlgImpl(ToQString(RequireStr(kStrTitle))), result_(tpl) {
    edited_.CopyFrom(tpl);
}

CTemplateDlg::~CTemplateDlg() { DestroyWnd(); }

bool CTemplateDlg::Run(WndImpl& owner, ContactTemplate& tpl) {
    CTemplateDlg dialog(tpl);
    return dialog.DoModal(owner) == plat::IDOK;
}

SoftKeyMenu CTemplateDlg::SoftKeys() const {
    SoftKeyMenu keys;
    keys.left.text = RequireStr(uistr::kFields);
    keys.left.popupId = kFieldsPopup;
    keys.left.popup = FieldsMenu();
    keys.right.text = RequireStr(uistr::kTools);
    keys.right.popupId = kToolsPopup;
    keys.right.popup.Add(plat::IDOK, RequireStr(kStrOk));
    keys.right.popup.Add(plat::IDCANCEL, RequireStr(kStrCancel));
    keys.right.popup.AddSeparator();
    keys.right.popup.Add(kCmdDefault, RequireStr(kStrDefault));
    return keys;
}

bool CTemplateDlg::OnInitContent() {
    const ScrollingForm form = AddScrollingForm(Widget(), *Content());
    form.scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    form_ = new FormWindow(*this, *form.scroll, form.scroll->widget());
    form_->setAccessibleName(Caption());
    form.column->insertWidget(0, form_);
    Fill(kGroupName);
    return true;
}

void CTemplateDlg::Fill(int focusGroup) {
    std::vector<std::unique_ptr<FormBlock>> blocks;
    for (const BlockDescriptor& descriptor : TemplateBlocks(edited_)) {
        blocks.push_back(std::make_unique<TemplateBlock>(descriptor, edited_, ScreenDpiX(), ScreenDpiY()));
    }
    form_->SetBlocks(std::move(blocks));
    if (TemplateBlock* target = BlockOf(focusGroup)) form_->FocusFirst(target);
}

void CTemplateDlg::ReadForm() {
    Array<BlockDescriptor> blocks;
    for (int index = 0; index < form_->BlockCount(); ++index)
        blocks.Add(static_cast<TemplateBlock*>(form_->Block(index))->Read());
    ReadTemplateBlocks(blocks, edited_);
}

// Every block of the form is a template block.
TemplateBlock* CTemplateDlg::BlockOf(int group) const {
    return form_ != nullptr ? static_cast<TemplateBlock*>(form_->BlockOf(group)) : nullptr;
}

MenuDescription CTemplateDlg::FieldsMenu() const {
    // The form shows exactly the copy's groups and name fields (rows only change entries).
    MenuDescription menu;
    for (const FieldsMenuItem& item : FieldsMenuItems()) {
        if (item.group == kGroupPhone) menu.AddSeparator();
        menu.Add(item.command, RequireStr(item.text), IsCheckedInTemplate(item, edited_));
    }
    return menu;
}

void CTemplateDlg::OnFieldsCommand(uint32_t command) {
    const FieldsMenuItem* item = FieldsMenuItemOf(command);
    if (item == nullptr) return;
    ReadForm();
    ToggleInTemplate(*item, edited_);
    const bool shownNow = item->group >= 0 && edited_.IsGroupShown(item->group);
    Fill(shownNow ? item->group : kGroupName);
}

void CTemplateDlg::ResetToDefaults() {
    edited_.ResetToDefaults();
    Fill(kGroupName);
}

bool CTemplateDlg::OnOK() {
    ReadForm();
    result_.CopyFrom(edited_);
    return true;
}

void CTemplateDlg::OnInitMenuPopup(uint32_t popupId, MenuDescription& popup) {
    if (popupId == kFieldsPopup) popup = FieldsMenu();
}

plat::LRESULT CTemplateDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND) {
        const auto command = static_cast<uint32_t>(wParam & 0xFFFF);
        if (command == kCmdDefault) {
            ResetToDefaults();
            return 0;
        }
        if (FieldsMenuItemOf(command) != nullptr) {
            OnFieldsCommand(command);
            return 0;
        }
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
