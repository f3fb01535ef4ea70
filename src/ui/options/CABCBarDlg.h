#pragma once
// CABCBarDlg: the alphabet-bar dialog. The alphabet (Custom, English, Russian, English/Russian,
// German) and, for Custom, the user's own definition text. OK with a custom text that does not
// parse shows "Wrong ABC bar custom string format  !" and keeps the dialog open with the text.
#include "ui/frame/OptionsApply.h"
#include "ui/toolkit/DlgImpl.h"

class QComboBox;
class QLineEdit;

class CABCBarDlg : public DlgImpl {
public:
    explicit CABCBarDlg(AbcBarSettings settings);
    ~CABCBarDlg() override { DestroyWnd(); }

    // The names of the alphabets, by type.
    static QString NameOf(uint32_t type);
    // After IDOK: the alphabet chosen.
    const AbcBarSettings& Settings() const { return settings_; }
    QComboBox* Types() const { return types_; }
    QLineEdit* CustomText() const { return custom_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    AbcBarSettings settings_;
    QComboBox* types_ = nullptr;
    QLineEdit* custom_ = nullptr;
};
