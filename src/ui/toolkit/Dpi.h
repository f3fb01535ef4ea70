#pragma once
// Screen measures. Every size of a screen is designed in pixels at 96 dpi and scaled by the
// screen's logical dpi as (n * dpi + 48) / 96, rounded down. The setting `RealVGA` (1) makes the
// screen count as 192 dpi whatever it reports.
inline constexpr int kDesignDpi = 96;
inline constexpr int kRealVgaDpi = 192;

// (n * dpi + 48) / 96, rounded down (also for negative n).
int ScaleBy(int n, int dpi);

// The horizontal and vertical logical dpi of the primary screen (96 without one), or 192 under
// `RealVGA`. Read at every call: the setting may change while the program runs.
int ScreenDpiX();
int ScreenDpiY();

inline int ScaleX(int n) { return ScaleBy(n, ScreenDpiX()); }
inline int ScaleY(int n) { return ScaleBy(n, ScreenDpiY()); }
