// Pages of the page file's versions 1 and 2: fixed 120-byte object records
// and a string table, converted from and to surface records.
#include "report/pages/RLCanvasConvert.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLPageFile.h"
#include "report/pages/RLRecordStream.h"
#include "report/pages/RLStreamSource.h"
#include "report/pages/RLUtils.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include <algorithm>
#include <cstring>

namespace {
constexpr size_t RecordSize = 120;

// Kind codes of the legacy records.
enum LegacyKind : uint8_t {
  lkPixel = 0,
  lkLine = 1,
  lkRectangle = 2,
  lkTextNoClip = 3,
  lkTextClipped = 4,
  lkFillRect = 5,
  lkImage = 6,
  lkImageToo = 7,
  lkEllipse = 8,
  lkPolygon = 9,
  lkPolyline = 10,
  lkSetClip = 11,
  lkResetClip = 12,
};

// One 120-byte record, read or written field by field.
class TLegacyRecord {
public:
  TLegacyRecord() { std::memset(FBytes, 0, sizeof FBytes); }
  explicit TLegacyRecord(std::string_view ABytes) { std::memcpy(FBytes, ABytes.data(), RecordSize); }

  int32_t Int(size_t AAt) const { return TRLRecordReader(std::string_view(FBytes + AAt, 4)).ReadInt32(); }
  uint8_t Byte(size_t AAt) const { return static_cast<uint8_t>(FBytes[AAt]); }
  void SetInt(size_t AAt, int32_t AValue) {
    uint32_t v = static_cast<uint32_t>(AValue);
    for (int i = 0; i < 4; ++i) FBytes[AAt + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }
  void SetByte(size_t AAt, uint8_t AValue) { FBytes[AAt] = static_cast<char>(AValue); }
  std::string_view Bytes() const { return {FBytes, RecordSize}; }

  TRLMetaRect Bounds() const { return {Int(0), Int(4), Int(8), Int(12)}; }
  TRLMetaColor Color(size_t AAt) const { return EncodeMetaColor(static_cast<TColor>(Int(AAt))); }

private:
  char FBytes[RecordSize];
};

void ReadPen(const TLegacyRecord& r, TRLMetaPen* pen) {
  pen->SetColor(r.Color(40));
  uint8_t mode = r.Byte(44), style = r.Byte(45);
  pen->SetMode(mode <= 15 ? static_cast<uint8_t>(mode + 1) : RLMeta::PenModeCopy);
  pen->SetStyle(style <= 6 ? static_cast<uint8_t>(style + 1) : RLMeta::PenStyleSolid);
  pen->SetWidth(r.Int(48));
}

void ReadBrush(const TLegacyRecord& r, TRLMetaBrush* brush) {
  brush->SetColor(r.Color(56));
  uint8_t style = r.Byte(60);
  brush->SetStyle(style <= 7 ? static_cast<uint8_t>(style + 1) : RLMeta::BrushStyleSolid);
}

void WritePen(TLegacyRecord& r, const TRLMetaPen* pen) {
  r.SetByte(36, 1);
  r.SetInt(40, DecodeMetaColor(pen->Color()));
  r.SetByte(44, (pen->Mode() >= 1 && pen->Mode() <= 16) ? static_cast<uint8_t>(pen->Mode() - 1) : 4);
  r.SetByte(45, (pen->Style() >= 2 && pen->Style() <= 7) ? static_cast<uint8_t>(pen->Style() - 1) : 0);
  r.SetInt(48, pen->Width());
}

void WriteBrush(TLegacyRecord& r, const TRLMetaBrush* brush) {
  r.SetByte(52, 1);
  r.SetInt(56, DecodeMetaColor(brush->Color()));
  r.SetByte(60, (brush->Style() >= 2 && brush->Style() <= 8) ? static_cast<uint8_t>(brush->Style() - 1) : 0);
}

TRLMetaPointArray UnpackPoints(const std::string& AText) {
  TRLRecordReader reader(AText);
  TRLMetaPointArray points(AText.size() / 8);
  for (TRLMetaPoint& p : points) {
    p.X = reader.ReadInt32();
    p.Y = reader.ReadInt32();
  }
  return points;
}

std::string PackPoints(const TRLMetaPointArray& APoints) {
  TRLRecordWriter writer;
  for (const TRLMetaPoint& p : APoints) {
    writer.WriteInt32(p.X);
    writer.WriteInt32(p.Y);
  }
  return writer.Data();
}

const std::string& StringAt(const std::vector<std::string>& AStrings, int32_t AIndex) {
  if (AIndex < 0 || static_cast<size_t>(AIndex) >= AStrings.size())
    throw EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")");
  return AStrings[static_cast<size_t>(AIndex)];
}

// What the objects of a page may copy out of its string table: each string
// once, and a little more for each record. Records that all name one long
// string would otherwise multiply it many times over.
struct TStringBudget {
  int64_t Left;
  const std::string& Take(const std::string& AText) {
    if (static_cast<int64_t>(AText.size()) > Left) RaiseReadError();
    Left -= static_cast<int64_t>(AText.size());
    return AText;
  }
};
constexpr int64_t BudgetPerRecord = 1024;

void ReadLegacyObject(TRLGraphicSurface& surface, const TLegacyRecord& r, const std::vector<std::string>& strings,
                      TStringBudget& budget, TRect& clip, std::vector<TRect>& clipStack) {
  switch (r.Byte(28)) {
    case lkPixel: {
      auto* pixel = new TRLPixelObject(&surface);
      pixel->SetBoundsRect(r.Bounds());
      pixel->SetColor(r.Color(32));
      break;
    }
    case lkLine: {
      auto* line = new TRLLineObject(&surface);
      TRLMetaPoint from{r.Int(0), r.Int(4)}, to{r.Int(8), r.Int(12)};
      line->SetFromPoint(from);
      line->SetToPoint(to);
      line->SetBoundsRect({std::min(from.X, to.X), std::min(from.Y, to.Y), std::max(from.X, to.X),
                           std::max(from.Y, to.Y)});
      ReadPen(r, line->Pen());
      break;
    }
    case lkRectangle:
    case lkEllipse: {
      TRLPenBrushObject* shape = r.Byte(28) == lkRectangle ? static_cast<TRLPenBrushObject*>(new TRLRectangleObject(&surface))
                                                           : new TRLEllipseObject(&surface);
      shape->SetBoundsRect(r.Bounds());
      ReadPen(r, shape->Pen());
      ReadBrush(r, shape->Brush());
      break;
    }
    case lkTextNoClip:
    case lkTextClipped: {
      const std::string& text = budget.Take(StringAt(strings, r.Int(112)));
      String fontName = FromAnsiText(StringAt(strings, r.Int(104)));
      auto* object = new TRLTextObject(&surface);
      object->SetBoundsRect(r.Bounds());
      object->SetText(text);
      object->SetOrigin({r.Int(16), r.Int(20)});
      object->SetAlignment(static_cast<uint8_t>(r.Byte(116) + 1));
      object->SetLayout(RLMeta::LayoutTop);
      bool noClip = r.Byte(117) != 0 || r.Byte(28) == lkTextNoClip;
      object->SetTextFlags(noClip ? 5 : 4);
      ReadBrush(r, object->Brush());
      TRLMetaFont* font = object->Font();
      font->SetPixelsPerInch(96);
      font->SetCharset(r.Byte(93));
      font->SetColor(r.Color(72));
      font->SetHeight(r.Int(76));
      font->SetName(fontName);
      uint8_t pitch = r.Byte(80);
      font->SetPitch(pitch == 1 ? 2 : pitch == 2 ? 3 : 1);
      font->SetSize(-static_cast<int32_t>(Round(r.Int(76) * 72.0 / 96)));
      font->SetStyle(r.Byte(92));
      break;
    }
    case lkFillRect: {
      auto* fill = new TRLFillRectObject(&surface);
      fill->SetBoundsRect(r.Bounds());
      ReadBrush(r, fill->Brush());
      break;
    }
    case lkImage:
    case lkImageToo: {
      const std::string& bytes = budget.Take(StringAt(strings, r.Int(112)));
      auto* image = new TRLImageObject(&surface);
      image->SetBoundsRect(r.Bounds());
      image->SetParity(false);
      int32_t dataKind = r.Int(24);
      image->SetData(dataKind == 0 ? "BMP" + bytes : dataKind == 2 ? "ICO" + bytes : std::string("NIL"));
      break;
    }
    case lkPolygon:
    case lkPolyline: {
      TRLMetaPointArray points = UnpackPoints(budget.Take(StringAt(strings, r.Int(112))));
      if (r.Byte(28) == lkPolygon) {
        auto* polygon = new TRLPolygonObject(&surface);
        polygon->SetBoundsRect(r.Bounds());
        polygon->SetPoints(points);
        ReadPen(r, polygon->Pen());
        ReadBrush(r, polygon->Brush());
      } else {
        auto* polyline = new TRLPolylineObject(&surface);
        polyline->SetBoundsRect(r.Bounds());
        polyline->SetPoints(points);
        ReadPen(r, polyline->Pen());
      }
      break;
    }
    case lkSetClip: {
      clipStack.push_back(clip);
      clip = DecodeMetaRect(r.Bounds());
      (new TRLSetClipRectObject(&surface))->SetBoundsRect(r.Bounds());
      break;
    }
    case lkResetClip: {
      if (!clipStack.empty()) {
        clip = clipStack.back();
        clipStack.pop_back();
      }
      (new TRLResetClipRectObject(&surface))->SetBoundsRect(EncodeMetaRect(clip));
      break;
    }
    default:
      break;
  }
}
}  // namespace

void ReadLegacyPageRecord(TRLGraphicStorage* AStorage, TRLStreamSource& ASource, TRLRecordWriter& ATarget) {
  TRLGraphicSurface surface;
  surface.SetWidth(ASource.ReadInt32());
  surface.SetHeight(ASource.ReadInt32());
  surface.SetOrientation(AStorage->Orientation());
  surface.SetPaperHeight(AStorage->PaperHeight());
  surface.SetPaperWidth(AStorage->PaperWidth());
  TRect clip(0, 0, surface.Width(), surface.Height());
  std::vector<TRect> clipStack;

  auto readCount = [&](int64_t minBytes) {
    int32_t count = ASource.ReadInt32();
    if (count < 0 || count * minBytes > ASource.Remaining()) RaiseReadError();
    return count;
  };
  std::vector<std::string> strings(static_cast<size_t>(readCount(4)));
  TStringBudget budget{0};
  for (std::string& s : strings) {
    int32_t length = ASource.ReadInt32();
    if (length > 0) s = std::string(ASource.Read(length));
    budget.Left += static_cast<int64_t>(s.size());
  }
  int32_t records = readCount(static_cast<int64_t>(RecordSize));
  budget.Left += records * BudgetPerRecord;
  for (int32_t i = 0; i < records; ++i) {
    TLegacyRecord record(ASource.Read(static_cast<int64_t>(RecordSize)));
    ReadLegacyObject(surface, record, strings, budget, clip, clipStack);
  }
  surface.SaveToRecord(ATarget);
}

void WriteLegacyPageRecord(std::string_view ASurfaceRecord, TRLRecordWriter& ATarget) {
  TRLGraphicSurface surface;
  surface.LoadFromRecord(ASurfaceRecord);
  std::vector<std::string> strings;
  std::vector<TLegacyRecord> records;
  records.reserve(static_cast<size_t>(surface.ObjectCount()));
  auto addString = [&](std::string s) {
    strings.push_back(std::move(s));
    return static_cast<int32_t>(strings.size() - 1);
  };
  for (int i = 0; i < surface.ObjectCount(); ++i) {
    TRLGraphicObject* object = surface.Objects(i);
    TLegacyRecord r;
    const TRLMetaRect& b = object->BoundsRect();
    r.SetInt(0, b.Left);
    r.SetInt(4, b.Top);
    r.SetInt(8, b.Right);
    r.SetInt(12, b.Bottom);
    r.SetInt(112, -1);
    switch (object->Kind()) {
      case RLKind::Pixel:
        r.SetByte(28, lkPixel);
        // Where the reader takes the pixel's colour from.
        r.SetInt(32, DecodeMetaColor(static_cast<TRLPixelObject*>(object)->Color()));
        break;
      case RLKind::Line: {
        auto* line = static_cast<TRLLineObject*>(object);
        r.SetByte(28, lkLine);
        r.SetInt(0, line->FromPoint().X);
        r.SetInt(4, line->FromPoint().Y);
        r.SetInt(8, line->ToPoint().X);
        r.SetInt(12, line->ToPoint().Y);
        WritePen(r, line->Pen());
        break;
      }
      case RLKind::Rectangle:
      case RLKind::Ellipse: {
        auto* shape = static_cast<TRLPenBrushObject*>(object);
        r.SetByte(28, object->Kind() == RLKind::Rectangle ? lkRectangle : lkEllipse);
        WritePen(r, shape->Pen());
        WriteBrush(r, shape->Brush());
        break;
      }
      case RLKind::Text: {
        auto* text = static_cast<TRLTextObject*>(object);
        bool noClip = (text->TextFlags() & RLMeta::TextFlagNoClip) != 0;
        r.SetByte(28, noClip ? lkTextNoClip : lkTextClipped);
        r.SetInt(16, text->Origin().X);
        r.SetInt(20, text->Origin().Y);
        r.SetInt(112, addString(text->Text()));
        std::string face = StringToAnsi(text->Font()->Name());
        auto same = std::find_if(strings.begin(), strings.end(),
                                 [&](const std::string& s) { return SameText(FromAnsiText(s), FromAnsiText(face)); });
        r.SetInt(104, same != strings.end() ? static_cast<int32_t>(same - strings.begin()) : addString(face));
        WriteBrush(r, text->Brush());
        const TRLMetaFont* font = text->Font();
        r.SetByte(64, 1);
        r.SetInt(72, DecodeMetaColor(font->Color()));
        r.SetInt(76, font->Height());
        r.SetByte(80, font->Pitch() == 2 ? 1 : font->Pitch() == 3 ? 2 : 0);
        r.SetByte(92, font->Style());
        r.SetByte(93, font->Charset());
        r.SetByte(116, static_cast<uint8_t>(text->Alignment() - 1));
        r.SetByte(117, noClip ? 1 : 0);
        break;
      }
      case RLKind::FillRect:
        r.SetByte(28, lkFillRect);
        WriteBrush(r, static_cast<TRLFillRectObject*>(object)->Brush());
        break;
      case RLKind::Image: {
        const std::string& data = static_cast<TRLImageObject*>(object)->Data();
        r.SetByte(28, lkImage);
        r.SetInt(24, data.compare(0, 3, "ICO") == 0 ? 2 : 0);
        r.SetInt(112, addString(data.size() > 3 ? data.substr(3) : std::string()));
        break;
      }
      case RLKind::Polygon: {
        auto* polygon = static_cast<TRLPolygonObject*>(object);
        r.SetByte(28, lkPolygon);
        WritePen(r, polygon->Pen());
        WriteBrush(r, polygon->Brush());
        r.SetInt(112, addString(PackPoints(polygon->Points())));
        break;
      }
      case RLKind::Polyline: {
        auto* polyline = static_cast<TRLPolylineObject*>(object);
        r.SetByte(28, lkPolyline);
        WritePen(r, polyline->Pen());
        r.SetInt(112, addString(PackPoints(polyline->Points())));
        break;
      }
      case RLKind::SetClipRect: r.SetByte(28, lkSetClip); break;
      case RLKind::ResetClipRect: r.SetByte(28, lkResetClip); break;
      default: continue;
    }
    records.push_back(r);
  }
  ATarget.WriteInt32(surface.Width());
  ATarget.WriteInt32(surface.Height());
  ATarget.WriteInt32(static_cast<int32_t>(strings.size()));
  for (const std::string& s : strings) ATarget.WriteString(s);
  ATarget.WriteInt32(static_cast<int32_t>(records.size()));
  for (const TLegacyRecord& r : records) ATarget.WriteBytes(r.Bytes());
}

void ReadLegacyPage(TRLGraphicStorage* AStorage, TStream& ASource, TStream& ATarget) {
  TRLStreamSource source(ASource);
  TRLRecordWriter target;
  ReadLegacyPageRecord(AStorage, source, target);
  source.Finish();
  ATarget.WriteBuffer(target.Data().data(), static_cast<int64_t>(target.Size()));
}

void WriteLegacyPage(TStream& ASource, TStream& ATarget) {
  TRLGraphicSurface surface;
  surface.LoadFromStream(ASource);
  TRLRecordWriter record;
  surface.SaveToRecord(record);
  TRLRecordWriter target;
  WriteLegacyPageRecord(record.Data(), target);
  ATarget.WriteBuffer(target.Data().data(), static_cast<int64_t>(target.Size()));
}
