#include "skin/forms/hints/HintTemplateFile.h"
#include "platform/classes/TextEncoding.h"
#include <algorithm>
#include <cstring>
#include <windows.h>

namespace {
constexpr char kSignature[4] = {'A', 'S', 'h', 'h'};
constexpr uint8_t kPngKind = '1';
constexpr uint8_t kBmpKind = '0';
// The reader's room for a font name.
constexpr int32_t kMaxFontName = 63;

void PutByte(TStream& s, uint8_t v) { s.WriteBuffer(&v, 1); }
void PutInt(TStream& s, int32_t v) {
  const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  s.WriteBuffer(b, 4);
}
// Top, Left, Right, Bottom: the file's order.
void PutSizes(TStream& s, const TacBordersSizes& sizes) {
  PutInt(s, sizes.FTop);
  PutInt(s, sizes.FLeft);
  PutInt(s, sizes.FRight);
  PutInt(s, sizes.FBottom);
}

void PutImage(TStream& s, TacHintImage& image) {
  TacBorderDrawModes& modes = image.BorderDrawModes();
  for (uint8_t mode : {modes.FTop, modes.FLeft, modes.FRight, modes.FBottom, modes.FCenter}) PutByte(s, mode);
  PutSizes(s, image.BordersWidths());
  PutSizes(s, image.ClientMargins());
  PutSizes(s, image.ShadowSizes());
  TMemoryStream& data = image.ImgData();
  if (data.Size() > 0) {
    PutByte(s, kPngKind);
    PutInt(s, static_cast<int32_t>(data.Size()));
    s.WriteBuffer(data.Memory(), data.Size());
  } else {
    const std::string bmp = image.HasPicture() ? image.Image()->SaveToBmpBytes() : std::string();
    PutByte(s, kBmpKind);
    PutInt(s, static_cast<int32_t>(bmp.size()));
    if (!bmp.empty()) s.WriteBuffer(bmp.data(), static_cast<int64_t>(bmp.size()));
  }
}

// Reads from a block of bytes; every take fails rather than pass the end.
class TByteReader {
public:
  TByteReader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  size_t Left() const { return FSize - FPos; }
  bool AtEnd() const { return FPos >= FSize; }
  bool Byte(uint8_t& v) {
    if (Left() < 1) return false;
    v = FData[FPos++];
    return true;
  }
  bool Int(int32_t& v) {
    if (Left() < 4) return false;
    const uint8_t* b = FData + FPos;
    v = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    FPos += 4;
    return true;
  }
  // A count read from the file: never negative, never past the end.
  bool Bytes(int32_t count, std::string& out) {
    if (count < 0 || static_cast<size_t>(count) > Left()) return false;
    out.assign(reinterpret_cast<const char*>(FData + FPos), static_cast<size_t>(count));
    FPos += static_cast<size_t>(count);
    return true;
  }

private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
};

// The font name's bytes in the ANSI code page the writer used.
String AnsiToText(const std::string& bytes) {
  if (bytes.empty()) return String();
  String text(bytes.size(), u'\0');
  const int n = MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    reinterpret_cast<LPWSTR>(&text[0]), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(n, 0)));
  return text;
}

bool TakeSizes(TByteReader& r, TacBordersSizes& sizes) {
  return r.Int(sizes.FTop) && r.Int(sizes.FLeft) && r.Int(sizes.FRight) && r.Int(sizes.FBottom);
}

bool TakeImage(TByteReader& r, TacHintImage& image) {
  TacBorderDrawModes& modes = image.BorderDrawModes();
  if (!r.Byte(modes.FTop) || !r.Byte(modes.FLeft) || !r.Byte(modes.FRight) || !r.Byte(modes.FBottom) ||
      !r.Byte(modes.FCenter))
    return false;
  if (!TakeSizes(r, image.BordersWidths()) || !TakeSizes(r, image.ClientMargins()) ||
      !TakeSizes(r, image.ShadowSizes()))
    return false;
  uint8_t kind = 0;
  int32_t length = 0;
  std::string data;
  if (!r.Byte(kind) || !r.Int(length) || !r.Bytes(length, data)) return false;
  image.ImgData().Clear();
  image.Image()->LoadFromBmpBytes(std::string());
  if (data.empty()) return true;  // a record without a picture
  try {
    if (kind == kBmpKind) {
      TBitmap bmp;
      bmp.LoadFromBmpBytes(data);
      image.Image()->Assign(bmp);
    } else {
      image.ImgData().Write(data.data(), static_cast<int64_t>(data.size()));
      image.ImgData().SetPosition(0);
      image.Image()->LoadFromStream(image.ImgData());
      image.ImgData().SetPosition(0);
    }
  } catch (const Exception&) {
    return false;
  }
  return true;
}
}  // namespace

void WriteHintTemplate(TacHintTemplate& Template, TMemoryStream& Stream) {
  Stream.SetSize(0);
  Stream.SetPosition(0);
  Stream.WriteBuffer(kSignature, 4);
  PutByte(Stream, Template.Img_RightTop() ? '1' : '0');
  TFont* font = Template.Font();
  PutInt(Stream, font->Color() < 0 ? 0 : font->Color());
  PutInt(Stream, font->Size());
  PutByte(Stream, font->Style().Bits());
  const std::string name = EncodeText(font->Name(), TTextEncoding::ANSI);
  PutInt(Stream, static_cast<int32_t>(name.size()));
  if (!name.empty()) Stream.WriteBuffer(name.data(), static_cast<int64_t>(name.size()));
  PutImage(Stream, *Template.ImageDefault());
  TacHintImage* rightTop = Template.Img_RightTop();
  if (rightTop && (rightTop->HasPicture() || rightTop->ImgData().Size() > 0)) {
    PutImage(Stream, *rightTop);
    PutImage(Stream, *Template.Img_RightBottom());
    PutImage(Stream, *Template.Img_LeftBottom());
  }
}

THintFileResult ReadHintTemplate(TMemoryStream& Stream, TacHintTemplate& Target) {
  TByteReader r(static_cast<const uint8_t*>(Stream.Memory()), static_cast<size_t>(Stream.Size()));
  std::string signature;
  if (!r.Bytes(4, signature) || std::memcmp(signature.data(), kSignature, 4) != 0)
    return THintFileResult::UnknownFormat;
  uint8_t flag = 0, style = 0;
  int32_t color = 0, size = 0, nameLength = 0;
  std::string name;
  if (!r.Byte(flag) || !r.Int(color) || !r.Int(size) || !r.Byte(style) || !r.Int(nameLength))
    return THintFileResult::Damaged;
  if (nameLength > kMaxFontName || !r.Bytes(nameLength, name)) return THintFileResult::Damaged;
  TFont* font = Target.Font();
  font->SetColor(color < 0 ? 0 : color);
  font->SetSize(size);
  font->SetStyle(TFontStyles::FromBits(style));
  font->SetName(AnsiToText(name));
  if (!TakeImage(r, *Target.ImageDefault())) return THintFileResult::Damaged;
  if (flag == '1' && !r.AtEnd()) {
    for (int index : {3, 2, 1})
      if (!TakeImage(r, *Target.Images(index))) return THintFileResult::Damaged;
  }
  return THintFileResult::Ok;
}
