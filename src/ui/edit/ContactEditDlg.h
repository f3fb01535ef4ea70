#pragma once
// ContactEditDlg: edits one contact as a form of blocks, one per field group, in the template's
// order and labels (the blocks come from the property mapper and go back through it). OK stores
// the edited contact through the saver; a contact that did not change is not saved. When the
// saver fails the dialog says so and stays open with everything typed, so OK can be tried again.
// Soft keys: "Fields" (switch on a group or a name field) and "Tools" ("OK", "Cancel", and "Edit
// Contact Template..." when the owner gave a template editor: a changed template rebuilds the form
// under it, keeping everything typed).
#include <functional>

#include "edit/mapper/ContactEditInPropMapper.h"
#include "edit/mapper/CustomValueRef.h"
#include "manager/contacts/ContactWrite.h"
#include "store/contact/Contact.h"
#include "ui/toolkit/DlgImpl.h"

class ContactTemplate;
class FieldBlock;
struct FieldsMenuItem;
class FormWindow;

class ContactEditDlg : public DlgImpl {
public:
    // Writes the edited contact to the store (adds it when it has no identifier yet).
    using Saver = std::function<ContactWrite(Contact&)>;
    // Edits the template the dialog was given, over the window `owner`: true when it changed.
    using TemplateEditor = std::function<bool(WndImpl& owner)>;

    static constexpr uint32_t kMenuId = 214, kFieldsPopup = 2141, kToolsPopup = 2142;
    static constexpr uint32_t kStrNew = 41406, kStrChange = 41407;
    static constexpr uint32_t kCmdEditTemplate = 41228;
    static constexpr int kSaved = 1;

    ContactEditDlg(const ContactTemplate& tpl, Saver save);
    ~ContactEditDlg() override;

    // The contact to edit (a copy is kept; it has no identifier for a new contact).
    void SetContact(const Contact& contact);
    // Offers "Edit Contact Template..." in the Tools menu.
    void SetTemplateEditor(TemplateEditor edit) { editTemplate_ = std::move(edit); }
    // kSaved when the edited contact reached the store (Saved() then holds it); anything else
    // when nothing was saved.
    int RunModal(WndImpl& parent);
    const Contact& Saved() const { return contact_; }

    // The form's block of `group`, or null.
    FieldBlock* BlockOf(int group) const;
    // The form window (null before the dialog opens).
    FormWindow* Form() const { return form_; }
    // The Fields menu as it opens now (marks set).
    MenuDescription FieldsMenu() const;
    // A Fields menu command: shows the name field or the group's block (added when missing) and
    // puts the focus there.
    void OnFieldsCommand(uint32_t command);
    // "Edit Contact Template...": after a change of the template the form is built again under
    // it from what it holds now, so every value typed so far stays.
    void EditTemplate();

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    void OnInitMenuPopup(uint32_t popupId, MenuDescription& popup) override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    // Puts the keyboard on the field the form shows for a Fields item; false when it shows none.
    [[nodiscard]] bool FocusFieldOf(const FieldsMenuItem& item);
    // Builds the form's blocks from `descriptors`.
    void Fill(const Array<BlockDescriptor>& descriptors);
    Array<BlockDescriptor> ReadBlocks() const;
    void FocusFirstField();

    const ContactTemplate& template_;
    Saver save_;
    TemplateEditor editTemplate_;
    Contact contact_;
    ContactEditInPropMapper mapper_;
    CustomValueRef ref_;
    FormWindow* form_ = nullptr;
    uint32_t storedOid_ = 0;    // a new contact that reached the store in part keeps its identifier
    bool partlySaved_ = false;  // OK saves again even when nothing changed since
    bool saved_ = false;
};
