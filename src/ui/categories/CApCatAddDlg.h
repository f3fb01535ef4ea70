#pragma once
// CApCatAddDlg: the "Add category" dialog, one text field of up to 256 characters. OK with a name
// holding "," or ";" shows the refusal and keeps the dialog open; otherwise it closes, with a
// name to add or none (an empty field).
#include "categories/filter/CategoryListDialog.h"
#include "ui/toolkit/DlgImpl.h"

class QLineEdit;

class CApCatAddDlg : public DlgImpl {
public:
    static constexpr uint32_t kNameField = 1001;

    CApCatAddDlg();
    ~CApCatAddDlg() override { DestroyWnd(); }

    // After IDOK: whether a name was given, and the name.
    [[nodiscard]] bool HasName() const { return hasName_; }
    const Str& Name() const { return model_.Name(); }
    QLineEdit* Field() const { return field_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    catfilter::CategoryAddDialog model_;
    QLineEdit* field_ = nullptr;
    bool hasName_ = false;
};
