#include "ui/edit/ContactEditDlg.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "edit/mapper/EditCommit.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/edit/FieldBlock.h"
#include "ui/edit/FormWindow.h"
#include "ui/toolkit/Dpi.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/ScrollingForm.h"
#include "ui/toolkit/UiStrings.h"
#include "view/template/ContactTemplate.h"
#include "view/template/FieldsMenu.h"

ContactEditDlg::ContactEditDlg(const ContactTemplate& tpl, Saver save) : template_(tpl), save_(std::move(save)) {}

ContactEditDlg::~ContactEditDlg() { DestroyWnd(); }

void ContactEditDlg::SetContact(const Contact& contact) {
    contact_ = contact;
    ref_ = DecodeCustomValueRef(contact_);
    mapper_.Load(contact_, template_);
    SetCaption(ToQString(RequireStr(contact_.GetOid() == 0 ? kStrNew : kStrChange)));
}

int ContactEditDlg::RunModal(WndImpl& parent) {
    saved_ = false;
    DoModal(parent);
    return saved_ ? kSaved : 0;
}

SoftKeyMenu ContactEditDlg::SoftKeys() const {
    SoftKeyMenu keys;
    keys.left.text = RequireStr(uistr::kFields);
    keys.left.popupId = kFieldsPopup;
    keys.left.popup = FieldsMenu();
    keys.right.text = RequireStr(uistr::kTools);
    keys.right.popupId = kToolsPopup;
    keys.right.popup.Add(plat::IDOK, RequireStr(uistr::kOk));
    keys.right.popup.Add(plat::IDCANCEL, RequireStr(uistr::kCancel));
    if (editTemplate_) keys.right.popup.Add(kCmdEditTemplate, RequireStr(uistr::kEditTemplate));
    return keys;
}

bool ContactEditDlg::OnInitContent() {
    const ScrollingForm form = AddScrollingForm(Widget(), *Content());
    form_ = new FormWindow(*this, *form.scroll, form.scroll->widget());
    form_->setAccessibleName(Caption());
    form.column->insertWidget(0, form_);
    Fill(mapper_.Descriptors());
    FocusFirstField();
    return true;
}

void ContactEditDlg::Fill(const Array<BlockDescriptor>& descriptors) {
    std::vector<std::unique_ptr<FormBlock>> blocks;
    for (const BlockDescriptor& descriptor : descriptors) {
        blocks.push_back(std::make_unique<FieldBlock>(descriptor, ScreenDpiX(), ScreenDpiY()));
    }
    form_->SetBlocks(std::move(blocks));
}

// The first field takes the keyboard, for a stored contact as for a new one: the editor can be used
// without a tap.
void ContactEditDlg::FocusFirstField() { form_->FocusFirst(); }

Array<BlockDescriptor> ContactEditDlg::ReadBlocks() const {
    Array<BlockDescriptor> read;
    for (int index = 0; index < form_->BlockCount(); ++index)
        read.Add(static_cast<FieldBlock*>(form_->Block(index))->Read());
    return read;
}

// Every block of the form is a field block.
FieldBlock* ContactEditDlg::BlockOf(int group) const {
    return form_ != nullptr ? static_cast<FieldBlock*>(form_->BlockOf(group)) : nullptr;
}

MenuDescription ContactEditDlg::FieldsMenu() const {
    // An item is checked when the form shows its name field or has its group's block.
    MenuDescription menu;
    const FieldBlock* name = BlockOf(kGroupName);
    for (const FieldsMenuItem& item : FieldsMenuItems()) {
        if (item.group == kGroupPhone) menu.AddSeparator();
        const bool shown = item.field >= 0 ? name != nullptr && name->NameCell(item.field) >= 0
                                           : BlockOf(item.group) != nullptr;
        menu.Add(item.command, RequireStr(item.text), shown);
    }
    return menu;
}

void ContactEditDlg::OnFieldsCommand(uint32_t command) {
    const FieldsMenuItem* item = FieldsMenuItemOf(command);
    if (item == nullptr) return;
    if (FocusFieldOf(*item)) return;  // already on the form: it takes the keyboard
    Array<BlockDescriptor> blocks = ReadBlocks();
    if (item->group >= 0) {
        blocks.InsertAt(ContactEditInPropMapper::InsertPosition(blocks, item->group),
                        ContactEditInPropMapper::DefaultBlock(item->group));
    } else {
        if (blocks.IsEmpty() || blocks[0].group != kGroupName) return;
        blocks[0].hidden[item->field] = false;
    }
    Fill(blocks);
    (void)FocusFieldOf(*item);  // the field was just shown
}

// The name field, or the first field of the group's block.
bool ContactEditDlg::FocusFieldOf(const FieldsMenuItem& item) {
    if (item.field >= 0) {
        FieldBlock* name = BlockOf(kGroupName);
        const int cell = name != nullptr ? name->NameCell(item.field) : -1;
        if (cell >= 0) form_->MoveTo({name, cell, -1});
        return cell >= 0;
    }
    FieldBlock* block = BlockOf(item.group);
    if (block != nullptr) form_->FocusFirst(block);
    return block != nullptr;
}

void ContactEditDlg::EditTemplate() {
    // The form is read under the template it was built with. The contact as given stays what OK
    // compares with, so values typed before the rebuild are still saved.
    const Contact working = ReadEditedForm(contact_, ReadBlocks(), mapper_, ref_, template_);
    if (!editTemplate_ || !editTemplate_(*this)) return;
    ref_ = DecodeCustomValueRef(working);
    mapper_.Load(working, template_);
    Fill(mapper_.Descriptors());
    FocusFirstField();
}

bool ContactEditDlg::OnOK() {
    // The comparison is always with the contact as given, so a failed attempt changes nothing
    // and OK can be tried again.
    Contact attempt = contact_;
    const bool changed = CommitEdit(attempt, ReadBlocks(), mapper_, ref_, template_);
    if (!changed && !partlySaved_) {
        EndDialog(plat::IDCANCEL);
        return false;
    }
    if (storedOid_ != 0) attempt.SetOid(storedOid_);
    const ContactWrite write = save_(attempt);
    if (write.Complete()) {
        contact_ = attempt;
        saved_ = true;
        return true;
    }
    if (write.record) {
        storedOid_ = attempt.GetOid();
        partlySaved_ = true;
    }
    plat::MessageBox(RequireStr(write.record ? uistr::kContactSavedInPart : uistr::kContactNotSaved).View(),
                     RequireStr(uistr::kBrevane).View(), plat::MB_OK | plat::MB_ICONWARNING);
    return false;
}

void ContactEditDlg::OnInitMenuPopup(uint32_t popupId, MenuDescription& popup) {
    if (popupId == kFieldsPopup) popup = FieldsMenu();
}

plat::LRESULT ContactEditDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_COMMAND) {
        const auto command = static_cast<uint32_t>(wParam & 0xFFFF);
        if (command == kCmdEditTemplate) {
            EditTemplate();
            return 0;
        }
        if (FieldsMenuItemOf(command) != nullptr) {
            OnFieldsCommand(command);
            return 0;
        }
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
