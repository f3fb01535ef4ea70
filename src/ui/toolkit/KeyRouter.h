#pragma once
// The keys that act before any window sees them, for the whole program: accelerator table 103
// (its commands go to the window the key was pressed in: the nearest dialog or top-level
// window), the soft keys F1 and F2 (they press the current soft-key bar), and the Talk key while
// a window has taken it over (it then arrives there as WM_HOTKEY with the key in the high word of
// lParam instead of as a key press).
#include <QObject>

#include "platform/window/WindowTypes.h"

class KeyRouter : public QObject {
public:
    // The program's router, installed on the application on first use.
    static KeyRouter& Instance();

    void OverrideTalkKey(plat::HWND window) { talkTarget_ = window; }
    void RestoreTalkKey() { talkTarget_ = 0; }
    plat::HWND TalkKeyTarget() const { return talkTarget_; }

protected:
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    plat::HWND talkTarget_ = 0;
};
