#pragma once
// ListDownButton: the small square button at the right of the search box (window class
// "LIST.DOWN.BUTTON"). Tapping it takes the focus down into the contact list.
#include <functional>
#include <utility>

#include "ui/toolkit/UiStrings.h"
#include "ui/toolkit/WndImpl.h"

class ListDownButton : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"LIST.DOWN.BUTTON";

    // `onTap` runs on every tap.
    explicit ListDownButton(std::function<void()> onTap) : onTap_(std::move(onTap)) {}
    ~ListDownButton() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);

protected:
    void Paint(QPainter& painter, const QRect& exposed) override;
    void OnTap(const QPoint&) override { onTap_(); }
    QString AccessibleText() const override { return UiText(uistr::kToTheList); }

private:
    std::function<void()> onTap_;
};
