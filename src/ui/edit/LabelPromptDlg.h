#pragma once
// LabelPromptDlg: the custom label dialog of the edit form: a prompt and one text field that
// starts with the current label. OK hands the text back exactly as typed.
#include <QString>

#include "ui/toolkit/DlgImpl.h"

class QLineEdit;

class LabelPromptDlg : public DlgImpl {
public:
    LabelPromptDlg(QString prompt, QString start);
    ~LabelPromptDlg() override { DestroyWnd(); }

    // After IDOK: the text typed.
    const QString& Text() const { return text_; }
    QLineEdit* Field() const { return field_; }

protected:
    [[nodiscard]] bool OnInitContent() override;
    [[nodiscard]] bool OnOK() override;

private:
    QString start_;
    QString text_;
    QLineEdit* field_ = nullptr;
};
