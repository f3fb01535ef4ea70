#pragma once
// CTemplateDlg: the contact template editor ("Template"). It shows the template in the edit
// form's window as blocks in template mode (TemplateBlock), one per shown group in group order (the name
// block always), each listing its entries by label. Soft keys: "Fields" (the name fields and the groups,
// checked when shown; choosing one flips it) and "Tools" ("OK", "Cancel", "Default"). It edits a copy of the
// template it is given: OK hands the edited copy back, Cancel and Escape leave the given template as it was.
#include "core/menu/MenuDescription.h"
#include "ui/toolkit/DlgImpl.h"
#include "view/template/ContactTemplate.h"

class FormWindow;
class TemplateBlock;

class CTemplateDlg : public DlgImpl {
public:
    static constexpr uint32_t kMenuId = 180, kFieldsPopup = 1801, kToolsPopup = 1802;
    static constexpr uint32_t kCmdDefault = 103;
    static constexpr uint32_t kStrTitle = 114, kStrOk = 105, kStrCancel = 106, kStrDefault = 111;

    explicit CTemplateDlg(ContactTemplate& tpl);
    ~CTemplateDlg() override;

    // Runs the editor over `owner` on `tpl`; true (and `tpl` edited) on OK.
    [[nodiscard]] static bool Run(WndImpl& owner, ContactTemplate& tpl);

    // The form's block of `group`, or null.
    TemplateBlock* BlockOf(int group) const;
    // The form window (null before the dialog opens).
    FormWindow* Form() const { return form_; }
    // The Fields menu as it opens now (marks set).
    MenuDescription FieldsMenu() const;
    // A Fields command: flips the name field or the group and shows the form again; a group
    // switched on is brought into view.
    void OnFieldsCommand(uint32_t command);
    // "Default": the copy takes the default template.
    void ResetToDefaults();

protected:
    SoftKeyMenu SoftKeys() const override;
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    void OnInitMenuPopup(uint32_t popupId, MenuDescription& popup) override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    // Reads the form back into the copy.
    void ReadForm();
    // Builds the form from the copy; the keyboard goes to the block of `focusGroup`.
    void Fill(int focusGroup);

    ContactTemplate& result_;
    ContactTemplate edited_;
    FormWindow* form_ = nullptr;
};
