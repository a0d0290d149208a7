#include "platform/ui/graphics/Bitmap.h"
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/BmpFormat.h"
#include <algorithm>
#include <cstring>

namespace {

int BitCountOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    case pf32bit:
    case pfDevice: return 32;
    default: throw EInvalidGraphicOperation(u"Unsupported pixel format");
  }
}

TPixelFormat FormatOfBitCount(int bits) {
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

constexpr uint32_t Quad(uint32_t r, uint32_t g, uint32_t b) { return (r << 16) | (g << 8) | b; }

// Black and white; the 16 VGA colours; for 8 bits those, a 6x6x6 colour
// cube and a ramp of greys.
std::vector<uint32_t> DefaultPalette(int bitCount) {
  if (bitCount == 1) return {Quad(0, 0, 0), Quad(255, 255, 255)};
  std::vector<uint32_t> p = {Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
                             Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
                             Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
                             Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
  if (bitCount == 4) return p;
  for (uint32_t r = 0; r < 6; ++r)
    for (uint32_t g = 0; g < 6; ++g)
      for (uint32_t b = 0; b < 6; ++b) p.push_back(Quad(r * 51, g * 51, b * 51));
  for (uint32_t i = 1; i <= 24; ++i) p.push_back(Quad(i * 10, i * 10, i * 10));
  return p;
}

struct Section {
  HBITMAP Handle;
  void* Bits;
};

Section CreateSection(int width, int height, int bitCount, const std::vector<uint32_t>& palette) {
  struct {
    BITMAPINFOHEADER Header;
    uint32_t Colors[256];
  } info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = width;
  info.Header.biHeight = height;
  info.Header.biPlanes = 1;
  info.Header.biBitCount = static_cast<WORD>(bitCount);
  info.Header.biCompression = BI_RGB;
  info.Header.biClrUsed = static_cast<DWORD>(std::min<size_t>(palette.size(), 256));
  std::copy_n(palette.begin(), info.Header.biClrUsed, info.Colors);
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle || !bits) throw EOutOfResources(u"Out of system resources");
  return {handle, bits};
}

// A memory DC with a bitmap selected, for GDI copies between bitmaps.
class MemoryDC {
public:
  explicit MemoryDC(HBITMAP bitmap) : FDC(CreateCompatibleDC(nullptr)) {
    if (!FDC) throw EOutOfResources(u"Out of system resources");
    FOld = SelectObject(FDC, bitmap);
  }
  ~MemoryDC() {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC DC() const { return FDC; }

private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace

// The bitmap's canvas draws through a memory DC created on first use and
// dropped whenever the bitmap's handle changes.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  ~TBitmapCanvas() override { FreeHandle(); }

  void FreeHandle() override {
    if (!FDC) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    FDC = nullptr;
    FOldBitmap = nullptr;
  }

protected:
  void CreateHandle() override {
    FDC = CreateCompatibleDC(nullptr);
    if (!FDC) throw EOutOfResources(u"Out of system resources");
    if (FBitmap->FHandle) FOldBitmap = SelectObject(FDC, FBitmap->FHandle);
    SetHandle(FDC);
  }

private:
  TBitmap* FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FHandle) DeleteObject(FHandle);
}

bool TBitmap::Empty() const { return FHandle == nullptr; }

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TBitmapCanvas>(this);
    FCanvas->OnChange = [this](TObject*) { Changed(); };
  }
  return FCanvas.get();
}

void TBitmap::FreeContext() {
  if (FCanvas) static_cast<TBitmapCanvas*>(FCanvas.get())->FreeHandle();
}

void TBitmap::Dormant() { FreeContext(); }

void TBitmap::ReplaceHandle(HBITMAP handle, void* bits, int width, int height) {
  FreeContext();
  if (FHandle) DeleteObject(FHandle);
  FHandle = handle;
  FBits = bits;
  // A bitmap with one side 0 has no handle yet keeps the other side, so that
  // setting the width and then the height gives that size.
  FWidth = width;
  FHeight = height;
}

void TBitmap::Reformat(int width, int height, TPixelFormat format) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  int bits = BitCountOf(format);
  std::vector<uint32_t> palette;
  bool sameBits = FHandle && BitCountOf(FPixelFormat) == bits;
  bool keepPalette = BitCountOf(FPixelFormat) == bits && !FPalette.empty();
  if (bits <= 8) palette = keepPalette ? FPalette : DefaultPalette(bits);
  if (width == 0 || height == 0) {
    ReplaceHandle(nullptr, nullptr, width, height);
    FPixelFormat = format;
    FPalette = std::move(palette);
    return;
  }
  FreeContext();
  Section section = CreateSection(width, height, bits, palette);
  GdiFlush();
  int stride = DibRowStride(width, bits);
  auto* dest = static_cast<uint8_t*>(section.Bits);
  if (format == pfDevice) {
    std::fill_n(reinterpret_cast<uint32_t*>(dest), static_cast<size_t>(width) * height, 0x00FFFFFFu);
  } else {
    std::memset(dest, 0, static_cast<size_t>(stride) * height);
  }
  if (FHandle) {
    int w = std::min(width, FWidth);
    int h = std::min(height, FHeight);
    if (sameBits) {
      int oldStride = RowStride();
      size_t bytes = (static_cast<size_t>(w) * bits + 7) / 8;
      auto* source = static_cast<const uint8_t*>(FBits);
      for (int y = 0; y < h; ++y)
        std::memcpy(dest + static_cast<size_t>(height - 1 - y) * stride,
                    source + static_cast<size_t>(FHeight - 1 - y) * oldStride, bytes);
    } else {
      MemoryDC from(FHandle);
      MemoryDC to(section.Handle);
      BitBlt(to.DC(), 0, 0, w, h, from.DC(), 0, 0, SRCCOPY);
      GdiFlush();
    }
  }
  ReplaceHandle(section.Handle, section.Bits, width, height);
  FPixelFormat = format;
  FPalette = std::move(palette);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  Reformat(width, height, FPixelFormat);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == FPixelFormat) return;
  BitCountOf(value);
  Reformat(FWidth, FHeight, value);
  Changed();
}

void TBitmap::SetPalette(HPALETTE value) {
  if (!value) return;
  PALETTEENTRY entries[256] = {};
  UINT count = GetPaletteEntries(value, 0, 256, entries);
  DeleteObject(value);
  int bits = BitCountOf(FPixelFormat);
  if (bits > 8) return;
  std::vector<uint32_t> table(size_t{1} << bits, 0);
  for (UINT i = 0; i < count && i < table.size(); ++i)
    table[i] = Quad(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  FPalette = std::move(table);
  if (FHandle) {
    FreeContext();
    MemoryDC dc(FHandle);
    SetDIBColorTable(dc.DC(), 0, static_cast<UINT>(FPalette.size()), reinterpret_cast<const RGBQUAD*>(FPalette.data()));
  }
  Changed();
}

TBitmapHandleType TBitmap::HandleType() const { return FPixelFormat == pfDevice ? bmDDB : bmDIB; }

void TBitmap::SetHandleType(TBitmapHandleType value) {
  if (value == HandleType()) return;
  // The device format is already held as a 32-bit section: only the name
  // changes when it becomes device-independent.
  if (value == bmDIB)
    FPixelFormat = pf32bit;
  else
    SetPixelFormat(pfDevice);
}

void TBitmap::SetMonochrome(bool value) {
  if (value == Monochrome()) return;
  SetPixelFormat(value ? pf1bit : pfDevice);
}

int TBitmap::RowStride() const { return DibRowStride(FWidth, BitCountOf(FPixelFormat)); }

void* TBitmap::ScanLine(int row) {
  if (!FHandle || row < 0 || row >= FHeight) throw EInvalidGraphicOperation(u"Scan line index out of range");
  GdiFlush();
  return static_cast<uint8_t*>(FBits) + static_cast<size_t>(FHeight - 1 - row) * RowStride();
}

void TBitmap::SetHandle(HBITMAP value) {
  if (value == FHandle) return;
  if (!value) {
    ReplaceHandle(nullptr, nullptr, 0, 0);
    Changed();
    return;
  }
  DIBSECTION ds{};
  int got = GetObjectW(value, sizeof ds, &ds);
  int bits = ds.dsBmih.biBitCount;
  bool usable = got == sizeof(DIBSECTION) && ds.dsBm.bmBits && ds.dsBmih.biHeight > 0 &&
                ds.dsBmih.biCompression == BI_RGB && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32);
  if (usable) {
    std::vector<uint32_t> palette;
    if (bits <= 8) {
      palette.resize(1u << bits);
      MemoryDC dc(value);
      UINT n = GetDIBColorTable(dc.DC(), 0, static_cast<UINT>(palette.size()), reinterpret_cast<RGBQUAD*>(palette.data()));
      palette.resize(std::max<UINT>(n, 1));
    }
    ReplaceHandle(value, ds.dsBm.bmBits, ds.dsBm.bmWidth, ds.dsBm.bmHeight);
    FPixelFormat = FormatOfBitCount(bits);
    FPalette = std::move(palette);
  } else {
    BITMAP bm{};
    if (!GetObjectW(value, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
      throw EInvalidGraphic(u"Bitmap image is not valid: not a bitmap handle");
    TPixelFormat format = bm.bmBitsPixel == 1 ? pf1bit : pfDevice;
    int bitCount = BitCountOf(format);
    Section section = CreateSection(bm.bmWidth, bm.bmHeight, bitCount, bitCount == 1 ? DefaultPalette(1) : std::vector<uint32_t>{});
    {
      MemoryDC from(value);
      MemoryDC to(section.Handle);
      BitBlt(to.DC(), 0, 0, bm.bmWidth, bm.bmHeight, from.DC(), 0, 0, SRCCOPY);
      GdiFlush();
    }
    DeleteObject(value);
    ReplaceHandle(section.Handle, section.Bits, bm.bmWidth, bm.bmHeight);
    FPixelFormat = format;
    FPalette = bitCount == 1 ? DefaultPalette(1) : std::vector<uint32_t>{};
  }
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  FreeContext();
  HBITMAP handle = FHandle;
  FHandle = nullptr;
  FBits = nullptr;
  FWidth = FHeight = 0;
  return handle;
}

TColor TBitmap::TransparentColor() {
  TColor color;
  if (FTransparentColor == clDefault) {
    if (Monochrome())
      color = clWhite;
    else if (Empty())
      color = clBlack;
    else
      color = Canvas()->Pixels(0, FHeight - 1);
  } else {
    color = ColorToRGB(FTransparentColor);
  }
  return color | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor value) {
  if (value == FTransparentColor) return;
  FTransparentColor = value;
  FTransparentMode = value == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == FTransparentMode) return;
  if (value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor() & 0xFFFFFF);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const String& name) {
  auto handle = static_cast<HBITMAP>(
      LoadImageW(instance, reinterpret_cast<LPCWSTR>(name.c_str()), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle) throw EInvalidGraphic(u"Resource " + name + u" not found");
  SetHandle(handle);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  auto handle = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle) throw EInvalidGraphic(u"Bitmap resource not found");
  SetHandle(handle);
}

void TBitmap::LoadFromBmpBytes(const std::string& bytes) {
  if (bytes.empty()) {
    ReplaceHandle(nullptr, nullptr, 0, 0);
    Changed();
    return;
  }
  TDibPixels pixels = ReadBmp(bytes);
  Section section = CreateSection(pixels.Width, pixels.Height, pixels.BitCount, pixels.Palette);
  std::memcpy(section.Bits, pixels.Bits.data(), pixels.Bits.size());
  ReplaceHandle(section.Handle, section.Bits, pixels.Width, pixels.Height);
  FPixelFormat = FormatOfBitCount(pixels.BitCount);
  FPalette = std::move(pixels.Palette);
  Changed();
}

std::string TBitmap::SaveToBmpBytes() {
  if (Empty()) return {};
  GdiFlush();
  TDibPixels pixels;
  pixels.Width = FWidth;
  pixels.Height = FHeight;
  pixels.BitCount = BitCountOf(FPixelFormat);
  pixels.Palette = FPalette;
  pixels.Bits.assign(static_cast<const char*>(FBits), static_cast<size_t>(RowStride()) * FHeight);
  return WriteBmp(pixels);
}

void TBitmap::LoadFromStream(TStream& stream) {
  int64_t start = stream.Position();
  int64_t available = stream.Size() - start;
  if (available <= 0) {
    LoadFromBmpBytes({});
    return;
  }
  std::string bytes(static_cast<size_t>(available), '\0');
  stream.ReadBuffer(bytes.data(), available);
  size_t consumed = 0;
  ReadBmp(bytes, &consumed);  // validates and measures before anything changes
  bytes.resize(consumed);
  stream.SetPosition(start + static_cast<int64_t>(consumed));
  LoadFromBmpBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) {
  std::string bytes = SaveToBmpBytes();
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TBitmap::CopyFrom(const TBitmap& source) {
  if (source.Empty()) {
    ReplaceHandle(nullptr, nullptr, source.FWidth, source.FHeight);
  } else {
    GdiFlush();
    int bits = BitCountOf(source.FPixelFormat);
    Section section = CreateSection(source.FWidth, source.FHeight, bits, source.FPalette);
    std::memcpy(section.Bits, source.FBits, static_cast<size_t>(source.RowStride()) * source.FHeight);
    ReplaceHandle(section.Handle, section.Bits, source.FWidth, source.FHeight);
  }
  FPixelFormat = source.FPixelFormat;
  FPalette = source.FPalette;
  FTransparentColor = source.FTransparentColor;
  FTransparentMode = source.FTransparentMode;
}

void TBitmap::Assign(const TPersistent& source) {
  auto* bitmap = dynamic_cast<const TBitmap*>(&source);
  if (!bitmap) {
    TGraphic::Assign(source);
    return;
  }
  if (bitmap == this) return;
  CopyFrom(*bitmap);
  if (Transparent() != bitmap->Transparent())
    SetTransparent(bitmap->Transparent());
  else
    Changed();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(*this);
  copy->SetModified(false);
  return copy;
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  if (Empty()) return;
  HDC dest = canvas.Handle();
  HDC source = Canvas()->Handle();
  // A monochrome bitmap draws in the destination's text (0) and background
  // (1) colours, as a monochrome device bitmap would.
  const bool mono = FPixelFormat == pf1bit;
  if (mono) {
    auto quad = [](COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; };
    RGBQUAD colors[2] = {quad(GetTextColor(dest)), quad(::GetBkColor(dest))};
    SetDIBColorTable(source, 0, 2, colors);
  }
  if (Transparent()) {
    UINT key = static_cast<UINT>(TransparentColor() & 0xFFFFFF);
    TransparentBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, FWidth, FHeight, key);
  } else {
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, FWidth, FHeight,
               static_cast<DWORD>(canvas.CopyMode()));
  }
  if (mono) SetDIBColorTable(source, 0, 2, reinterpret_cast<const RGBQUAD*>(FPalette.data()));
}
