#pragma once
// ScaledStyle: the application's style with its measures (check boxes, radio buttons, scroll
// bars, frames, icons) scaled from the dpi the screen reports to the dpi the screens are drawn
// for. They differ under `RealVGA`, which counts a screen as 192 dpi whatever it reports: fonts and
// the screens' own measures follow the setting, and without this the style's boxes and bars stayed
// at half size beside them.
//
// Popup menus scroll: a menu taller than the screen (a phone's screen holds fewer items than the
// longer menus have) is cut to the screen with scroll arrows, and the arrow keys and taps on the
// arrows reach every item, instead of running off the screen in columns.
#include <QProxyStyle>

class ScaledStyle : public QProxyStyle {
public:
    // Installs the style on the application, scaled from the screen's dpi to ScreenDpiY(); a new
    // one only when that changed.
    static void Apply();

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override;

private:
    explicit ScaledStyle(const QString& base) : QProxyStyle(base) {}

    int dpi_ = 96;     // the dpi drawn for
    int screen_ = 96;  // the dpi the screen reports
};
