#pragma once
// WndImpl: a window of the handheld's window system with a Qt widget to show it. The platform
// window gives it a handle that every process of the device can find by class and post to; its
// procedure (WndProc) gets the posted and sent messages and the input of the widget: keys as
// WM_KEYDOWN and WM_CHAR, activation as WM_ACTIVATE, resizing as WM_SIZE, closing as WM_CLOSE.
// The widget paints through Paint into an off-screen image and copies only what is exposed.
//
// A failure inside a handler never unwinds through Qt's event loop: a FatalError is logged and
// ends the program with its code, any other exception is logged and the message counts as
// handled.
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <string_view>

#include "platform/window/WindowTypes.h"

class QPainter;
class QWidget;
class WndWidget;

inline constexpr uint32_t WA_INACTIVE = 0, WA_ACTIVE = 1;

// The default handling of a message: WM_CLOSE destroys the window, everything else gives 0.
plat::LRESULT DefWindowProc(plat::HWND window, uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam);

class WndImpl {
public:
    WndImpl() = default;
    virtual ~WndImpl();
    WndImpl(const WndImpl&) = delete;
    WndImpl& operator=(const WndImpl&) = delete;

    // Creates the platform window and its widget (hidden), a child of `parent`'s widget or a
    // top-level window when `parent` is null. False when the platform refuses the window.
    [[nodiscard]] bool CreateWnd(std::u16string_view className, std::u16string_view title, WndImpl* parent,
                                 const QRect& rect);
    // Destroys the platform window (the procedure gets WM_DESTROY) and the widget.
    void DestroyWnd();

    plat::HWND Hwnd() const { return hwnd_; }
    QWidget* Widget() const;
    [[nodiscard]] bool IsCreated() const { return hwnd_ != 0; }

    // Calls the own procedure at once, as SendMessage to the own window does.
    plat::LRESULT Send(uint32_t message, plat::WPARAM wParam = 0, plat::LPARAM lParam = 0);
    // Paints the whole window again, and tells accessibility clients the new text.
    void Invalidate();

    // The window whose widget holds `widget` (the nearest), or null.
    static WndImpl* Owning(const QWidget* widget);
    // Whether keys of accelerator table 103 pressed inside this window become its commands
    // (top-level windows and dialogs); children leave them to those.
    [[nodiscard]] virtual bool TakesAccelerators() const;
    // Where a key that reaches this window's own widget belongs instead (it is handed there, with
    // the keyboard); null: the window takes it.
    virtual QWidget* KeysTarget() { return nullptr; }

protected:
    virtual plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam);
    // Draws the exposed part; the painter is clipped to it. The default fills with the
    // window colour.
    virtual void Paint(QPainter& painter, const QRect& exposed);
    virtual void OnResize(const QSize&) {}
    // A tap (press and release within the hold time) and a tap-and-hold (a press held 400 ms, or
    // a right click), in widget coordinates.
    virtual void OnTap(const QPoint&) {}
    virtual void OnTapAndHold(const QPoint&) {}
    // What a screen reader reads for the window (its visible text and selection).
    virtual QString AccessibleText() const { return {}; }

private:
    friend class WndWidget;
    plat::LRESULT Dispatch(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam);

    plat::HWND hwnd_ = 0;
    WndWidget* widget_ = nullptr;
    bool destroying_ = false;
};
