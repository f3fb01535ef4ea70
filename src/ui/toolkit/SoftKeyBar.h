#pragma once
// The soft-key menu bar at the bottom of the main window and of each full-screen dialog: two soft
// keys (F1 the left, F2 the right). A key either gives a command or opens a popup menu; before
// the popup opens, the owner's PopupHook adjusts a copy of it in place. Commands reach the owner
// window as posted WM_COMMAND messages with their numeric identifiers.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <utility>

#include "core/menu/MenuDescription.h"
#include "core/str/Str.h"
#include "platform/window/WindowTypes.h"

class QToolButton;

struct SoftKey {
    Str text;
    uint32_t command = 0;     // given when the key has no popup
    uint32_t popupId = 0;     // the popup's identifier, as the PopupHook gets it
    MenuDescription popup;    // empty: a plain command key

    // A key that gives `command` when pressed.
    static SoftKey Command(Str text, uint32_t command) { return {std::move(text), command, 0, {}}; }
};

// The two soft keys of a menu bar resource.
struct SoftKeyMenu {
    SoftKey left;
    SoftKey right;
};

class SoftKeyBar : public QWidget {
public:
    // The bar's design height in pixels at 96 dpi (scaled by the vertical dpi).
    static constexpr int kDesignHeight = 26;
    // Adjusts a popup (its identifier, the menu to show) before it opens.
    using PopupHook = std::function<void(uint32_t popupId, MenuDescription& popup)>;

    SoftKeyBar(const SoftKeyMenu& menu, plat::HWND owner, QWidget* parent, PopupHook prepare = {});
    ~SoftKeyBar() override;

    // Presses a soft key as a tap on it would (0 the left, 1 the right).
    void Press(int key);
    // Enables or greys both keys.
    void SetKeysEnabled(bool enabled);
    const SoftKeyMenu& Menu() const { return menu_; }
    QToolButton* Button(int key) const { return key == 0 ? left_ : right_; }

    // The bar whose keys F1 and F2 press now: the visible bar of the active window that was
    // created last (a dialog's bar before the main window's).
    static SoftKeyBar* Current();

private:
    void Run(const SoftKey& key, QToolButton* button);

    SoftKeyMenu menu_;
    plat::HWND owner_;
    PopupHook prepare_;
    QToolButton* left_;
    QToolButton* right_;
};
