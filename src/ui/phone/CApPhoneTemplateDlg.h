#pragma once
// CApPhoneTemplateDlg: "Phone number formats". The template text field, the templates in
// priority order, the example of the text field's template, "Ignore existing "-" symbols", and
// Add, Delete, Up, Down and Default. OK stores the templates; a template with a forbidden
// character is refused with its message and the text is kept.
#include "phone/templates/PhoneTemplateDialogModel.h"
#include "ui/toolkit/DlgImpl.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

class CApPhoneTemplateDlg : public DlgImpl {
public:
    static constexpr uint32_t kCmdAdd = 1101, kCmdDelete = 1102, kCmdUp = 1103, kCmdDown = 1104, kCmdDefault = 1105;
    static constexpr uint32_t kStrForbidden = 41423;

    CApPhoneTemplateDlg();
    ~CApPhoneTemplateDlg() override { DestroyWnd(); }

    const PhoneTemplateDialogModel& Model() const { return model_; }
    QLineEdit* Field() const { return field_; }
    QListWidget* List() const { return list_; }
    QLabel* Example() const { return example_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;

private:
    // Shows the model's templates, selection, text and example again.
    void Refresh();

    PhoneTemplateDialogModel model_;
    QLineEdit* field_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* example_ = nullptr;
    QCheckBox* ignore_ = nullptr;
};
