#include "ui/toolkit/ScaledStyle.h"

#include <QApplication>
#include <QScreen>
#include <cmath>

#include "ui/toolkit/Dpi.h"

namespace {

ScaledStyle* g_installed = nullptr;

int ReportedDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 0;
    return dpi > 0 ? static_cast<int>(std::lround(dpi)) : kDesignDpi;
}

}  // namespace

void ScaledStyle::Apply() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
    const int dpi = ScreenDpiY();
    const int screen = ReportedDpi();
    if (g_installed != nullptr && g_installed->dpi_ == dpi && g_installed->screen_ == screen) return;
    // A new style, so that Qt polishes every widget again and lays it out with the new measures.
    const QString base = g_installed != nullptr ? g_installed->baseStyle()->name() : QApplication::style()->name();
    auto* style = new ScaledStyle(base);
    style->dpi_ = dpi;
    style->screen_ = screen;
    QApplication::setStyle(style);  // the application owns it and deletes the one before
    g_installed = style;
    QObject::connect(style, &QObject::destroyed, [style] {
        if (g_installed == style) g_installed = nullptr;
    });
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    if (value <= 0 || dpi_ == screen_) return value;
    return static_cast<int>((static_cast<long long>(value) * dpi_ + screen_ / 2) / screen_);
}

int ScaledStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returned) const {
    if (hint == SH_Menu_Scrollable) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returned);
}
