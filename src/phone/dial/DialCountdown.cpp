#include "phone/dial/DialCountdown.h"

#include "core/res/ResourceStrings.h"

Str DialCountdown::WaitingText() const {
    Str text;
    (void)text.FormatRes(kStrWaiting, left_);  // a short text
    return text;
}

Str DialCountdown::DialingText() const { return RequireStr(kStrDialing) + u"\n" + number_; }

bool DialCountdown::Tick() {
    if (cancelled_ || left_ == 0) return false;
    --left_;
    return left_ == 0;
}
