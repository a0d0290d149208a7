#include "skin/engine/ParentBg.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "platform/ui/Controls.h"
#include <algorithm>

namespace {
uint32_t ToPixel(TColor c) {
  const uint32_t rgb = static_cast<uint32_t>(ColorToRGB(c)) & 0xFFFFFF;
  return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

TColor DefaultGlobalColor() { return DefaultManager ? DefaultManager->GetGlobalColor() : ColorToRGB(clBtnFace); }

bool CacheEmpty(const TBitmap* Bmp) { return !Bmp || Bmp->Width() <= 0 || Bmp->Height() <= 0; }

// Paints Control (or Wnd) into the request's DC at PaintRect.
void PaintInto(TacParentBgData& BgData, TControl* Control, HWND Wnd) {
  const int saved = SaveDC(BgData.DC);
  POINT origin;
  GetViewportOrgEx(BgData.DC, &origin);
  SetViewportOrgEx(BgData.DC, origin.x - BgData.Offset.X, origin.y - BgData.Offset.Y, nullptr);
  OffsetRect(reinterpret_cast<RECT*>(&BgData.PaintRect), BgData.Offset.X, BgData.Offset.Y);
  IntersectClipRect(BgData.DC, BgData.PaintRect.Left, BgData.PaintRect.Top, BgData.PaintRect.Right,
                    BgData.PaintRect.Bottom);
  const WPARAM dc = reinterpret_cast<WPARAM>(BgData.DC);
  if (Control) {
    Control->Perform(WM_ERASEBKGND, dc, 0);
    Control->Perform(WM_PAINT, dc, 0);
  } else {
    SendMessageW(Wnd, WM_ERASEBKGND, dc, 0);
    SendMessageW(Wnd, WM_PAINT, dc, 0);
  }
  RestoreDC(BgData.DC, saved);
}
}  // namespace

void GetOwnBgInfo(TsCommonData* Data, TacParentBgData& BgData, int State, HWND Wnd) {
  TsSkinManager* sm = Data->SkinManager();
  if (BgData.PleaseDraw) {
    TControl* owner = Data->FOwnerControl;
    if (!Data->Skinned() || (Data->CtrlSkinState & ACS_PLAINBG)) {
      HBRUSH brush = CreateSolidBrush(ColorToRGB(Data->SkinBackgroundColor(State, Wnd)));
      FillRect(BgData.DC, reinterpret_cast<const RECT*>(&BgData.PaintRect), brush);
      DeleteObject(brush);
      BgData.BgKind = bgColor;
      return;
    }
    if (owner && Data->FBGChanged) owner->Perform(SM_SKINCMD, SkinCmdWParam(SKC_PREPARECACHE));
    if (!Data->FBGChanged && Data->FCacheBmp)
      BitBlt(BgData.DC, BgData.PaintRect.Left, BgData.PaintRect.Top, BgData.PaintRect.Width(),
             BgData.PaintRect.Height(), Data->FCacheBmp->Canvas()->Handle(), BgData.Offset.X, BgData.Offset.Y,
             SRCCOPY);
    BgData.BgKind = bgCache;
    return;
  }
  BgData.Bmp = nullptr;
  if (!Data->Skinned() || Data->FCustomColor) {
    BgData.BgKind = bgColor;
    BgData.Color = Data->OwnerColor();
    return;
  }
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(Data->SkinIndex)];
  const TsGenState& st = gd.Props[static_cast<size_t>(Data->StateIndex(State))];
  TBitmap* cache = Data->FCacheBmp.get();
  TControl* owner = Data->FOwnerControl;
  if (st.Transparency >= 100) {
    if ((Data->CtrlSkinState & ACS_PLAINBG) || !cache) {
      // Nothing of its own to show: the question goes on to the parent.
      if (owner && owner->Parent()) {
        GetParentBgInfo(BgData, owner->Parent(), false);
        if (BgData.Bmp) {
          BgData.Offset.X += owner->Left();
          BgData.Offset.Y += owner->Top();
          BgData.FillRect.Left -= owner->Left();
          BgData.FillRect.Top -= owner->Top();
        }
      } else if (Wnd) {
        const HWND parent = GetParent(Wnd);
        GetWndBgInfo(BgData, parent, false);
        if (BgData.BgKind == bgCache) {
          RECT r;
          GetWindowRect(Wnd, &r);
          MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 1);
          BgData.Offset.X += r.left;
          BgData.Offset.Y += r.top;
        }
      } else {
        BgData.BgKind = bgColor;
        BgData.Color = DefaultGlobalColor();
      }
      return;
    }
    if (Data->FBGChanged && owner) owner->Perform(SM_SKINCMD, SkinCmdWParam(SKC_PREPARECACHE));
    if (Data->FBGChanged) {
      BgData.BgKind = bgColor;
      BgData.Offset = TPoint(0, 0);
      BgData.Color = Data->SkinBackgroundColor(0, Wnd);
      return;
    }
  } else if (st.Transparency > 0) {
    if (!cache) {
      BgData.BgKind = bgColor;
      BgData.Color = KeyColor;
      return;
    }
    if (CacheEmpty(cache)) {
      Data->FUpdating = true;
      BgData.BgKind = bgNotReady;
      return;
    }
  } else {
    if (st.GradientPercent < 1 && st.ImagePercent < 1 && gd.ImgTL < 0 && gd.ImgTR < 0 && gd.ImgBL < 0 &&
        gd.ImgBR < 0 && !Data->OuterEffectsAllowed()) {
      BgData.BgKind = bgColor;
      BgData.Color = Data->SkinBackgroundColor(State, Wnd);
      if (sm->IsValidImgIndex(gd.BorderIndex)) {
        const TsMaskData& border = sm->Model.ma[static_cast<size_t>(gd.BorderIndex)];
        if (!(border.DrawMode & 4)) {
          BgData.FillRect = TRect(border.WL, border.WT, border.WR, border.WB);
          BgData.Bmp = cache;
          BgData.Offset = TPoint(0, 0);
        }
      }
      return;
    }
    BgData.Color = sm->GetGlobalColor();
    const bool wrongSize = owner && cache && (cache->Width() != owner->Width() || cache->Height() != owner->Height());
    if (CacheEmpty(cache) || wrongSize) {
      Data->FBGChanged = true;
      if (cache) cache->SetWidth(0);
      if (owner) ControlSkinCmd(owner, SKC_PREPARECACHE);
      cache = Data->FCacheBmp.get();
      if (CacheEmpty(cache)) {
        BgData.BgKind = bgNotReady;
        return;
      }
    }
  }
  BgData.BgKind = bgCache;
  BgData.Bmp = cache;
  BgData.Offset = TPoint(0, 0);
}

namespace {
// GetCtrlBgInfo with Control's windowed side already known (nullptr when
// it has none): a parent is windowed, so asking it needs no cast.
bool AskControl(TacParentBgData& BgData, TControl* Control, TWinControl* win, bool PleaseDraw) {
  BgData.Bmp = nullptr;
  BgData.BgKind = bgNone;
  BgData.PleaseDraw = PleaseDraw;
  BgData.FillRect = TRect();
  const LPARAM request = reinterpret_cast<LPARAM>(&BgData);
  if (win && win->HandleAllocated())
    SendToWindowed(win, SM_SKINCMD, SkinCmdWParam(SKC_GETBGINFO), request);
  else
    Control->Perform(SM_SKINCMD, SkinCmdWParam(SKC_GETBGINFO), request);
  if (BgData.BgKind != bgNone) return true;
  if (PleaseDraw) {
    PaintInto(BgData, Control, nullptr);
    return true;
  }
  BgData.BgKind = bgColor;
  if ((Control->ComponentState() & csDesigning) && DefaultManager && DefaultManager->Model.CommonSkinData->Active) {
    BgData.Color = DefaultManager->GetGlobalColor();
  } else {
    const LRESULT answer = Control->Perform(SM_SKINCMD, SkinCmdWParam(SKC_GETBGCOLOR));
    BgData.Color = answer ? static_cast<TColor>(answer) : ColorToRGB(Control->Color());
  }
  return true;
}
}  // namespace

bool GetCtrlBgInfo(TacParentBgData& BgData, TControl* Control, bool PleaseDraw) {
  return AskControl(BgData, Control, dynamic_cast<TWinControl*>(Control), PleaseDraw);
}

bool GetParentBgInfo(TacParentBgData& BgData, TWinControl* Parent, bool PleaseDraw) {
  return AskControl(BgData, Parent, Parent, PleaseDraw);
}

bool GetWndBgInfo(TacParentBgData& BgData, HWND Window, bool PleaseDraw) {
  BgData.BgKind = bgNone;
  BgData.PleaseDraw = PleaseDraw;
  BgData.FillRect = TRect();
  SendMessageW(Window, SM_SKINCMD, SkinCmdWParam(SKC_GETBGINFO), reinterpret_cast<LPARAM>(&BgData));
  if (BgData.BgKind != bgNone) return true;
  if (PleaseDraw) {
    PaintInto(BgData, nullptr, Window);
    return false;
  }
  BgData.Color = DefaultGlobalColor();
  BgData.BgKind = bgColor;
  return false;
}

void BgInfoToCacheInfo(const TacParentBgData& BgData, TCacheInfo& CacheInfo) {
  CacheInfo.Bmp = BgData.Bmp;
  CacheInfo.X = BgData.Offset.X;
  CacheInfo.Y = BgData.Offset.Y;
  if (BgData.BgKind == bgCache) {
    CacheInfo.Ready = true;
    CacheInfo.FillColor = KeyColor;
    CacheInfo.FillRect = TRect();
  } else {
    CacheInfo.Ready = false;
    CacheInfo.FillColor = ColorToRGB(BgData.Color);
    CacheInfo.FillRect = BgData.FillRect;
  }
}

void ParentCacheInfo(TsCommonData* Data, TCacheInfo& CacheInfo) {
  TControl* owner = Data->FOwnerControl;
  if (Data->Skinned() && owner) {
    TacParentBgData bg;
    if (owner->Parent()) {
      GetParentBgInfo(bg, owner->Parent(), false);
    } else if (auto* win = dynamic_cast<TWinControl*>(owner); win && win->HandleAllocated()) {
      GetWndBgInfo(bg, GetParent(win->Handle()), false);
    }
    BgInfoToCacheInfo(bg, CacheInfo);
    return;
  }
  CacheInfo.X = 0;
  CacheInfo.Y = 0;
  CacheInfo.FillColor = Data->SkinBackgroundColor(0);
  CacheInfo.Ready = false;
}

void WndParentCacheInfo(HWND Wnd, TCacheInfo& CacheInfo) {
  CacheInfo.Ready = false;
  const HWND parent = GetParent(Wnd);
  if (!parent) {
    CacheInfo = EmptyCacheInfo;
    return;
  }
  TacParentBgData bg;
  GetWndBgInfo(bg, parent, false);
  BgInfoToCacheInfo(bg, CacheInfo);
}

void LabelParentCacheInfo(TControl* Label, TCacheInfo& CacheInfo) {
  TacParentBgData bg;
  if (Label->Parent()) GetParentBgInfo(bg, Label->Parent(), false);
  BgInfoToCacheInfo(bg, CacheInfo);
}

namespace {
// The replacement of one cache pixel at (tx, ty); false when there is none.
bool BackgroundPixel(const TacParentBgData& BgData, TPixelRows& Bg, int tx, int ty, uint32_t& Pixel) {
  if (BgData.BgKind == bgCache && BgData.Bmp) {
    const int bx = tx + BgData.Offset.X, by = ty + BgData.Offset.Y;
    if (!Bg.Valid() || !Bg.Contains(bx, by)) return false;
    Pixel = Bg.At(bx, by);
    return true;
  }
  Pixel = ToPixel(BgData.Color);
  return true;
}
}  // namespace

void RestoreCornerByKey(TBitmap& SrcBmp, int X, int Y, const TRect& Src, const TacParentBgData& BgData,
                        TsCommonData& Data) {
  if (!Data.FCacheBmp) return;
  if (!(BgData.BgKind == bgCache && BgData.Bmp) && BgData.Color == KeyColor) return;
  TPixelRows src(&SrcBmp), cache(Data.FCacheBmp.get()), bg(BgData.BgKind == bgCache ? BgData.Bmp : nullptr);
  if (!src.Valid() || !cache.Valid()) return;
  const int x0 = std::max(Src.Left, 0), y0 = std::max(Src.Top, 0);
  const int x1 = std::min(Src.Right, src.Width() - 1), y1 = std::min(Src.Bottom, src.Height() - 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      if ((src.At(x, y) & 0xFFFFFF) != KeyPixel) continue;
      const int tx = X + x - Src.Left, ty = Y + y - Src.Top;
      uint32_t pixel;
      if (cache.Contains(tx, ty) && BackgroundPixel(BgData, bg, tx, ty, pixel)) cache.At(tx, ty) = pixel;
    }
}

void RestoreCornerByMask(const TRect& Target, const TRect& Src, TBitmap& SrcBmp, const TacParentBgData& BgData,
                         TsCommonData& Data) {
  if (!Data.FCacheBmp) return;
  TPixelRows src(&SrcBmp), cache(Data.FCacheBmp.get()), bg(BgData.BgKind == bgCache ? BgData.Bmp : nullptr);
  if (!src.Valid() || !cache.Valid()) return;
  const int w = std::min(Src.Width(), Target.Width()), h = std::min(Src.Height(), Target.Height());
  for (int dy = 0; dy < h; ++dy)
    for (int dx = 0; dx < w; ++dx) {
      const int sx = Src.Left + dx, sy = Src.Top + dy;
      if (!src.Contains(sx, sy) || (src.At(sx, sy) & 0xFFFFFF) != KeyPixel) continue;
      const int tx = Target.Left + dx, ty = Target.Top + dy;
      uint32_t pixel;
      if (cache.Contains(tx, ty) && BackgroundPixel(BgData, bg, tx, ty, pixel)) cache.At(tx, ty) = pixel;
    }
}

void RepaintCtrlCorners(TsCommonData* Data, int State, int Corners) {
  TsSkinManager* sm = Data ? Data->SkinManager() : nullptr;
  if (!sm || !sm->IsValidImgIndex(Data->BorderIndex) || !Data->FCacheBmp || !Data->FOwnerControl) return;
  TsMaskData md = sm->Model.ma[static_cast<size_t>(Data->BorderIndex)];
  if (md.CornerType == 0) return;
  TControl* owner = Data->FOwnerControl;
  TacParentBgData bg;
  if (owner->Parent())
    GetParentBgInfo(bg, owner->Parent(), false);
  else if (auto* win = dynamic_cast<TWinControl*>(owner); win && win->HandleAllocated())
    GetWndBgInfo(bg, GetParent(win->Handle()), false);
  else
    return;
  if (md.Bmp && md.ImageCount == 0) {
    md.ImageCount = 3;
    md.MaskType = 1;
    md.R = TRect(0, 0, md.Bmp->Width(), md.Bmp->Height());
  }
  if (bg.BgKind == bgCache) {
    bg.Offset.X += owner->Left();
    bg.Offset.Y += owner->Top();
  }
  TBitmap* source = MaskImageOf(md, &sm->Model);
  if (!source) return;
  State = std::max(0, std::min<int>(State, md.ImageCount - 1));
  const int fw = MaskFrameWidth(md), fh = MaskFrameHeight(md);
  const int W = owner->Width(), H = owner->Height();
  const int sx = md.R.Left + State * fw;
  const int rightX = sx + fw - md.WR;
  const bool masked = md.MaskType != 0;
  const int bottomY = masked ? md.R.Top + fh - md.WB : md.R.Bottom - md.WB;
  struct Piece {
    int Bit, TX, TY, SX, SY, W, H;
  } pieces[] = {
      {CornerTopLeft, 0, 0, sx, md.R.Top, md.WL, md.WT},
      {CornerBottomLeft, 0, H - md.WB, sx, bottomY, md.WL, md.WB},
      {CornerBottomRight, W - md.WR, H - md.WB, rightX, bottomY, md.WR, md.WB},
      {CornerTopRight, W - md.WR, 0, rightX, md.R.Top, md.WR, md.WT},
  };
  for (const auto& p : pieces) {
    if (!(Corners & p.Bit) || p.W <= 0 || p.H <= 0) continue;
    if (masked)
      RestoreCornerByMask(TRect(p.TX, p.TY, p.TX + p.W, p.TY + p.H), TRect(p.SX, p.SY, p.SX + p.W, p.SY + p.H),
                          *source, bg, *Data);
    else
      RestoreCornerByKey(*source, p.TX, p.TY, TRect(p.SX, p.SY, p.SX + p.W - 1, p.SY + p.H - 1), bg, *Data);
  }
}
