#include "skin/graphics/Regions.h"
#include "skin/graphics/Bitmaps32.h"

namespace {
// Collects runs along one row of pixels, closing the open run at a pixel
// that does not match and at the end.
class TRunCollector {
public:
  TRunCollector(TAOR& rects, int y) : FRects(rects), FY(y) {}
  ~TRunCollector() { Close(); }
  TRunCollector(const TRunCollector&) = delete;
  TRunCollector& operator=(const TRunCollector&) = delete;
  void Pixel(int x, bool match) {
    if (!match) {
      Close();
    } else if (FOpen) {
      ++FRun.Right;
    } else {
      FRun = TRect(x, FY, x + 1, FY + 1);
      FOpen = true;
    }
  }
  void Close() {
    if (FOpen) FRects.push_back(FRun);
    FOpen = false;
  }

private:
  TAOR& FRects;
  int FY;
  TRect FRun;
  bool FOpen = false;
};
}  // namespace

void CollectColorRects(TAOR& Rects, TBitmap& Bmp, TColor Color) {
  TPixelRows rows(&Bmp);
  const uint32_t value = static_cast<uint32_t>(Color) & 0x00FFFFFFu;
  for (int y = 0; y < rows.Height(); ++y) {
    TRunCollector runs(Rects, y);
    for (int x = 0; x < rows.Width(); ++x) runs.Pixel(x, rows.At(x, y) == value);
  }
}

void RegionFromBmp(HRGN& Region, TBitmap& Bmp, TColor Color) {
  Region = CreateRectRgn(0, 0, Bmp.Width(), Bmp.Height());
  TAOR rects;
  CollectColorRects(rects, Bmp, Color);
  for (const TRect& r : rects) {
    HRGN run = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(Region, Region, run, RGN_DIFF);
    DeleteObject(run);
  }
}

void CollectKeyRects(TAOR& Rects, int Width, const TsMaskData& MaskData, int Y, bool Bottom) {
  TsSkinModel* model = ModelOfManager && MaskData.Manager ? ModelOfManager(MaskData.Manager) : nullptr;
  if (!model) return;
  TPixelRows image(MaskImageOf(MaskData, model));
  if (!image.Valid()) return;
  const TRect& r = MaskData.R;
  const int count = Bottom ? MaskData.WB : MaskData.WT;
  int first = r.Top;
  if (Bottom) {
    if (MaskData.MaskType + 1 == 0) return;
    first = r.Top + r.Height() / (MaskData.MaskType + 1) - MaskData.WB;
  }
  if (first < 0 || first + count > image.Height()) return;
  const int fw = MaskFrameWidth(MaskData);
  auto corner = [&](int fromColumn, int toColumn, int targetShift) {
    if (r.Left + fromColumn < 0 || r.Left + toColumn > image.Width()) return;
    for (int row = 0; row < count; ++row) {
      TRunCollector runs(Rects, Y + row);
      for (int x = fromColumn; x < toColumn; ++x)
        runs.Pixel(x + targetShift, image.At(r.Left + x, first + row) == KeyPixel);
    }
  };
  corner(0, MaskData.WL, 0);
  corner(fw - MaskData.WR, fw, Width - fw);
}
