#pragma once
// What the screen tests share: the widget application (made before any window, so the window
// system finds a QApplication and not a bare core application), waiting for the event loop, and
// screenshots under build/screenshots.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/loop/EventLoop.h"
#include "ui/toolkit/DlgBase.h"

inline void EnsureQtApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "brevane-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Runs the event loop until `done` holds (true) or `timeoutMs` passed (false).
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    return plat::RunUntil(done, timeoutMs);
}

// Saves what the widget shows as build/screenshots/<name>.png; the path, or empty on failure.
inline QString SaveScreenshot(QWidget& widget, const QString& name) {
    const QDir folder(QStringLiteral(BREVANE_SCREENSHOT_DIR));
    if (!folder.mkpath(QStringLiteral("."))) return {};
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    return widget.grab().save(path) ? path : QString();
}

// The dialog of type T that runs modally now, or null. Embedded dialogs (the preview pane's
// contact view) are open all the time and never count; nor does a dialog still opening.
template <typename T>
T* OpenDialog() {
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* found = dynamic_cast<T*>(WndImpl::Owning(widget));
        if (found != nullptr && found->IsOpen() && found->IsRunningModal()) return found;
    }
    return nullptr;
}
