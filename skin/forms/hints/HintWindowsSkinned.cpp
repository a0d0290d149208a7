// The hint picture drawn from the skin's hint section: its background and
// border image make the body, the border's key corners the see-through
// parts and the window's region.
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinManager.h"
#include "skin/forms/hints/HintWindows.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/Regions.h"
#include "skin/graphics/StretchParts.h"
#include <algorithm>

namespace {
// Painted under the section where nothing of it lands: R 254, G 0, B 255,
// a colour no skin uses for a visible pixel.
constexpr TColor kMaskFill = 0xFF00FE;
constexpr uint32_t kMaskFillRgb = 0xFE00FF;
constexpr uint32_t kSeeThrough = 0x00FFFFFF;
constexpr uint32_t kSolid = 0xFF000000;

TCacheInfo FilledWith(TColor Color) {
  TCacheInfo ci = EmptyCacheInfo;
  ci.FillColor = Color;
  return ci;
}

// Frame 0 of a border image as 32 bits; a masked image's alpha comes from
// its mask half.
std::unique_ptr<TBitmap> BorderPicture(TsSkinManager& sm, const TsMaskData& md) {
  TBitmap* source = md.Bmp ? md.Bmp : sm.Model.MasterBitmap.get();
  if (!source) return nullptr;
  const int frameW = md.R.Width() / std::max<int>(md.ImageCount, 1);
  const TRect frame(md.R.Left, md.R.Top, md.R.Left + frameW, md.R.Bottom);
  if (md.MaskType != 0) return CopyMaskImagePart(*source, frame);
  auto picture = NewBmp32(frame.Width(), frame.Height());
  BitBlt(picture->Canvas()->Handle(), 0, 0, frame.Width(), frame.Height(), source->Canvas()->Handle(), frame.Left,
         frame.Top, SRCCOPY);
  GdiFlush();
  // Without a mask half, the key colour is what lets the hint show through.
  TPixelRows rows(picture.get());
  for (int y = 0; y < rows.Height(); ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = 0; x < rows.Width(); ++x) row[x] = (row[x] & 0xFFFFFF) == KeyPixel ? 0 : row[x] | 0xFF000000u;
  }
  return picture;
}

bool ClearWithBorder(TsSkinManager& sm, int SkinIndex, int BorderIndex) {
  return sm.Model.gd[static_cast<size_t>(SkinIndex)].Props[0].Transparency == 100 && sm.IsValidImgIndex(BorderIndex);
}

// White where Bmp's alpha is 0, black elsewhere.
std::unique_ptr<TBitmap> MaskFromAlpha(TBitmap& Bmp) {
  auto mask = NewBmp32Like(Bmp);
  TPixelRows in(&Bmp), out(mask.get());
  if (!in.Valid() || !out.Valid()) return mask;
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.At(x, y) = in.At(x, y) >> 24 ? kSolid : kSeeThrough;
  return mask;
}
}  // namespace

bool TacCustomHintWindow::SkinnedRoad() const {
  TsAlphaHints* c = ActiveHintsComponent;
  return c && c->Skinned() && DefaultManager && DefaultManager->IsValidSkinIndex(SkinIndex);
}

void TacCustomHintWindow::MakeMaskBmp(int Width, int Height) {
  TsSkinManager* sm = DefaultManager;
  if (sm && SkinnedRoad() && ClearWithBorder(*sm, SkinIndex, BorderIndex)) {
    // A clear section shows only its border image: that image's alpha is
    // the shape, since nothing of the section lands on the fill.
    auto body = MakeBodyBmp(Width, Height);
    MaskBmp = MaskFromAlpha(*body);
    SetRegionFromMask();
    return;
  }
  auto mask = NewBmp32(Width, Height);
  if (mask->Empty() || !sm) return;
  const TRect whole(0, 0, Width, Height);
  FillRect32(*mask, whole, kMaskFill, 255);
  PaintSectionAndBorder(SkinIndex, BorderIndex, BGIndex, -1, FilledWith(kMaskFill), false, 0, whole, TPoint(0, 0),
                        mask.get(), sm);
  GdiFlush();
  // The painters leave the fill's alpha as they please; its colour decides.
  TPixelRows rows(mask.get());
  for (int y = 0; y < rows.Height(); ++y) {
    uint32_t* row = rows.Row(y);
    for (int x = 0; x < rows.Width(); ++x) row[x] = (row[x] & 0xFFFFFF) == kMaskFillRgb ? kSeeThrough : kSolid;
  }
  MaskBmp = std::move(mask);
  SetRegionFromMask();
}

void TacCustomHintWindow::SetRegionFromMask() {
  if (!MaskBmp || !SkinnedRoad() || !HandleAllocated()) return;
  HRGN region = nullptr;
  RegionFromBmp(region, *MaskBmp, static_cast<TColor>(kSeeThrough));
  // Once handed over the region is the window's; only a refused one is ours.
  if (region && !SetWindowRgn(Handle(), region, IsWindowVisible(Handle()))) DeleteObject(region);
}

std::unique_ptr<TBitmap> TacCustomHintWindow::MakeBodyBmp(int Width, int Height) {
  TsSkinManager& sm = *DefaultManager;
  const TRect whole(0, 0, Width, Height);
  auto body = NewBmp32(Width, Height);
  if (body->Empty()) return body;
  std::unique_ptr<TBitmap> border;
  if (ClearWithBorder(sm, SkinIndex, BorderIndex))
    border = BorderPicture(sm, sm.Model.ma[static_cast<size_t>(BorderIndex)]);
  if (border && !border->Empty()) {
    const TsMaskData& md = sm.Model.ma[static_cast<size_t>(BorderIndex)];
    const TRect margins(md.WL, md.WT, md.WR, md.WB);
    StretchBmpParts(*body, *border, whole, TRect(0, 0, border->Width(), border->Height()), margins, margins,
                    {dmStretch, dmStretch, dmStretch, dmStretch}, true, true);
    GdiFlush();
    PaintHintContent(*body);
    // Text leaves its pixels without alpha; the body inside the border is
    // solid. The border keeps its own, so its see-through corners stay so.
    SetRectAlpha(*body, TRect(md.WL, md.WT, Width - md.WR, Height - md.WB), 255, ColorNone);
  } else {
    PaintSectionAndBorder(SkinIndex, BorderIndex, BGIndex, -1, FilledWith(KeyColor), false, 0, whole, TPoint(0, 0),
                          body.get(), &sm);
    GdiFlush();
    PaintHintContent(*body);
  }
  GdiFlush();
  return body;
}

void TacCustomHintWindow::CreateSkinnedAlphaBmp(int Width, int Height) {
  AlphaBmp = NewBmp32(Width, Height);
  auto body = MakeBodyBmp(Width, Height);
  if (ActiveHintsComponent && ActiveHintsComponent->HintFrame) {
    BodyBmp = NewBmp32Like(*body);
    CloneBmp(*BodyBmp, *body);
  } else {
    BodyBmp.reset();
  }
  if (ClearWithBorder(*DefaultManager, SkinIndex, BorderIndex)) {
    CloneBmp(*AlphaBmp, *body);
    MaskBmp = MaskFromAlpha(*body);
    SetRegionFromMask();
  } else {
    MakeMaskBmp(Width, Height);
    TPixelRows out(AlphaBmp.get()), in(body.get()), mask(MaskBmp.get());
    if (out.Valid() && in.Valid() && mask.Valid()) {
      for (int y = 0; y < out.Height(); ++y) {
        uint32_t* o = out.Row(y);
        const uint32_t* b = in.Row(y);
        const uint32_t* m = mask.Row(y);
        for (int x = 0; x < out.Width(); ++x) {
          if (m[x] == kSeeThrough || b[x] == KeyPixel)
            o[x] = 0;
          else
            o[x] = b[x] | 0xFF000000u;
        }
      }
    }
  }
  PremultiplyBmp(*AlphaBmp);
}
