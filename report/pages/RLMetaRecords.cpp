#include "report/pages/RLMetaRecords.h"
#include "report/pages/RLGraphicObjects.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLRecordStream.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include <algorithm>

namespace {
void WriteColor(TRLRecordWriter& w, TRLMetaColor c) {
  w.WriteByte(c.Red);
  w.WriteByte(c.Green);
  w.WriteByte(c.Blue);
}

TRLMetaColor ReadColor(TRLRecordReader& r) {
  TRLMetaColor c;
  c.Red = r.ReadByte();
  c.Green = r.ReadByte();
  c.Blue = r.ReadByte();
  return c;
}
}  // namespace

void TRLMetaPen::Assign(const TRLMetaPen& AObject) {
  FColor = AObject.FColor;
  FMode = AObject.FMode;
  FStyle = AObject.FStyle;
  FWidth = AObject.FWidth;
}

void TRLMetaPen::Inflate(double AFactor) {
  if (FWidth == 0) return;
  FWidth = std::max<int32_t>(1, static_cast<int32_t>(Round(FWidth * AFactor)));
}

void TRLMetaPen::SaveToStream(TRLRecordWriter& AStream) const {
  WriteColor(AStream, FColor);
  AStream.WriteByte(FMode);
  AStream.WriteByte(FStyle);
  AStream.WriteInt32(FWidth);
}

void TRLMetaPen::LoadFromStream(TRLRecordReader& AStream) {
  FColor = ReadColor(AStream);
  FMode = AStream.ReadByte();
  FStyle = AStream.ReadByte();
  FWidth = AStream.ReadInt32();
}

void TRLMetaBrush::Assign(const TRLMetaBrush& AObject) {
  FColor = AObject.FColor;
  FStyle = AObject.FStyle;
}

void TRLMetaBrush::SaveToStream(TRLRecordWriter& AStream) const {
  WriteColor(AStream, FColor);
  AStream.WriteByte(FStyle);
}

void TRLMetaBrush::LoadFromStream(TRLRecordReader& AStream) {
  FColor = ReadColor(AStream);
  FStyle = AStream.ReadByte();
}

String TRLMetaFont::Name() const {
  TStringList* fonts = FUser->Surface()->Fonts();
  if (FNameId < 0 || FNameId >= fonts->Count())
    throw EListError(u"List index out of bounds (" + IntToStr(FNameId) + u")");
  return fonts->Strings(FNameId);
}

void TRLMetaFont::SetName(const String& AValue) { FNameId = FUser->Surface()->FontNameIndex(AValue); }

void TRLMetaFont::Assign(const TRLMetaFont& AObject) {
  FPixelsPerInch = AObject.FPixelsPerInch;
  FCharset = AObject.FCharset;
  FColor = AObject.FColor;
  FHeight = AObject.FHeight;
  // Through the name, so a copy on another surface gets that surface's index.
  if (AObject.FUser->Surface() == FUser->Surface())
    FNameId = AObject.FNameId;
  else
    FNameId = FUser->Surface()->FontNameIndexFrom(*AObject.FUser->Surface(), AObject.FNameId);
  FPitch = AObject.FPitch;
  FSize = AObject.FSize;
  FStyle = AObject.FStyle;
}

void TRLMetaFont::SaveToStream(TRLRecordWriter& AStream) const {
  AStream.WriteInt32(FPixelsPerInch);
  AStream.WriteByte(FCharset);
  WriteColor(AStream, FColor);
  AStream.WriteInt32(FHeight);
  AStream.WriteInt32(FNameId);
  AStream.WriteByte(FPitch);
  AStream.WriteInt32(FSize);
  AStream.WriteByte(FStyle);
}

void TRLMetaFont::LoadFromStream(TRLRecordReader& AStream) {
  FPixelsPerInch = AStream.ReadInt32();
  FCharset = AStream.ReadByte();
  FColor = ReadColor(AStream);
  FHeight = AStream.ReadInt32();
  FNameId = AStream.ReadInt32();
  FPitch = AStream.ReadByte();
  FSize = AStream.ReadInt32();
  FStyle = AStream.ReadByte();
}
