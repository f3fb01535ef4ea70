#include "ui/toolkit/WndImpl.h"

#include <QPainter>
#include <QPalette>

#include "platform/window/Window.h"
#include "ui/toolkit/Guard.h"
#include "ui/toolkit/WndWidget.h"

plat::LRESULT DefWindowProc(plat::HWND window, uint32_t message, plat::WPARAM, plat::LPARAM) {
    if (message == plat::WM_CLOSE) (void)plat::DestroyWindow(window);  // the window goes either way
    return 0;
}

WndImpl::~WndImpl() {
    destroying_ = true;
    DestroyWnd();
}

bool WndImpl::CreateWnd(std::u16string_view className, std::u16string_view title, WndImpl* parent,
                        const QRect& rect) {
    if (hwnd_ != 0) return false;
    QWidget* parentWidget = parent != nullptr ? parent->Widget() : nullptr;
    widget_ = new WndWidget(*this, parentWidget);
    widget_->setGeometry(rect);
    widget_->setWindowTitle(QString::fromStdU16String(std::u16string(title)));
    const plat::WndProc procedure = [this](plat::HWND window, uint32_t message, plat::WPARAM wParam,
                                           plat::LPARAM lParam) {
        if (message == plat::WM_CREATE) hwnd_ = window;
        const plat::LRESULT result = Dispatch(message, wParam, lParam);
        if (message == plat::WM_DESTROY && widget_ != nullptr) {
            hwnd_ = 0;
            widget_->Detach();
            widget_->hide();
            widget_->deleteLater();
            widget_ = nullptr;
        }
        return result;
    };
    const plat::HWND created =
        plat::CreateWindow(className, title, procedure, parent != nullptr ? parent->Hwnd() : 0, this);
    if (created == 0) {
        delete widget_;
        widget_ = nullptr;
        hwnd_ = 0;
        return false;
    }
    hwnd_ = created;
    return true;
}

void WndImpl::DestroyWnd() {
    if (hwnd_ != 0) (void)plat::DestroyWindow(hwnd_);  // the window goes either way
}

QWidget* WndImpl::Widget() const { return widget_; }

plat::LRESULT WndImpl::Send(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    return Dispatch(message, wParam, lParam);
}

plat::LRESULT WndImpl::Dispatch(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    if (destroying_) return DefWindowProc(hwnd_, message, wParam, lParam);
    plat::LRESULT result = 0;
    // What threw was logged; the message then yields 0.
    (void)RunGuarded([&] { result = WndProc(message, wParam, lParam); }, "WndImpl");
    return result;
}

void WndImpl::Invalidate() {
    if (widget_ == nullptr) return;
    widget_->setAccessibleName(AccessibleText());
    widget_->update();
}

WndImpl* WndImpl::Owning(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (const auto* window = dynamic_cast<const WndWidget*>(widget); window != nullptr && window->Owner()) {
            return window->Owner();
        }
    }
    return nullptr;
}

plat::LRESULT WndImpl::WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

void WndImpl::Paint(QPainter& painter, const QRect& exposed) {
    painter.fillRect(exposed, widget_->palette().color(QPalette::Window));
}

bool WndImpl::TakesAccelerators() const { return widget_ != nullptr && widget_->isWindow(); }
