#pragma once
// A progress indicator as long operations drive it: a range, a step, a text, and steps.
#include "core/str/Str.h"

class IProgress {
public:
    virtual ~IProgress() = default;
    // The number of steps a caller should plan for.
    virtual int StepCount() const = 0;
    // Shows the indicator with `title`; false when it cannot be shown.
    [[nodiscard]] virtual bool Create(const Str& title) = 0;
    virtual void SetRange(int low, int high) = 0;
    virtual void SetStep(int step) = 0;
    virtual void SetText(const Str& text) = 0;
    // Advances by the step (not past the end of the range) and lets the screen follow.
    virtual void Step() = 0;
    virtual void Destroy() = 0;
};
