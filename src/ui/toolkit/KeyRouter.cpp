#include "ui/toolkit/KeyRouter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "core/startup/Accelerators.h"
#include "platform/window/Window.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/SoftKeyBar.h"
#include "ui/toolkit/WndImpl.h"

namespace {

WndImpl* AcceleratorTarget(const QWidget* widget) {
    for (WndImpl* window = WndImpl::Owning(widget); window != nullptr;
         window = WndImpl::Owning(window->Widget()->parentWidget())) {
        if (window->TakesAccelerators()) return window;
    }
    return nullptr;
}

bool PressSoftKey(int key) {
    SoftKeyBar* bar = SoftKeyBar::Current();
    if (bar == nullptr) return false;
    bar->Press(key);
    return true;
}

}  // namespace

KeyRouter& KeyRouter::Instance() {
    static KeyRouter* router = [] {
        auto* created = new KeyRouter();
        QCoreApplication::instance()->installEventFilter(created);
        return created;
    }();
    return *router;
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const uint32_t virtualKey = VirtualKeyOf(key);
    const Qt::KeyboardModifiers mods = key.modifiers();
    std::optional<uint32_t> command =
        TranslateAccelerator(virtualKey, (mods & Qt::ControlModifier) != 0, (mods & Qt::ShiftModifier) != 0,
                             (mods & Qt::AltModifier) != 0);
    if (!command && IsShowKeysKey(key)) command = VK_CMD_SHOW_KEYS;
    if (command) {
        WndImpl* target = AcceleratorTarget(static_cast<QWidget*>(watched));
        return target != nullptr && plat::PostMessage(target->Hwnd(), plat::WM_COMMAND, *command, 0);
    }
    if (virtualKey == VK_TTALK && talkTarget_ != 0) {
        return plat::PostMessage(talkTarget_, plat::WM_HOTKEY, 0, HotKeyParam(VK_TTALK));
    }
    if (virtualKey == VK_SOFTKEY_LEFT) return PressSoftKey(0);
    if (virtualKey == VK_SOFTKEY_RIGHT) return PressSoftKey(1);
    return false;
}
