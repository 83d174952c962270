#pragma once
// Colours as the windows' code writes them: &HBBGGRR values, or references to the system's
// colours (&H800000nn), resolved through one fixed table of the classic desktop scheme.
#include <QColor>
#include <cstdint>

namespace forms {

using OleColor = uint32_t;

constexpr OleColor SysScrollBars = 0x80000000;
constexpr OleColor SysActiveTitleBar = 0x80000002;
constexpr OleColor SysButtonFace = 0x8000000F;
constexpr OleColor SysWindowBackground = 0x80000005;
constexpr OleColor SysWindowText = 0x80000008;
constexpr OleColor SysActiveTitleBarText = 0x80000009;

constexpr OleColor RGB(int r, int g, int b) {
    return static_cast<OleColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The plain colours the windows' designs name.
constexpr OleColor White = 0xFFFFFF;
constexpr OleColor Red = 0x0000FF;
constexpr OleColor Green = 0x00FF00;
constexpr OleColor Blue = 0xFF0000;
constexpr OleColor Yellow = 0x00FFFF;
constexpr OleColor Orange = 0x0080FF;
constexpr OleColor DarkRed = 0x000080;
constexpr OleColor LightBlue = 0xFF8080;

QColor ToQColor(OleColor colour);

} // namespace forms
