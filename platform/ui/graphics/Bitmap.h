#pragma once
// A bitmap held as a DIB section: its pixels are reachable in memory
// (ScanLine) and through a canvas on a memory DC at the same time.
#include "platform/ui/graphics/Graphic.h"
#include <vector>

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType : uint8_t { bmDIB, bmDDB };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;

  bool Empty() const override;
  int Width() const override { return FWidth; }
  void SetWidth(int value) override { SetSize(value, FHeight); }
  int Height() const override { return FHeight; }
  void SetHeight(int value) override { SetSize(FWidth, value); }
  // Keeps the pixels that still fit; new pixels are zero (black), white for
  // the device format.
  void SetSize(int width, int height) override;

  // A canvas on a memory DC that has the bitmap selected.
  TCanvas* Canvas();

  // The HBITMAP; nullptr while the bitmap is empty.
  HBITMAP Handle() const { return FHandle; }
  // Takes ownership of a bitmap (DIB section or device bitmap; device
  // bitmaps are converted to a DIB section of the device format).
  void SetHandle(HBITMAP value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Hands the HBITMAP to the caller and leaves the bitmap empty.
  HBITMAP ReleaseHandle();

  // bmDDB for the device format (pfDevice), bmDIB otherwise; a device
  // bitmap is kept as a 32-bit section so ScanLine works on it too.
  TBitmapHandleType HandleType() const;
  void SetHandleType(TBitmapHandleType value);
  // Changing the format of a bitmap with pixels converts them.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat value);
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  // The colour table of a format of up to 8 bits, from a logical palette
  // whose handle the bitmap takes over; indexes past the palette's entries
  // are black. Set before the size, it is kept when the size is set.
  void SetPalette(HPALETTE value);
  void SetMonochrome(bool value);

  // Address of row (0 = top) of the pixels. Rows are stored bottom-up, so
  // ScanLine(1) - ScanLine(0) is the negative row stride. Raises
  // EInvalidGraphicOperation for a row outside the bitmap.
  void* ScanLine(int row);
  // Bytes per stored row (padded to 4 bytes).
  int RowStride() const;

  // tmAuto: the bottom-left pixel (white for a monochrome bitmap); the
  // result carries bit 25 (0x02000000) as the platform's does.
  TColor TransparentColor();
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode value);

  // Releases the memory DC (and so the GDI selection); pixels stay.
  void Dormant();
  // Nothing to free beyond the DIB section itself; kept for callers that ask.
  void FreeImage() {}

  // A bitmap resource of a module (LoadImage).
  void LoadFromResourceName(HINSTANCE instance, const String& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  // The BMP file form (BITMAPFILEHEADER onwards); loading raises
  // EInvalidGraphic on anything it cannot read safely.
  void LoadFromBmpBytes(const std::string& bytes);
  std::string SaveToBmpBytes();

  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(const TPersistent& source) override;
  void Draw(TCanvas& canvas, const TRect& rect) override;

protected:
  void Changed() override;

private:
  class TBitmapCanvas;
  friend class TBitmapCanvas;

  void FreeContext();
  void ReplaceHandle(HBITMAP handle, void* bits, int width, int height);
  void Reformat(int width, int height, TPixelFormat format);
  void CopyFrom(const TBitmap& source);

  HBITMAP FHandle = nullptr;
  void* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  // Colour table of the section (formats up to 8 bits), as RGBQUAD values.
  std::vector<uint32_t> FPalette;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  std::unique_ptr<TCanvas> FCanvas;
};
