#pragma once
// SplitterWnd: the bar between the contact list and the preview pane (window class
// "SPLITTER_FRAME"). Dragging it reports where its top would go, in the parent's coordinates;
// the frame lays its children out again and keeps the fraction.
#include <QEvent>
#include <functional>
#include <utility>

#include "ui/list/EventHook.h"
#include "ui/toolkit/WndImpl.h"

class SplitterWnd : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"SPLITTER_FRAME";

    // `onMoved` gets the top the bar would have, at every move of a drag.
    explicit SplitterWnd(std::function<void(int top)> onMoved) : onMoved_(std::move(onMoved)) {}
    ~SplitterWnd() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);

protected:
    void Paint(QPainter& painter, const QRect& exposed) override;

private:
    [[nodiscard]] bool OnWidgetEvent(QEvent& event);

    std::function<void(int top)> onMoved_;
    int grabY_ = -1;  // where in the bar the drag took it, -1 while not dragging
    EventHookSlot hook_;  // last: it goes first
};
