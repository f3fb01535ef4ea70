#include "ui/toolkit/Dpi.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <optional>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

namespace {

std::optional<bool>& KeptRealVga() {
    static std::optional<bool> kept;
    return kept;
}

bool RealVga() {
    std::optional<bool>& kept = KeptRealVga();
    if (!kept) kept = SettingsStore::ReadDword(settings::kSettings, settings::kRealVGA, 0) == 1;
    return *kept;
}

int ScreenDpi(bool horizontal) {
    if (RealVga()) return kRealVgaDpi;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return kDesignDpi;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? static_cast<int>(std::lround(dpi)) : kDesignDpi;
}

}  // namespace

int ScaleBy(int n, int dpi) {
    const long long scaled = static_cast<long long>(n) * dpi + kDesignDpi / 2;
    const long long quotient = scaled / kDesignDpi;
    return static_cast<int>(scaled % kDesignDpi < 0 ? quotient - 1 : quotient);
}

void ReloadScreenSettings() { KeptRealVga().reset(); }

int ScreenDpiX() { return ScreenDpi(true); }
int ScreenDpiY() { return ScreenDpi(false); }
