#pragma once
// TextPane: a plain window showing a few lines of text, used for the phone panel (the selected contact's default number, tapped to call it). Screen
// readers read its lines.
#include <QStringList>
#include <functional>
#include <string_view>

#include "ui/toolkit/WndImpl.h"

class TextPane : public WndImpl {
public:
    TextPane(std::u16string_view className, std::function<void()> onTap)
        : className_(className), onTap_(std::move(onTap)) {}
    ~TextPane() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);
    void SetLines(const QStringList& lines);
    const QStringList& Lines() const { return lines_; }

protected:
    void Paint(QPainter& painter, const QRect& exposed) override;
    void OnTap(const QPoint&) override {
        if (onTap_) onTap_();
    }
    QString AccessibleText() const override { return lines_.join(QLatin1Char('\n')); }

private:
    std::u16string_view className_;
    std::function<void()> onTap_;
    QStringList lines_;
};
