#pragma once
// Pen, brush and font: persistent descriptions of GDI objects that create
// their handle on first use and tell their owner (OnChange) when they change,
// so a canvas reselects them and a control repaints.
#include "platform/classes/Component.h"
#include "platform/ui/graphics/Colors.h"
#include <windows.h>
#include <cstdint>
#include <functional>
#include <initializer_list>

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TGraphicsObject : public TPersistent {
public:
  TNotifyEvent OnChange;

protected:
  // Called after every effective change; raises OnChange.
  virtual void Changed();
};

// ---- Font ----------------------------------------------------------------

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles; its bits (1 bold, 2 italic, 4 underline,
// 8 strike-out) are also the stored form.
class TFontStyles {
public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles) FBits |= Bit(s);
  }
  static constexpr TFontStyles FromBits(uint8_t bits) {
    TFontStyles r;
    r.FBits = bits & 0x0F;
    return r;
  }
  constexpr uint8_t Bits() const { return FBits; }
  constexpr bool Contains(TFontStyle s) const { return (FBits & Bit(s)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TFontStyles& Include(TFontStyle s) { FBits |= Bit(s); return *this; }
  constexpr TFontStyles& Exclude(TFontStyle s) { FBits &= static_cast<uint8_t>(~Bit(s)); return *this; }
  constexpr TFontStyles operator+(TFontStyles o) const { return FromBits(FBits | o.FBits); }
  constexpr TFontStyles operator-(TFontStyles o) const { return FromBits(FBits & ~o.FBits); }
  constexpr TFontStyles operator*(TFontStyles o) const { return FromBits(FBits & o.FBits); }
  constexpr bool operator==(TFontStyles o) const { return FBits == o.FBits; }
  constexpr bool operator!=(TFontStyles o) const { return FBits != o.FBits; }

private:
  static constexpr uint8_t Bit(TFontStyle s) { return static_cast<uint8_t>(1u << s); }
  uint8_t FBits = 0;
};

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

// Logical pixels per inch of the screen (LOGPIXELSY), read once.
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
public:
  TFont();
  ~TFont() override;

  // The HFONT for the current description; created on first use and owned
  // by the font. A change of any property but Color frees it, after OnChange
  // has run, so whoever had it selected can put it back first.
  HFONT Handle();
  // Takes ownership of an existing font and reads its description.
  void SetHandle(HFONT value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  const String& Name() const { return FName; }
  void SetName(const String& value);
  // Points, derived from Height and PixelsPerInch.
  int Size() const;
  void SetSize(int value);
  // Pixels; negative for the character height, positive for the cell height.
  int Height() const { return FHeight; }
  void SetHeight(int value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch value);
  // Angle of the baseline in tenths of a degree.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int value);
  // The resolution Size is reckoned in; storing it changes neither Height
  // nor the handle.
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }

  // Copies a TFont; when the resolutions differ the point size is kept.
  void Assign(const TPersistent& source) override;

protected:
  void Changed() override;

private:
  void Modified(bool handleChanges);

  HFONT FHandle = nullptr;
  String FName;
  int FHeight = 0;
  int FPixelsPerInch = 96;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FOrientation = 0;
};

// ---- Pen -----------------------------------------------------------------

enum TPenStyle : uint8_t {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};
enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
  TPen() = default;
  ~TPen() override;

  HPEN Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  // Raster mode applied by the canvas (SetROP2); not part of the handle.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode value);

  void Assign(const TPersistent& source) override;

protected:
  void Changed() override;

private:
  void Modified(bool handleChanges);

  HPEN FHandle = nullptr;
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

// Win32 R2_xxx code of a pen mode.
int PenModeToRop2(TPenMode mode);

// ---- Brush ---------------------------------------------------------------

enum TBrushStyle : uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

class TBrush : public TGraphicsObject {
public:
  TBrush() = default;
  ~TBrush() override;

  HBRUSH Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);

  void Assign(const TPersistent& source) override;

protected:
  void Changed() override;

private:
  void Modified(bool handleChanges);

  HBRUSH FHandle = nullptr;
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};
