#pragma once
// KeypadHold: the phone keypad's digits 2 to 9 pressed in the widgets it watches (the contact list
// and the search box) are held back until they are known to be short or long presses
// (KeypadDigitPress, timed on the platform clock): a short one is typed as before, a long one calls
// the digit's speed-dial entry and is not typed. Every other key goes on unchanged, after any digit
// still held back has been typed.
#include <QObject>
#include <cstdint>
#include <functional>

#include "screen/list/KeypadDigitPress.h"

class QKeyEvent;
class QWidget;

class KeypadHold : public QObject {
public:
    // Types a digit key (its virtual key, VK_NUMPAD0 + digit).
    using TypeKey = std::function<void(uint32_t key)>;
    // Calls a speed-dial entry.
    using CallEntry = std::function<void(int entry)>;

    KeypadHold(TypeKey type, CallEntry call, QObject* parent);

    // Watches the keys pressed in `widget`.
    void Watch(QWidget& widget);

protected:
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] bool OnKey(const QKeyEvent& key);

    TypeKey type_;
    CallEntry call_;
    KeypadDigitPress press_;
};
