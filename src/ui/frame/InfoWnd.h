#pragma once
// The information window: one line of text over the main window while the program is busy with
// something the user has to wait for (a large batch of changes reaching the index).
#include "ui/toolkit/DlgImpl.h"

class QLabel;

class InfoWnd : public DlgImpl {
public:
    explicit InfoWnd(WndImpl& owner) : owner_(owner) {}

    // Shows the text (replacing what is shown); false when the window cannot be shown.
    [[nodiscard]] bool ShowText(const Str& text);
    void Close() { DestroyWnd(); }
    QString Text() const { return text_; }

protected:
    SoftKeyMenu SoftKeys() const override { return {}; }
    [[nodiscard]] bool OnInitContent() override;
    QString AccessibleText() const override { return text_; }

private:
    WndImpl& owner_;
    QLabel* label_ = nullptr;
    QString text_;
};
