#pragma once
// Screen measures. Every size of a screen is designed in pixels at 96 dpi and scaled by the
// screen's logical dpi as (n * dpi + 48) / 96, rounded down. The setting `RealVGA` (1) makes the
// screen count as 192 dpi whatever it reports.
inline constexpr int kDesignDpi = 96;
inline constexpr int kRealVgaDpi = 192;

// (n * dpi + 48) / 96, rounded down (also for negative n).
int ScaleBy(int n, int dpi);

// The horizontal and vertical logical dpi of the primary screen (96 without one), or 192 under
// `RealVGA`. The setting is read once and kept (every row drawn asks for the dpi, and a registry
// read per measure made painting a page cost milliseconds); ReloadScreenSettings reads it again,
// as the main window does when it is made.
int ScreenDpiX();
int ScreenDpiY();
void ReloadScreenSettings();

inline int ScaleX(int n) { return ScaleBy(n, ScreenDpiX()); }
inline int ScaleY(int n) { return ScaleBy(n, ScreenDpiY()); }
