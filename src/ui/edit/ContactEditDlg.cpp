#include "ui/edit/ContactEditDlg.h"

#include <QLineEdit>
#include <QScrollArea>
#include <algorithm>
#include <iterator>
#include <QVBoxLayout>
#include <QWidget>

#include "core/res/ResourceStrings.h"
#include "edit/mapper/EditCommit.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/edit/FormBlockView.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/ScrollingForm.h"
#include "view/template/ContactTemplate.h"

namespace {

struct FieldItem {
    uint32_t command;
    int entry;
    const char16_t* text;
};
constexpr FieldItem kFieldItems[] = {{ContactEditDlg::kCmdTitle, kNameTitle, u"Title"},
                                     {ContactEditDlg::kCmdSuffix, kNameSuffix, u"Suffix"},
                                     {ContactEditDlg::kCmdJobTitle, kNameJobTitle, u"Job Title"},
                                     {ContactEditDlg::kCmdDepartment, kNameDepartment, u"Department"},
                                     {ContactEditDlg::kCmdFileAs, kNameFileAs, u"FileAs"}};
constexpr const char16_t* kGroupItems[] = {u"Phone",  u"E-mail", u"Messaging", u"Web",     u"Office",
                                           u"Address", u"Categories", u"People", u"Dates", u"Linked file"};

// The group a Fields command switches on; -1 for none.
int GroupOfCommand(uint32_t command) {
    if (command == ContactEditDlg::kCmdOtherGroup) return kGroupOther;
    if (command >= ContactEditDlg::kCmdFirstGroup && command < ContactEditDlg::kCmdFirstGroup + 10) {
        return static_cast<int>(command - ContactEditDlg::kCmdFirstGroup) + kGroupPhone;
    }
    return -1;
}

const char16_t* kSaveFailed =
    u"The contact could not be saved. Everything you typed is still here: try OK again, or Cancel to leave it.";
const char16_t* kSavedInPart =
    u"The contact was saved, but its categories or further values could not be written. Try OK again to write them.";

}  // namespace

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
    keys.left.text = u"Fields";
    keys.left.popupId = kFieldsPopup;
    keys.left.popup = FieldsMenu();
    keys.right.text = u"Tools";
    keys.right.popupId = kToolsPopup;
    keys.right.popup.Add(plat::IDOK, u"OK");
    keys.right.popup.Add(plat::IDCANCEL, u"Cancel");
    if (editTemplate_) keys.right.popup.Add(kCmdEditTemplate, u"Edit Contact Template...");
    return keys;
}

bool ContactEditDlg::OnInitContent() {
    const ScrollingForm form = AddScrollingForm(Widget(), *Content());
    scroll_ = form.scroll;
    form_ = form.column;
    Fill(mapper_.Descriptors());
    FocusFirstField();
    return true;
}

void ContactEditDlg::Fill(const Array<BlockDescriptor>& descriptors) {
    for (FormBlockView* block : blocks_) block->deleteLater();
    blocks_.clear();
    for (const BlockDescriptor& descriptor : descriptors) {
        auto* block = new FormBlockView(descriptor, *this, scroll_->widget());
        block->setAccessibleName(ToQString(descriptor.hint));
        form_->insertWidget(form_->count() - 1, block);
        blocks_.push_back(block);
    }
}

// The first field takes the keyboard, for a stored contact as for a new one: the editor can be used
// without a tap.
void ContactEditDlg::FocusFirstField() {
    if (!blocks_.empty() && blocks_.front()->FirstField() != nullptr) blocks_.front()->FirstField()->setFocus();
}

Array<BlockDescriptor> ContactEditDlg::ReadBlocks() const {
    Array<BlockDescriptor> read;
    for (const FormBlockView* block : blocks_) read.Add(block->Read());
    return read;
}

FormBlockView* ContactEditDlg::BlockOf(int group) const {
    for (FormBlockView* block : blocks_) {
        if (block->Group() == group) return block;
    }
    return nullptr;
}

MenuDescription ContactEditDlg::FieldsMenu() const {
    MenuDescription menu;
    const FormBlockView* name = BlockOf(kGroupName);
    for (const FieldItem& item : kFieldItems) menu.Add(item.command, item.text, name != nullptr && name->NameEdit(item.entry) != nullptr);
    menu.AddSeparator();
    for (int group = kGroupPhone; group <= kGroupLinks; ++group) {
        menu.Add(kCmdFirstGroup + static_cast<uint32_t>(group - kGroupPhone), kGroupItems[group - kGroupPhone],
                 BlockOf(group) != nullptr);
    }
    menu.Add(kCmdOtherGroup, u"Other", BlockOf(kGroupOther) != nullptr);
    return menu;
}

void ContactEditDlg::OnFieldsCommand(uint32_t command) {
    Array<BlockDescriptor> blocks = ReadBlocks();
    const int group = GroupOfCommand(command);
    if (group >= 0) {
        if (FormBlockView* block = BlockOf(group)) {
            if (QWidget* field = block->FirstField()) field->setFocus();
            return;
        }
        blocks.InsertAt(ContactEditInPropMapper::InsertPosition(blocks, group), ContactEditInPropMapper::DefaultBlock(group));
    } else {
        const auto item = std::find_if(std::begin(kFieldItems), std::end(kFieldItems),
                                       [&](const FieldItem& f) { return f.command == command; });
        if (item == std::end(kFieldItems) || blocks.IsEmpty() || blocks[0].group != kGroupName) return;
        if (!blocks[0].hidden[item->entry] && BlockOf(kGroupName)->NameEdit(item->entry) != nullptr) {
            return BlockOf(kGroupName)->NameEdit(item->entry)->setFocus();
        }
        blocks[0].hidden[item->entry] = false;
    }
    Fill(blocks);
    FormBlockView* target = group >= 0 ? BlockOf(group) : BlockOf(kGroupName);
    QWidget* field = group >= 0 ? target->FirstField() : nullptr;
    if (group < 0) {
        for (const FieldItem& item : kFieldItems) {
            if (item.command == command) field = target->NameEdit(item.entry);
        }
    }
    if (field != nullptr) {
        field->setFocus();
        scroll_->ensureWidgetVisible(field);
    }
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
    plat::MessageBox(write.record ? kSavedInPart : kSaveFailed, u"Brevane", plat::MB_OK | plat::MB_ICONWARNING);
    return false;
}

plat::LRESULT ContactEditDlg::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (message == plat::WM_INITMENUPOPUP && lParam == kFieldsPopup && wParam != 0) {
        *reinterpret_cast<MenuDescription*>(wParam) = FieldsMenu();
        return 0;
    }
    if (message == plat::WM_COMMAND) {
        const auto command = static_cast<uint32_t>(wParam & 0xFFFF);
        if (command == kCmdEditTemplate) {
            EditTemplate();
            return 0;
        }
        if (GroupOfCommand(command) >= 0 || std::any_of(std::begin(kFieldItems), std::end(kFieldItems),
                                                         [&](const FieldItem& f) { return f.command == command; })) {
            OnFieldsCommand(command);
            return 0;
        }
    }
    return DlgImpl::WndProc(message, wParam, lParam);
}
