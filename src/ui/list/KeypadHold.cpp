#include "ui/list/KeypadHold.h"

#include <QKeyEvent>
#include <QWidget>

#include "platform/timer/Clock.h"
#include "ui/toolkit/Guard.h"
#include "ui/toolkit/Keys.h"

namespace {

constexpr uint32_t kVkNumpad0 = 0x60;
constexpr uint32_t kOtherKey = 0xFFFF;  // a key the rule only needs to know went down

uint32_t KeyOf(const QKeyEvent& key) {
    if (IsPhoneKeypad(key) && key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9) {
        return kVkNumpad0 + static_cast<uint32_t>(key.key() - Qt::Key_0);
    }
    return kOtherKey;
}

}  // namespace

KeypadHold::KeypadHold(TypeKey type, CallEntry call, QObject* parent)
    : QObject(parent), type_(std::move(type)), call_(std::move(call)) {}

void KeypadHold::Watch(QWidget& widget) { widget.installEventFilter(this); }

bool KeypadHold::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    bool taken = false;
    // What threw was logged; the key is then not taken.
    (void)RunGuarded([&] { taken = OnKey(static_cast<const QKeyEvent&>(*event)); }, "KeypadHold");
    return taken;
}

bool KeypadHold::OnKey(const QKeyEvent& key) {
    const uint32_t virtualKey = KeyOf(key);
    const uint64_t now = plat::CurrentClock().NowMs();
    KeypadDigitPress::Outcome outcome;
    if (key.type() == QEvent::KeyPress) {
        outcome = press_.Press(virtualKey, key.isAutoRepeat(), now);
    } else if (virtualKey != kOtherKey) {
        outcome = press_.Release(virtualKey, key.isAutoRepeat(), now);
    }
    if (outcome.type != 0) type_(outcome.type);
    if (outcome.speedDial >= 0) call_(outcome.speedDial);
    return outcome.taken;
}
