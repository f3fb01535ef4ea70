#pragma once
// The alphabet bars: AbcBar, the small bar (a strip of one button per letter group and a last
// button taking the last pressed group away), and AbcBarBig, the big bar (a phone keypad: "1"
// takes the last group away, "2" to "9" hold the groups, a wide last row clears them; a key held
// down asks for its speed-dial entry). Labels of two-line alphabets show both lines. The button
// of the last pressed group is drawn pressed. Each button is a real button, so screen readers
// read its label and its pressed state.
#include <QTimer>
#include <vector>

#include "ui/toolkit/WndImpl.h"
#include "view/search/AbcBar.h"

class QToolButton;

class AbcBarListener {
public:
    virtual ~AbcBarListener() = default;
    // A button's number was pressed (or its hold number, when held), as AbcButton tells.
    virtual void OnAbcButton(bool big, int number) = 0;
};

class AbcBar : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"ABC.BAR";
    static constexpr int kHoldMs = 400;

    explicit AbcBar(AbcBarListener& listener) : AbcBar(listener, false) {}
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
    AbcBar(AbcBarListener& listener, bool big) : listener_(listener), big_(big) {}

private:
    QString LabelOf(const AbcButton& button) const;
    void Pressed(int index);
    void Released(int index);

    AbcBarListener& listener_;
    bool big_;
    std::vector<AbcButton> layout_;
    std::vector<QToolButton*> buttons_;
    QTimer holdTimer_;
    int holding_ = -1;
    bool held_ = false;
};

class AbcBarBig : public AbcBar {
public:
    explicit AbcBarBig(AbcBarListener& listener) : AbcBar(listener, true) {}
};
