#pragma once
// KeysDlg: the program's keys, one a line (the key, then what it does), in a read-only text a
// screen reader reads line by line. Opened by "Keys" on the main menu and by Ctrl+?.
#include "ui/toolkit/DlgImpl.h"

class QPlainTextEdit;

class KeysDlg : public DlgImpl {
public:
    KeysDlg();
    ~KeysDlg() override { DestroyWnd(); }

    QPlainTextEdit* Text() const { return text_; }

protected:
    [[nodiscard]] bool OnInitContent() override;

private:
    QPlainTextEdit* text_ = nullptr;
};
