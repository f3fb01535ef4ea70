#pragma once
// CSpeedRenameDlg: renames a speed-dial button. An editable list offers the names made from the
// button's contact (first name, first and last, last and first, with the company, ...); the text
// chosen or typed becomes the button's own name when it differs from the name it shows now. An
// empty text gives the button back its name from the contact. Enter in the text is OK.
#include <vector>

#include "core/str/Str.h"
#include "ui/toolkit/DlgImpl.h"

class QComboBox;

class CSpeedRenameDlg : public DlgImpl {
public:
    static constexpr int kMaxChars = 260;

    CSpeedRenameDlg(const Str& current, std::vector<Str> candidates);
    ~CSpeedRenameDlg() override { DestroyWnd(); }

    // After IDOK: the text chosen or typed.
    const Str& Text() const { return text_; }
    QComboBox* Names() const { return names_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    Str current_;
    std::vector<Str> candidates_;
    Str text_;
    QComboBox* names_ = nullptr;
};
