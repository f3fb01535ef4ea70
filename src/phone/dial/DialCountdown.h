#pragma once
// The countdown in front of tone dialling (dialog 216): "Waiting for %i seconds..." from 3 down,
// one step a second, above "Dialing..." and the number, with a Cancel button. The screen calls
// Tick every kStepMs; once Finished the tones are played, unless Cancel came first.
#include <cstdint>

#include "core/str/Str.h"

class DialCountdown {
public:
    static constexpr int kSeconds = 3;
    static constexpr uint32_t kStepMs = 1000;
    static constexpr uint32_t kStrWaiting = 41216;
    static constexpr uint32_t kStrDialing = 41210;

    explicit DialCountdown(Str number) : number_(std::move(number)) {}

    int SecondsLeft() const { return left_; }
    [[nodiscard]] bool Finished() const { return left_ == 0 && !cancelled_; }
    [[nodiscard]] bool Cancelled() const { return cancelled_; }
    // "Waiting for N seconds..."
    Str WaitingText() const;
    // "Dialing...", a line break, the number.
    Str DialingText() const;

    // One step has passed; true when the countdown has just come to its end.
    [[nodiscard]] bool Tick();
    void Cancel() { cancelled_ = true; }

private:
    Str number_;
    int left_ = kSeconds;
    bool cancelled_ = false;
};
