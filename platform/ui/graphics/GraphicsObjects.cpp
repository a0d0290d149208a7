#include "platform/ui/graphics/GraphicsObjects.h"
#include "platform/ui/graphics/SysColorProvider.h"
#include <algorithm>
#include <utility>

namespace {

// Frees a replaced GDI object once the owner has been told, even when its
// handler raises.
struct DeleteAfter {
  HGDIOBJ Object;
  ~DeleteAfter() {
    if (Object) DeleteObject(Object);
  }
};

}  // namespace

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC dc = GetDC(nullptr);
    int value = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return value > 0 ? value : 96;
  }();
  return ppi;
}

// ---- TFont -----------------------------------------------------------------

TFont::TFont() : FName(u"Tahoma"), FPixelsPerInch(ScreenPixelsPerInch()) {
  FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont() {
  if (FHandle) DeleteObject(FHandle);
}

void TFont::Changed() { TGraphicsObject::Changed(); }

void TFont::Modified(bool handleChanges) {
  DeleteAfter old{handleChanges ? std::exchange(FHandle, nullptr) : nullptr};
  Changed();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
    size_t n = std::min<size_t>(FName.size(), LF_FACESIZE - 1);
    std::copy_n(FName.data(), n, reinterpret_cast<char16_t*>(lf.lfFaceName));
    FHandle = CreateFontIndirectW(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT value) {
  if (value == FHandle) return;
  LOGFONTW lf{};
  if (value && GetObjectW(value, sizeof lf, &lf) == sizeof lf) {
    FName = String(reinterpret_cast<const char16_t*>(lf.lfFaceName));
    FHeight = lf.lfHeight;
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    FStyle = style;
    FCharset = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 3;
    FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
    FOrientation = lf.lfEscapement;
  }
  DeleteAfter old{std::exchange(FHandle, value)};
  Changed();
}

void TFont::SetName(const String& value) {
  if (value.empty() || value == FName) return;
  FName = value;
  Modified(true);
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, FPixelsPerInch, 72)); }

void TFont::SetHeight(int value) {
  if (value == FHeight) return;
  FHeight = value;
  Modified(true);
}

void TFont::SetStyle(TFontStyles value) {
  if (value == FStyle) return;
  FStyle = value;
  Modified(true);
}

void TFont::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Modified(false);
}

void TFont::SetCharset(TFontCharset value) {
  if (value == FCharset) return;
  FCharset = value;
  Modified(true);
}

void TFont::SetPitch(TFontPitch value) {
  if (value == FPitch) return;
  FPitch = value;
  Modified(true);
}

void TFont::SetOrientation(int value) {
  if (value == FOrientation) return;
  FOrientation = value;
  Modified(true);
}

void TFont::Assign(const TPersistent& source) {
  auto* font = dynamic_cast<const TFont*>(&source);
  if (!font) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (font == this) return;
  bool handleChanges = FName != font->FName || FStyle != font->FStyle || FCharset != font->FCharset ||
                       FPitch != font->FPitch || FOrientation != font->FOrientation;
  FName = font->FName;
  FStyle = font->FStyle;
  FCharset = font->FCharset;
  FPitch = font->FPitch;
  FOrientation = font->FOrientation;
  FColor = font->FColor;
  int height = font->FHeight;
  if (FPixelsPerInch != font->FPixelsPerInch) height = -MulDiv(font->Size(), FPixelsPerInch, 72);
  handleChanges = handleChanges || height != FHeight;
  FHeight = height;
  Modified(handleChanges);
}

// ---- TPen ------------------------------------------------------------------

TPen::~TPen() {
  if (FHandle) DeleteObject(FHandle);
}

void TPen::Changed() { TGraphicsObject::Changed(); }

void TPen::Modified(bool handleChanges) {
  DeleteAfter old{handleChanges ? std::exchange(FHandle, nullptr) : nullptr};
  Changed();
}

HPEN TPen::Handle() {
  if (!FHandle) {
    COLORREF color = static_cast<COLORREF>(ColorToRGB(FColor));
    if (FStyle == psUserStyle || FStyle == psAlternate) {
      LOGBRUSH lb{BS_SOLID, color, 0};
      DWORD style = FStyle == psAlternate ? PS_COSMETIC | PS_ALTERNATE : PS_GEOMETRIC | PS_SOLID;
      FHandle = ExtCreatePen(style, FStyle == psAlternate ? 1 : FWidth, &lb, 0, nullptr);
    } else {
      static constexpr int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
      FHandle = CreateSysPen(styles[FStyle], FWidth, color);
    }
  }
  return FHandle;
}

void TPen::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Modified(true);
}

void TPen::SetWidth(int value) {
  if (value < 0 || value == FWidth) return;
  FWidth = value;
  Modified(true);
}

void TPen::SetStyle(TPenStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Modified(true);
}

void TPen::SetMode(TPenMode value) {
  if (value == FMode) return;
  FMode = value;
  Modified(false);
}

void TPen::Assign(const TPersistent& source) {
  auto* pen = dynamic_cast<const TPen*>(&source);
  if (!pen) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (pen == this) return;
  bool handleChanges = FColor != pen->FColor || FWidth != pen->FWidth || FStyle != pen->FStyle;
  FColor = pen->FColor;
  FWidth = pen->FWidth;
  FStyle = pen->FStyle;
  FMode = pen->FMode;
  Modified(handleChanges);
}

int PenModeToRop2(TPenMode mode) {
  static constexpr int codes[] = {R2_BLACK,      R2_WHITE,       R2_NOP,         R2_NOT,
                                  R2_COPYPEN,    R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                  R2_MASKPEN,    R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
  return mode <= pmNotXor ? codes[mode] : R2_COPYPEN;
}

// ---- TBrush ----------------------------------------------------------------

TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}

void TBrush::Changed() { TGraphicsObject::Changed(); }

void TBrush::Modified(bool handleChanges) {
  DeleteAfter old{handleChanges ? std::exchange(FHandle, nullptr) : nullptr};
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!FHandle) {
    LOGBRUSH lb{};
    lb.lbColor = static_cast<COLORREF>(ColorToRGB(FColor));
    switch (FStyle) {
      case bsSolid: lb.lbStyle = BS_SOLID; break;
      case bsClear: lb.lbStyle = BS_HOLLOW; break;
      default:
        static constexpr int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<ULONG_PTR>(hatches[FStyle - bsHorizontal]);
        break;
    }
    FHandle = CreateBrushIndirect(&lb);
  }
  return FHandle;
}

void TBrush::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  // A clear brush paints nothing, but its colour is still the background
  // colour of the DC, so the canvas must hear of it.
  Modified(true);
}

void TBrush::SetStyle(TBrushStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Modified(true);
}

void TBrush::Assign(const TPersistent& source) {
  auto* brush = dynamic_cast<const TBrush*>(&source);
  if (!brush) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (brush == this) return;
  bool handleChanges = FColor != brush->FColor || FStyle != brush->FStyle;
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  Modified(handleChanges);
}
