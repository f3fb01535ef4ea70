#pragma once
// The progress window shown over the main window while the index is rebuilt: a caption, a
// progress bar and one line of text. Every step repaints it and handles the events waiting, so
// the window never freezes while the rebuild runs on the user-interface thread.
#include "ui/frame/IProgress.h"
#include "ui/toolkit/DlgImpl.h"

class QLabel;
class QProgressBar;

class ProgressWnd : public DlgImpl, public IProgress {
public:
    static constexpr int kSteps = 20;

    explicit ProgressWnd(WndImpl& owner) : owner_(owner) {}

    int StepCount() const override { return kSteps; }
    [[nodiscard]] bool Create(const Str& title) override;
    void SetRange(int low, int high) override;
    void SetStep(int step) override { step_ = step; }
    void SetText(const Str& text) override;
    void Step() override;
    void Destroy() override { DestroyWnd(); }

    int Position() const;

protected:
    SoftKeyMenu SoftKeys() const override { return {}; }
    [[nodiscard]] bool OnInitContent() override;
    QString AccessibleText() const override;

private:
    WndImpl& owner_;
    QProgressBar* bar_ = nullptr;
    QLabel* text_ = nullptr;
    int step_ = 1;
};
