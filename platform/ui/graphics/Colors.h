#pragma once
// Colours: 0x00BBGGRR values, or a system colour as 0x80000000 | the system
// colour index, resolved to its current value by ColorToRGB.
#include <cstdint>

using TColor = int32_t;

namespace ColorDetail {
constexpr TColor System(uint32_t index) { return static_cast<TColor>(0x80000000u | index); }
}

// System colours (index = the Win32 COLOR_xxx number).
constexpr TColor clScrollBar = ColorDetail::System(0);
constexpr TColor clBackground = ColorDetail::System(1);
constexpr TColor clActiveCaption = ColorDetail::System(2);
constexpr TColor clInactiveCaption = ColorDetail::System(3);
constexpr TColor clMenu = ColorDetail::System(4);
constexpr TColor clWindow = ColorDetail::System(5);
constexpr TColor clWindowFrame = ColorDetail::System(6);
constexpr TColor clMenuText = ColorDetail::System(7);
constexpr TColor clWindowText = ColorDetail::System(8);
constexpr TColor clCaptionText = ColorDetail::System(9);
constexpr TColor clActiveBorder = ColorDetail::System(10);
constexpr TColor clInactiveBorder = ColorDetail::System(11);
constexpr TColor clAppWorkSpace = ColorDetail::System(12);
constexpr TColor clHighlight = ColorDetail::System(13);
constexpr TColor clHighlightText = ColorDetail::System(14);
constexpr TColor clBtnFace = ColorDetail::System(15);
constexpr TColor clBtnShadow = ColorDetail::System(16);
constexpr TColor clGrayText = ColorDetail::System(17);
constexpr TColor clBtnText = ColorDetail::System(18);
constexpr TColor clInactiveCaptionText = ColorDetail::System(19);
constexpr TColor clBtnHighlight = ColorDetail::System(20);
constexpr TColor cl3DDkShadow = ColorDetail::System(21);
constexpr TColor cl3DLight = ColorDetail::System(22);
constexpr TColor clInfoText = ColorDetail::System(23);
constexpr TColor clInfoBk = ColorDetail::System(24);
constexpr TColor clHotLight = ColorDetail::System(26);
constexpr TColor clGradientActiveCaption = ColorDetail::System(27);
constexpr TColor clGradientInactiveCaption = ColorDetail::System(28);
constexpr TColor clMenuHighlight = ColorDetail::System(29);
constexpr TColor clMenuBar = ColorDetail::System(30);

// Plain colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr bool IsSystemColor(TColor color) { return color < 0; }
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}

// The 0x00BBGGRR value of a colour: system colours take their current
// value; other colours lose their high byte (clNone becomes 0xFFFFFF).
TColor ColorToRGB(TColor color);

