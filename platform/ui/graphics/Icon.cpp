#include "platform/ui/graphics/Icon.h"
#include "platform/classes/Streams.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void Invalid(const char16_t* reason) { throw EInvalidGraphic(String(u"Icon image is not valid: ") + reason); }

uint16_t U16(const std::string& d, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(d[at]) | (static_cast<uint8_t>(d[at + 1]) << 8));
}
uint32_t U32(const std::string& d, size_t at) { return U16(d, at) | (static_cast<uint32_t>(U16(d, at + 2)) << 16); }
uint32_t BigEndian32(const std::string& d, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(d[at])) << 24 | static_cast<uint32_t>(static_cast<uint8_t>(d[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(d[at + 2])) << 8 | static_cast<uint8_t>(d[at + 3]);
}
void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

struct IcoEntry {
  int Width, Height, BitCount;
  uint32_t Size, Offset;
};

// Checks that the image of an entry holds everything its header promises.
void CheckImage(const std::string& data, const IcoEntry& e) {
  if (e.Size >= 8 && std::memcmp(data.data() + e.Offset, "\x89PNG\r\n\x1a\n", 8) == 0) {
    // The system decodes it, sized by its header: a forged size would have
    // it allocate gigabytes, so the header is held to the limits below.
    if (e.Size < 24 || std::memcmp(data.data() + e.Offset + 12, "IHDR", 4) != 0) Invalid(u"bad image header");
    const uint32_t w = BigEndian32(data, e.Offset + 16), h = BigEndian32(data, e.Offset + 20);
    if (w == 0 || w > 1024 || h == 0 || h > 1024) Invalid(u"bad image size");
    return;
  }
  if (e.Size < 40 || U32(data, e.Offset) < 40) Invalid(u"bad image header");
  int32_t w = static_cast<int32_t>(U32(data, e.Offset + 4));
  int32_t h2 = static_cast<int32_t>(U32(data, e.Offset + 8));
  uint16_t bits = U16(data, e.Offset + 14);
  uint32_t colors = U32(data, e.Offset + 32);
  if (w <= 0 || w > 1024 || h2 <= 0 || h2 > 2048) Invalid(u"bad image size");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid(u"bad bit count");
  if (U32(data, e.Offset + 16) != 0) Invalid(u"unsupported compression");
  uint64_t h = static_cast<uint64_t>(h2) / 2;
  uint64_t palette = bits <= 8 ? (colors ? colors : (1u << bits)) : 0;
  if (palette > 256) Invalid(u"bad colour count");
  uint64_t xorStride = ((static_cast<uint64_t>(w) * bits + 31) / 32) * 4;
  uint64_t andStride = ((static_cast<uint64_t>(w) + 31) / 32) * 4;
  uint64_t need = U32(data, e.Offset) + palette * 4 + (xorStride + andStride) * h;
  if (need > e.Size) Invalid(u"truncated image");
}

}  // namespace

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::SetWidth(int value) {
  if (value != FWidth) throw EInvalidGraphicOperation(u"Cannot change the size of an icon");
}

void TIcon::SetHeight(int value) {
  if (value != FHeight) throw EInvalidGraphicOperation(u"Cannot change the size of an icon");
}

void TIcon::Replace(HICON handle, std::string data) {
  if (FHandle && FHandle != handle) DestroyIcon(FHandle);
  FHandle = handle;
  FData = std::move(data);
  FWidth = FHeight = 0;
  ICONINFO info{};
  if (FHandle && GetIconInfo(FHandle, &info)) {
    BITMAP bm{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm)) {
      FWidth = bm.bmWidth;
      FHeight = bm.bmHeight;
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof bm, &bm)) {
      FWidth = bm.bmWidth;
      FHeight = bm.bmHeight / 2;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
}

void TIcon::SetHandle(HICON value) {
  if (value == FHandle) return;
  Replace(value, {});
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON handle = FHandle;
  FHandle = nullptr;
  FWidth = FHeight = 0;
  FData.clear();
  return handle;
}

void TIcon::LoadFromIcoBytes(const std::string& data) {
  if (data.size() < 6 || U16(data, 0) != 0 || U16(data, 2) != 1) Invalid(u"not an icon file");
  uint16_t count = U16(data, 4);
  if (count == 0) Invalid(u"no images");
  if (data.size() < 6 + 16 * static_cast<size_t>(count)) Invalid(u"truncated directory");
  const int want = GetSystemMetrics(SM_CXICON) > 0 ? GetSystemMetrics(SM_CXICON) : 32;
  const IcoEntry* best = nullptr;
  std::vector<IcoEntry> entries;
  for (int i = 0; i < count; ++i) {
    size_t at = 6 + 16 * static_cast<size_t>(i);
    uint8_t w = static_cast<uint8_t>(data[at]);
    uint8_t h = static_cast<uint8_t>(data[at + 1]);
    IcoEntry e{w ? w : 256, h ? h : 256, U16(data, at + 6), U32(data, at + 8), U32(data, at + 12)};
    if (e.Offset > data.size() || e.Size > data.size() - e.Offset || e.Size == 0) Invalid(u"image out of the file");
    entries.push_back(e);
  }
  for (const IcoEntry& e : entries) {
    if (!best) {
      best = &e;
      continue;
    }
    int d = std::abs(e.Width - want);
    int bestD = std::abs(best->Width - want);
    if (d < bestD || (d == bestD && e.BitCount > best->BitCount)) best = &e;
  }
  CheckImage(data, *best);
  HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(data.data())) + best->Offset,
                                        best->Size, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
  if (!icon) Invalid(u"the system could not read the image");
  Replace(icon, data);
  Changed();
}

std::string TIcon::SaveToIcoBytes() const {
  if (!FHandle) return {};
  if (!FData.empty()) return FData;
  ICONINFO info{};
  if (!GetIconInfo(FHandle, &info)) throw EInvalidGraphicOperation(u"Cannot read the icon");
  const int w = FWidth, h = FHeight;
  const bool color = info.hbmColor != nullptr;
  const int bits = color ? 32 : 1;
  const uint32_t xorStride = ((static_cast<uint32_t>(w) * bits + 31) / 32) * 4;
  const uint32_t andStride = ((static_cast<uint32_t>(w) + 31) / 32) * 4;
  std::string xorBits(static_cast<size_t>(xorStride) * h, '\0');
  std::string maskBits(static_cast<size_t>(andStride) * (color ? h : 2 * h), '\0');
  HDC dc = CreateCompatibleDC(nullptr);
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } bi{};
  bi.Header.biSize = sizeof(BITMAPINFOHEADER);
  bi.Header.biWidth = w;
  bi.Header.biPlanes = 1;
  bi.Header.biCompression = BI_RGB;
  if (color) {
    bi.Header.biHeight = h;
    bi.Header.biBitCount = 32;
    GetDIBits(dc, info.hbmColor, 0, h, xorBits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    bi.Header.biBitCount = 1;
    GetDIBits(dc, info.hbmMask, 0, h, maskBits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  } else {
    // A monochrome icon's mask holds both halves: XOR below AND, which is
    // already the order of the file's rows (bottom-up).
    bi.Header.biHeight = 2 * h;
    bi.Header.biBitCount = 1;
    GetDIBits(dc, info.hbmMask, 0, 2 * h, maskBits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  }
  DeleteDC(dc);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);

  std::string image;
  Put32(image, 40);
  Put32(image, static_cast<uint32_t>(w));
  Put32(image, static_cast<uint32_t>(2 * h));
  Put16(image, 1);
  Put16(image, static_cast<uint16_t>(bits));
  Put32(image, BI_RGB);
  Put32(image, static_cast<uint32_t>(xorBits.size() + maskBits.size()));
  Put32(image, 0);
  Put32(image, 0);
  Put32(image, color ? 0 : 2);
  Put32(image, 0);
  if (!color) {
    Put32(image, 0x000000);
    Put32(image, 0xFFFFFF);
  }
  if (color) image += xorBits;
  image += maskBits;

  std::string out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<char>(w >= 256 ? 0 : w));
  out.push_back(static_cast<char>(h >= 256 ? 0 : h));
  out.push_back(static_cast<char>(color ? 0 : 2));
  out.push_back(0);
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(bits));
  Put32(out, static_cast<uint32_t>(image.size()));
  Put32(out, 22);
  return out + image;
}

void TIcon::LoadFromStream(TStream& stream) {
  int64_t start = stream.Position();
  int64_t available = stream.Size() - start;
  std::string bytes(static_cast<size_t>(available > 0 ? available : 0), '\0');
  if (available > 0) stream.ReadBuffer(bytes.data(), available);
  // The file ends with its last image.
  if (bytes.size() >= 6 && U16(bytes, 0) == 0 && U16(bytes, 2) == 1) {
    size_t end = 6 + 16 * static_cast<size_t>(U16(bytes, 4));
    for (size_t i = 0; i < U16(bytes, 4) && 6 + 16 * (i + 1) <= bytes.size(); ++i) {
      size_t at = 6 + 16 * i;
      end = std::max<size_t>(end, static_cast<size_t>(U32(bytes, at + 12)) + U32(bytes, at + 8));
    }
    if (end <= bytes.size()) {
      bytes.resize(end);
      stream.SetPosition(start + static_cast<int64_t>(end));
    }
  }
  LoadFromIcoBytes(bytes);
}

void TIcon::SaveToStream(TStream& stream) {
  std::string bytes = SaveToIcoBytes();
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const String& name) {
  HICON icon = static_cast<HICON>(
      LoadImageW(instance, reinterpret_cast<LPCWSTR>(name.c_str()), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!icon) throw EInvalidGraphic(u"Resource " + name + u" not found");
  SetHandle(icon);
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id) {
  HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!icon) throw EInvalidGraphic(u"Icon resource not found");
  SetHandle(icon);
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(*this);
  copy->SetModified(false);
  return copy;
}

void TIcon::Assign(const TPersistent& source) {
  auto* icon = dynamic_cast<const TIcon*>(&source);
  if (!icon) {
    TGraphic::Assign(source);
    return;
  }
  if (icon == this) return;
  Replace(icon->FHandle ? CopyIcon(icon->FHandle) : nullptr, icon->FData);
  Changed();
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
  if (!FHandle) return;
  DrawIconEx(canvas.Handle(), rect.Left, rect.Top, FHandle, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}
