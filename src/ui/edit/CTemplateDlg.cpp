#include "ui/edit/CTemplateDlg.h"

#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

#include "core/res/ResourceStrings.h"
#include "edit/mapper/TemplateForm.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/edit/TemplateBlockView.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/ScrollingForm.h"
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
    keys.left.text = u"Fields";
    keys.left.popupId = kFieldsPopup;
    keys.left.popup = FieldsMenu();
    keys.right.text = u"Tools";
    keys.right.popupId = kToolsPopup;
    keys.right.popup.Add(plat::IDOK, RequireStr(kStrOk));
    keys.right.popup.Add(plat::IDCANCEL, RequireStr(kStrCancel));
    keys.right.popup.AddSeparator();
    keys.right.popup.Add(kCmdDefault, RequireStr(kStrDefault));
    return keys;
}

bool CTemplateDlg::OnInitContent() {
    const ScrollingForm form = AddScrollingForm(Widget(), *Content());
    scroll_ = form.scroll;
    form_ = form.column;
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fill(kGroupName);
    return true;
}

void CTemplateDlg::Fill(int focusGroup) {
    for (TemplateBlockView* block : blocks_) {
        form_->removeWidget(block);
        block->hide();
        block->deleteLater();
    }
    blocks_.clear();
    for (const BlockDescriptor& descriptor : TemplateBlocks(edited_)) {
        auto* block = new TemplateBlockView(descriptor, edited_, *this, scroll_->widget());
        form_->insertWidget(form_->count() - 1, block);
        blocks_.push_back(block);
    }
    TemplateBlockView* target = BlockOf(focusGroup);
    QWidget* field = target != nullptr ? target->FirstField() : nullptr;
    if (field == nullptr) return;
    field->setFocus();
    // The layout is settled first, so that the block is brought into view where it now stands.
    scroll_->widget()->adjustSize();
    scroll_->ensureWidgetVisible(target);
}

void CTemplateDlg::ReadForm() {
    Array<BlockDescriptor> blocks;
    for (const TemplateBlockView* block : blocks_) blocks.Add(block->Read());
    ReadTemplateBlocks(blocks, edited_);
}

TemplateBlockView* CTemplateDlg::BlockOf(int group) const {
    for (TemplateBlockView* block : blocks_) {
        if (block->Group() == group) return block;
    }
    return nullptr;
}

MenuDescription CTemplateDlg::FieldsMenu() const {
    // The form shows exactly the copy's groups and name fields (rows only change entries).
    MenuDescription menu;
    for (const FieldsMenuItem& item : FieldsMenuItems()) {
        if (item.group == kGroupPhone) menu.AddSeparator();
        menu.Add(item.command, item.text, IsCheckedInTemplate(item, edited_));
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

plat::LRESULT CTemplateDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_INITMENUPOPUP && lParam == kFieldsPopup && wParam != 0) {
        *reinterpret_cast<MenuDescription*>(wParam) = FieldsMenu();
        return 0;
    }
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
