#pragma once
// The platform-independent values a recorded page keeps: colours, points,
// rectangles, and the pen, brush and font records of a graphic object.
#include "platform/rtl/String.h"
#include <cstdint>
#include <vector>

class TRLGraphicObject;
class TRLRecordReader;
class TRLRecordWriter;

struct TRLMetaColor {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  bool operator==(const TRLMetaColor& o) const { return Red == o.Red && Green == o.Green && Blue == o.Blue; }
  bool operator!=(const TRLMetaColor& o) const { return !(*this == o); }
};

struct TRLMetaRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const TRLMetaRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
  bool operator!=(const TRLMetaRect& o) const { return !(*this == o); }
};

struct TRLMetaPoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TRLMetaPoint& o) const { return X == o.X && Y == o.Y; }
  bool operator!=(const TRLMetaPoint& o) const { return !(*this == o); }
};

using TRLMetaPointArray = std::vector<TRLMetaPoint>;

// Record codes; the canvas conversions map them from and to the platform.
namespace RLMeta {
// Pen modes 1..16 (5 copy), pen styles 1 solid .. 7 inside frame.
constexpr uint8_t PenModeCopy = 5;
constexpr uint8_t PenStyleSolid = 1;
constexpr uint8_t PenStyleClear = 6;
// Brush styles 1 solid, 2 clear, 3..8 hatches.
constexpr uint8_t BrushStyleSolid = 1;
constexpr uint8_t BrushStyleClear = 2;
// Font pitch 1 default, 2 variable, 3 fixed.
constexpr uint8_t PitchDefault = 1;
// Text alignment 1 left, 2 right, 3 centre, 4 justified.
constexpr uint8_t AlignLeft = 1;
constexpr uint8_t AlignRight = 2;
constexpr uint8_t AlignCenter = 3;
constexpr uint8_t AlignJustify = 4;
// Text layout 1 top, 2 bottom, 3 centre.
constexpr uint8_t LayoutTop = 1;
constexpr uint8_t LayoutBottom = 2;
constexpr uint8_t LayoutCenter = 3;
// Text flags: drawn at its origin without clipping; not to be cut when a
// band is split.
constexpr uint16_t TextFlagNoClip = 1;
constexpr uint16_t TextFlagKeepWhole = 4;
}  // namespace RLMeta

class TRLMetaPen {
public:
  explicit TRLMetaPen(TRLGraphicObject* AUser) : FUser(AUser) {}
  TRLMetaPen(const TRLMetaPen&) = delete;
  TRLMetaPen& operator=(const TRLMetaPen&) = delete;

  TRLMetaColor Color() const { return FColor; }
  void SetColor(TRLMetaColor AValue) { FColor = AValue; }
  uint8_t Mode() const { return FMode; }
  void SetMode(uint8_t AValue) { FMode = AValue; }
  uint8_t Style() const { return FStyle; }
  void SetStyle(uint8_t AValue) { FStyle = AValue; }
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t AValue) { FWidth = AValue; }

  void Assign(const TRLMetaPen& AObject);
  // 0 stays 0; any other width scales, at least 1.
  void Inflate(double AFactor);
  void SaveToStream(TRLRecordWriter& AStream) const;
  void LoadFromStream(TRLRecordReader& AStream);

private:
  TRLGraphicObject* FUser;
  TRLMetaColor FColor;
  uint8_t FMode = RLMeta::PenModeCopy;
  uint8_t FStyle = RLMeta::PenStyleSolid;
  int32_t FWidth = 0;
};

class TRLMetaBrush {
public:
  explicit TRLMetaBrush(TRLGraphicObject* AUser) : FUser(AUser) {}
  TRLMetaBrush(const TRLMetaBrush&) = delete;
  TRLMetaBrush& operator=(const TRLMetaBrush&) = delete;

  TRLMetaColor Color() const { return FColor; }
  void SetColor(TRLMetaColor AValue) { FColor = AValue; }
  uint8_t Style() const { return FStyle; }
  void SetStyle(uint8_t AValue) { FStyle = AValue; }

  void Assign(const TRLMetaBrush& AObject);
  void SaveToStream(TRLRecordWriter& AStream) const;
  void LoadFromStream(TRLRecordReader& AStream);

private:
  TRLGraphicObject* FUser;
  TRLMetaColor FColor;
  uint8_t FStyle = RLMeta::BrushStyleSolid;
};

// The face name lives in the Fonts list of the user's surface; the font
// keeps its index there.
class TRLMetaFont {
public:
  explicit TRLMetaFont(TRLGraphicObject* AUser) : FUser(AUser) {}
  TRLMetaFont(const TRLMetaFont&) = delete;
  TRLMetaFont& operator=(const TRLMetaFont&) = delete;

  int32_t PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t AValue) { FPixelsPerInch = AValue; }
  uint8_t Charset() const { return FCharset; }
  void SetCharset(uint8_t AValue) { FCharset = AValue; }
  TRLMetaColor Color() const { return FColor; }
  void SetColor(TRLMetaColor AValue) { FColor = AValue; }
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t AValue) { FHeight = AValue; }
  // Raises EListError when the index lies outside the surface's list.
  String Name() const;
  void SetName(const String& AValue);
  int32_t NameId() const { return FNameId; }
  void SetNameId(int32_t AValue) { FNameId = AValue; }
  uint8_t Pitch() const { return FPitch; }
  void SetPitch(uint8_t AValue) { FPitch = AValue; }
  int32_t Size() const { return FSize; }
  void SetSize(int32_t AValue) { FSize = AValue; }
  uint8_t Style() const { return FStyle; }
  void SetStyle(uint8_t AValue) { FStyle = AValue; }

  void Assign(const TRLMetaFont& AObject);
  void SaveToStream(TRLRecordWriter& AStream) const;
  void LoadFromStream(TRLRecordReader& AStream);

private:
  TRLGraphicObject* FUser;
  int32_t FPixelsPerInch = 72;
  uint8_t FCharset = 0;
  TRLMetaColor FColor;
  int32_t FHeight = 0;
  int32_t FNameId = 0;
  uint8_t FPitch = RLMeta::PitchDefault;
  int32_t FSize = 0;
  uint8_t FStyle = 0;
};
