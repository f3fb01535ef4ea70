#pragma once
// ListDownButton: the small square button at the right of the search box (window class
// "LIST.DOWN.BUTTON"). Tapping it takes the focus down into the contact list.
#include "ui/toolkit/WndImpl.h"

class ListDownBtnListener {
public:
    virtual ~ListDownBtnListener() = default;
    virtual void OnListDown() = 0;
};

class ListDownButton : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"LIST.DOWN.BUTTON";

    explicit ListDownButton(ListDownBtnListener& listener) : listener_(listener) {}
    ~ListDownButton() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);

protected:
    void Paint(QPainter& painter, const QRect& exposed) override;
    void OnTap(const QPoint&) override { listener_.OnListDown(); }
    QString AccessibleText() const override { return QStringLiteral("To the list"); }

private:
    ListDownBtnListener& listener_;
};
