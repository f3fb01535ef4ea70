#pragma once
// WndFrame: a frame of the main window, a child window filling the client area of the main
// window. The main window switches between its frames (showing one, hiding the others) and hands
// the current one its commands, activation and setting changes through these operations.
#include <QRect>
#include <cstdint>
#include <string_view>

#include "platform/window/WindowTypes.h"
#include "ui/toolkit/WndImpl.h"

class WndFrame : public WndImpl {
public:
    // Creates the frame's window, hidden, in `client` of `parent`. False when it cannot.
    [[nodiscard]] virtual bool Create(WndImpl& parent, const QRect& client);
    // The input panel went up or down; `visibleBottom` is the lowest visible client y.
    virtual void OnInputPanel(bool up, int visibleBottom);
    virtual QRect ClientRect() const;
    // Takes a new client rectangle and lays out its children in it.
    virtual void SetClientRect(const QRect& client);
    // A command of the menu bar or an accelerator; true when the frame handled it.
    [[nodiscard]] virtual bool OnCommand(uint32_t command, plat::LPARAM lParam);
    virtual void Show();
    virtual void Hide();
    virtual void OnActivate(uint32_t state, plat::LPARAM lParam);
    virtual void OnSettingChange(plat::WPARAM wParam, plat::LPARAM lParam);
    // The part of the frame that takes the keyboard (the frame's window by default).
    virtual QWidget* KeyboardField() const;

protected:
    // The frame's window class ("CONTACTS.FRAME.CLASS", ...).
    virtual std::u16string_view ClassName() const = 0;
};
