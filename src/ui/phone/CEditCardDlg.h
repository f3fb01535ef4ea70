#pragma once
// CEditCardDlg: the calling-card editor. "Card Name" and "Card Format String" (up to 260
// characters each), the help text on the format's symbols, and a sample that shows what the
// format makes of the source phone while the format is typed. OK refuses an empty name and the
// built-in card's name with a warning, keeping everything typed.
#include "phone/dial/EditCardModel.h"
#include "ui/toolkit/DlgImpl.h"

class QLabel;
class QLineEdit;

class CEditCardDlg : public DlgImpl {
public:
    CEditCardDlg(const CallingCard& card, const Str& sourcePhone);
    ~CEditCardDlg() override { DestroyWnd(); }

    // After IDOK: the card as typed.
    const CallingCard& Card() const { return model_.Card(); }
    QLineEdit* NameField() const { return name_; }
    QLineEdit* FormatField() const { return format_; }
    QLabel* Sample() const { return formatted_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    EditCardModel model_;
    QLineEdit* name_ = nullptr;
    QLineEdit* format_ = nullptr;
    QLabel* formatted_ = nullptr;
};
