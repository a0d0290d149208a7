// The image parts of a skin: the master bitmap, the parts its options text
// describes, the image files they name and the outer-effect masks.
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinOptionsReader.h"
#include "skin/engine/SkinPacked.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/JpegDecode.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/Pixels32.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/graphics/GraphicErrors.h"
#include <algorithm>

namespace {
const String GlobalInfo = u"GLOBALINFO";

// Fixed-position number of a value: positions count from 1; a field that
// holds no number, or lies past the end, raises EConvertError.
int Field(const String& Value, int Pos, int Len) {
  const size_t from = static_cast<size_t>(Pos - 1);
  return StrToInt(from < Value.size() ? StringView(Value).substr(from, static_cast<size_t>(Len)) : StringView());
}

TRect FieldRect(const String& Value) {
  return TRect(Field(Value, 2, 4), Field(Value, 7, 4), Field(Value, 12, 4), Field(Value, 17, 4));
}

// A frame count or a mask division that is zero would divide by zero.
int Divide(int A, int B) {
  if (B == 0) throw EDivByZero(u"Division by zero");
  return A / B;
}

int WordInt(int N, const String& Value, const TSysCharSet& Delims) {
  return StrToIntDef(NthWord(N, Value, Delims), 0);
}

bool Contains(const String& Text, const char16_t* Part) { return Text.find(Part) != String::npos; }

// 32 bits with alpha 255, key pixels alpha 0.
void MakeOpaque32(TBitmap& Bmp) {
  if (Bmp.PixelFormat() == pf32bit || Bmp.Width() <= 0 || Bmp.Height() <= 0) return;
  Force32Bit(Bmp);
  TPixelRows rows(&Bmp);
  for (int y = 0; y < rows.Height(); ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = 0; x < rows.Width(); ++x) {
      const uint32_t rgb = row[x] & 0x00FFFFFFu;
      row[x] = rgb == KeyPixel ? KeyPixel : rgb | 0xFF000000u;
    }
  }
}

std::string StreamBytes(TStream& Stream) {
  Stream.SetPosition(0);
  std::string bytes(static_cast<size_t>(Stream.Size()), '\0');
  if (!bytes.empty()) Stream.ReadBuffer(&bytes[0], static_cast<int64_t>(bytes.size()));
  return bytes;
}

void LoadJpeg(TBitmap& Bmp, const std::string& Bytes, const String& Name) {
  TJpegPixels jpeg;
  const std::string error = DecodeJpeg(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size(), jpeg);
  if (!error.empty()) throw EInvalidGraphic(Name + u": " + Utf8ToString(error));
  Bmp.SetPixelFormat(pf32bit);
  Bmp.SetSize(jpeg.Width, jpeg.Height);
  TPixelRows rows(&Bmp);
  for (int y = 0; y < jpeg.Height; ++y) {
    const uint32_t* src = jpeg.Pixels.data() + static_cast<size_t>(y) * jpeg.Width;
    uint32_t* row = rows.Row(y);
    for (int x = 0; x < jpeg.Width; ++x) row[x] = src[x] == KeyPixel ? KeyPixel : src[x] | 0xFF000000u;
  }
}

// The grey "BLUR5" image: one quarter, mirrored both ways.
constexpr uint8_t Blur5Quarter[10][10] = {
    {255, 254, 253, 250, 247, 243, 238, 235, 233, 232}, {254, 251, 246, 237, 226, 214, 203, 195, 190, 188},
    {253, 246, 234, 216, 194, 172, 155, 144, 137, 135}, {250, 237, 216, 187, 155, 128, 108, 96, 89, 87},
    {247, 226, 194, 155, 115, 86, 69, 58, 52, 51},      {243, 214, 172, 128, 86, 61, 51, 51, 51, 51},
    {238, 203, 155, 108, 69, 51, 51, 51, 51, 51},       {235, 195, 144, 96, 58, 51, 51, 51, 51, 51},
    {233, 190, 137, 89, 52, 51, 51, 51, 51, 51},        {232, 188, 135, 87, 51, 51, 51, 51, 51, 51}};
constexpr int Blur5Size = 19;

uint8_t Blur5(int x, int y) { return Blur5Quarter[y < 10 ? y : 18 - y][x < 10 ? x : 18 - x]; }
}  // namespace

int TsSkinManager::MakeNewItem(int SkinIndex, const String& PropertyName, const String& AClassName,
                               TacImgType ImgType, const TRect& R, int Count, int DrawMode, int16_t MaskType) {
  TsMaskData md;
  md.PropertyName = PropertyName;
  md.ClassName = AClassName;
  md.SkinIndex = SkinIndex;
  md.DrawMode = static_cast<int16_t>(DrawMode);
  md.MaskType = MaskType;
  md.ImgType = ImgType;
  md.ImageCount = static_cast<int16_t>(Count);
  md.Manager = this;
  md.R = R;
  Model.ma.push_back(md);
  return static_cast<int>(Model.ma.size()) - 1;
}

TBitmap* TsSkinManager::LoadExternalImage(const String& FileName, TStream* Stream) {
  String path;
  if (!Stream) {
    path = Contains(FileName, u":") ? FileName : Model.CommonSkinData->SkinPath + FileName;
    if (!FileExists(path)) return nullptr;
  }
  TacExtFileData entry;
  entry.FileName = FileName;
  entry.Bmp = new TBitmap();
  Model.ExtArray.push_back(entry);  // owned by the model from here on
  TBitmap& bmp = *entry.Bmp;
  std::unique_ptr<TMemoryStream> file;
  if (!Stream) {
    file = std::make_unique<TMemoryStream>();
    file->LoadFromFile(path);
    Stream = file.get();
  }
  Stream->SetPosition(0);
  if (Contains(FileName, u".BMP")) {
    bmp.LoadFromBmpBytes(StreamBytes(*Stream));
  } else if (Contains(FileName, u".JPG") || Contains(FileName, u".JPEG")) {
    LoadJpeg(bmp, StreamBytes(*Stream), FileName);
  } else if (Contains(FileName, u".PNG")) {
    LoadPngStream(bmp, *Stream);
    if (FBrightness <= 0 && Model.CommonSkinData->Version >= 7.45) PremultiplyRect(bmp, BmpRect(bmp));
  }
  MakeOpaque32(bmp);
  return &bmp;
}

TBitmap* TsSkinManager::FindSkinImage(const String& FileName) {
  if (TBitmap* known = GetExtImage(FileName)) return known;
  if (Model.SkinIsPacked) {
    TacImageItem* item = SkinPackage ? SkinPackage->FindFile(FileName) : nullptr;
    return item ? LoadExternalImage(FileName, item->FileStream.get()) : nullptr;
  }
  return LoadExternalImage(FileName, nullptr);
}

void TsSkinManager::LoadAllMasks() {
  Model.ClearImageParts();
  if (SkinOptions) {
    const TacSkinIni& ini = *SkinOptions;
    Model.CommonSkinData->Version = ReadSkinVersion(ini);
    // The master bitmap.
    const String name = ini.ReadString(GlobalInfo, u"MASTERBITMAP", String());
    Model.MasterBitmap = std::make_unique<TBitmap>();
    TBitmap& master = *Model.MasterBitmap;
    if (Model.SkinIsPacked) {
      // Found whatever the letter case of the entry or of the name.
      if (TacImageItem* item = SkinPackage && !name.empty() ? SkinPackage->FindFile(name) : nullptr)
        master.LoadFromBmpBytes(StreamBytes(*item->FileStream));
    } else if (!name.empty()) {
      const String path = Contains(name, u":") ? name : Model.CommonSkinData->SkinPath + name;
      if (FileExists(path)) {
        TMemoryStream file;
        file.LoadFromFile(path);
        master.LoadFromBmpBytes(StreamBytes(file));
      }
    }
    MakeOpaque32(master);
    master.SetTransparentColor(KeyColor);
    master.SetHandleType(bmDIB);

    const TSysCharSet bang = CharSet("!"), tilde = CharSet("~");
    const auto& sections = ini.Sections();
    for (size_t s = 0; s < sections.size(); ++s) {
      const int section = static_cast<int>(s);
      const String& className = sections[s].Name;
      const bool global = className == GlobalInfo;
      for (const auto& entry : sections[s].Entries) {
        if (global && entry.Key == u"MASTERBITMAP") continue;
        const String value = UpperCase(entry.Value);
        if (value.empty()) continue;
        const String& key = entry.Key;
        switch (value[0]) {
          case u'@':
            MakeNewItem(section, key, className, itisaGlyph, FieldRect(value), Field(value, 22, 1), 0,
                        static_cast<int16_t>(Field(value, 24, 1)));
            break;
          case u'^': {
            const int count = Field(value, 42, 1), maskType = Field(value, 44, 1);
            const int i = MakeNewItem(section, key, className, itisaGlyph, FieldRect(value), count,
                                      Field(value, 46, 1), static_cast<int16_t>(maskType));
            TsMaskData& md = Model.ma[static_cast<size_t>(i)];
            md.WL = static_cast<int16_t>(Field(value, 22, 4));
            md.WT = static_cast<int16_t>(Field(value, 27, 4));
            md.WR = static_cast<int16_t>(Field(value, 32, 4));
            md.WB = static_cast<int16_t>(Field(value, 37, 4));
            md.BorderWidth = static_cast<int16_t>(Field(value, 48, 1));
            if (md.WL + md.WT + md.WR + md.WB == 0) {
              if (md.BorderWidth != 0) {
                md.WL = md.WT = md.WR = md.WB = md.BorderWidth;
              } else {
                md.WL = md.WR = static_cast<int16_t>(Divide(WidthOfRect(md.R), count * 3));
                md.WT = md.WB = static_cast<int16_t>(Divide(HeightOfRect(md.R), maskType * 3 + 3));
              }
            }
            md.CornerType = DetectCornerType(md);
            break;
          }
          case u'~': {
            const int maskType = value.size() < 25 ? 0 : Field(value, 25, 1);
            const int i = MakeNewItem(section, key, className, itisaTexture, FieldRect(value), 1,
                                      Field(value, 22, 2), static_cast<int16_t>(maskType));
            if (value.size() > 26) {
              TBitmap* image = FindSkinImage(NthWord(7, value, tilde));
              Model.ma[static_cast<size_t>(i)].Bmp = image;
            }
            break;
          }
          default: {
            const bool isBang = value[0] == u'!';
            if (!isBang && !Contains(value, u".JPG") && !Contains(value, u".BMP")) break;
            const bool hasBang = Contains(value, u"!");
            TBitmap* image = FindSkinImage(hasBang ? NthWord(1, value, bang) : value);
            if (!image || image->Width() == 0) break;
            const TRect r(0, 0, image->Width(), image->Height());
            int i;
            if (hasBang) {
              const int type = std::clamp(WordInt(4, value, bang), 0, 4);
              i = MakeNewItem(section, key, className, static_cast<TacImgType>(type), r, WordInt(2, value, bang), 0,
                              static_cast<int16_t>(WordInt(3, value, bang)));
            } else {
              i = MakeNewItem(section, key, className, itisaTexture, r, 1, 0, 0);
            }
            TsMaskData& md = Model.ma[static_cast<size_t>(i)];
            md.Bmp = image;
            // The brightness keeps the mask half of a masked image file.
            for (auto& ext : Model.ExtArray)
              if (ext.Bmp == image && md.MaskType != 0) ext.MaskType = md.MaskType;
            const int words = hasBang ? CountWords(value, bang) : 1;
            if (words >= 5) {
              md.WL = static_cast<int16_t>(WordInt(5, value, bang));
              md.WT = static_cast<int16_t>(WordInt(6, value, bang));
              md.WR = static_cast<int16_t>(WordInt(7, value, bang));
              md.WB = static_cast<int16_t>(WordInt(8, value, bang));
            } else {
              md.WL = md.WR = static_cast<int16_t>(Divide(image->Width(), md.ImageCount * 3));
              md.WT = md.WB = static_cast<int16_t>(Divide(image->Height(), (md.MaskType + 1) * 3));
            }
            md.DrawMode = static_cast<int16_t>(words >= 9 ? WordInt(9, value, bang) : 0);
            if (md.ImgType == itisaBorder) md.CornerType = DetectCornerType(md);
            break;
          }
        }
      }
    }
  }
  LoadCommonSectionImages();
}

void TsSkinManager::LoadCommonSectionImages() {
  if (FCommonSections->Count() == 0) return;
  const TacSkinIni common(FCommonSections->Text());
  for (const auto& section : common.Sections()) {
    const String className = UpperCase(section.Name);
    if (className == GlobalInfo) continue;
    for (const auto& entry : section.Entries) {
      String value = AnsiUpperCase(entry.Value.empty() ? String(u"-") : entry.Value);
      if (!Contains(value, u".BMP")) continue;
      if (!Contains(value, u":")) value = Model.CommonSkinData->SkinPath + value;
      if (!FileExists(value)) continue;
      auto bmp = std::make_unique<TBitmap>();
      TMemoryStream file;
      file.LoadFromFile(value);
      bmp->LoadFromBmpBytes(StreamBytes(file));
      if (bmp->Width() < 1) continue;
      MakeOpaque32(*bmp);
      const int i = MakeNewItem(0, UpperCase(entry.Key), className, itisaBorder, TRect(), 0, 0, 0);
      Model.ma[static_cast<size_t>(i)].Bmp = bmp.release();
    }
  }
}

void TsSkinManager::MakeOuterEffectMask(TacOutEffData& Effect, const String& Key) {
  if (Effect.Source == 0) {
    Effect.Mask = -1;
    return;
  }
  if (Effect.Source == 1) {
    const String value = SkinOptions ? SkinOptions->ReadString(GlobalInfo, Key, String()) : String();
    if (value.empty()) {
      Effect.Mask = -1;
      return;
    }
    const int i = MakeNewItem(0, Key, GlobalInfo, itisaBorder, FieldRect(value), Field(value, 42, 1),
                              Field(value, 46, 1), static_cast<int16_t>(Field(value, 44, 1)));
    TsMaskData& md = Model.ma[static_cast<size_t>(i)];
    md.WL = static_cast<int16_t>(Field(value, 22, 4));
    md.WT = static_cast<int16_t>(Field(value, 27, 4));
    md.WR = static_cast<int16_t>(Field(value, 32, 4));
    md.WB = static_cast<int16_t>(Field(value, 37, 4));
    md.BorderWidth = static_cast<int16_t>(Field(value, 48, 1));
    Effect.Mask = i;
    return;
  }
  constexpr int W = Blur5Size, H = W / 2;
  for (int32_t* width : {&Effect.WidthL, &Effect.WidthT, &Effect.WidthR, &Effect.WidthB})
    if (*width == -1) *width = H;
  const int i = MakeNewItem(0, Key, GlobalInfo, itisaBorder, TRect(0, 0, W, 2 * W), 1, 1, 1);
  auto bmp = NewBmp32(W, 2 * W);
  TCanvas& canvas = *bmp->Canvas();
  const auto fill = [&](TColor color, const TRect& r) {
    canvas.Brush()->SetColor(color);
    canvas.FillRect(r);
  };
  const auto triangle = [&](TColor color, TPoint a, TPoint b, TPoint c) {
    canvas.Brush()->SetColor(color);
    canvas.Pen()->SetColor(color);
    canvas.Polygon({a, b, c});
  };
  fill(Effect.ColorT, TRect(0, 0, W, H));
  fill(Effect.ColorB, TRect(0, H, W, W));
  triangle(Effect.ColorL, TPoint(0, 1), TPoint(H - 1, H), TPoint(0, W - 2));
  triangle(Effect.ColorR, TPoint(W - 1, 1), TPoint(H + 1, H), TPoint(W - 1, W - 2));
  GdiFlush();
  TPixelRows rows(bmp.get());
  for (int y = 0; y < W; ++y)
    for (int x = 0; x < W; ++x) rows.At(x, W + y) = Blur5(x, y) * 0x010101u;
  TsMaskData& md = Model.ma[static_cast<size_t>(i)];
  md.Bmp = bmp.release();
  md.BorderWidth = md.WL = md.WT = md.WR = md.WB = H;
  Effect.Mask = i;
}
