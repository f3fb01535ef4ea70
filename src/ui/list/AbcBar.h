#pragma once
// The alphabet bars: AbcBar, the small bar (a strip of one button per letter group and a last
// button taking the last pressed group away), and AbcBarBig, the big bar (a phone keypad: "1"
// takes the last group away, "2" to "9" hold the groups, a wide last row clears them; a key held
// down asks for its speed-dial entry). Labels of two-line alphabets show both lines. The button
// of the last pressed group is drawn pressed. Each button is a real button, so screen readers
// read its label and its pressed state.
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "ui/toolkit/WndImpl.h"
#include "view/search/AbcBar.h"

class QToolButton;

class AbcBar : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"ABC.BAR";
    static constexpr int kHoldMs = 400;
    // Gets a button's number when it is pressed (or its hold number, when held), as AbcButton
    // tells, and whether the bar is the big one.
    using ButtonHandler = std::function<void(bool big, int number)>;

    explicit AbcBar(ButtonHandler onButton) : AbcBar(std::move(onButton), false) {}
    ~AbcBar() override { DestroyWnd(); }

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);
    // New buttons for the alphabet in force.
    void SetButtons(const AbcDefinition& definition);
    // Draws the button of `number` pressed (-1: none).
    void SetPressed(int number);
    [[nodiscard]] bool Big() const { return big_; }
    const std::vector<QToolButton*>& Buttons() const { return buttons_; }
    // The button reporting `number` when pressed; null when none does.
    QToolButton* ButtonOf(int number) const;

protected:
    AbcBar(ButtonHandler onButton, bool big) : onButton_(std::move(onButton)), big_(big) {}

private:
    QString LabelOf(const AbcButton& button) const;
    void Pressed(int index);
    void Released(int index);

    ButtonHandler onButton_;
    bool big_;
    std::vector<AbcButton> layout_;
    std::vector<QToolButton*> buttons_;
    QTimer holdTimer_;
    int holding_ = -1;
    bool held_ = false;
};

class AbcBarBig : public AbcBar {
public:
    explicit AbcBarBig(ButtonHandler onButton) : AbcBar(std::move(onButton), true) {}
};
