#include "skin/engine/OuterEffects.h"
#include "skin/engine/AnimTimer.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ControlTree.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Fades.h"
#include "skin/graphics/Glows.h"
#include "skin/graphics/MaskPaintAlpha.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include <algorithm>

namespace {
struct TOuterSource {
  int Mask = -1;
  TRect Margins;
  int Opacity = 0;
};

bool OuterSourceOf(const TsSkinManager& sm, const TsGeneralData& gd, TOuterSource& s) {
  if (gd.OuterMask >= 0) {
    s = TOuterSource{gd.OuterMask, gd.OuterOffset, gd.OuterOpacity};
    return true;
  }
  const size_t n = static_cast<size_t>(gd.OuterMode) - 1;
  if (gd.OuterMode < 1 || n >= sm.Model.oe.size()) return false;
  const TacOutEffData& oe = sm.Model.oe[n];
  if (oe.Source == 0 || oe.Mask < 0) return false;
  s = TOuterSource{oe.Mask, TRect(oe.OffsetL, oe.OffsetT, oe.OffsetR, oe.OffsetB), oe.Opacity};
  return true;
}

void CopyBmpRect(TBitmap& Dst, int X, int Y, int W, int H, TBitmap& Src, int SrcX, int SrcY) {
  BitBlt(Dst.Canvas()->Handle(), X, Y, W, H, Src.Canvas()->Handle(), SrcX, SrcY, SRCCOPY);
}

// The visible part of a window in screen coordinates.
TRect ScreenClipBox(HWND Wnd, bool WholeWindow) {
  const HDC dc = WholeWindow ? GetWindowDC(Wnd) : GetDC(Wnd);
  RECT clip{};
  GetClipBox(dc, &clip);
  ReleaseDC(Wnd, dc);
  POINT origin{0, 0};
  if (WholeWindow) {
    RECT wr{};
    GetWindowRect(Wnd, &wr);
    origin = POINT{wr.left, wr.top};
  } else {
    ClientToScreen(Wnd, &origin);
  }
  return TRect(clip.left + origin.x, clip.top + origin.y, clip.right + origin.x, clip.bottom + origin.y);
}

TRect Intersection(const TRect& A, const TRect& B) {
  TRect r(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom));
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

bool CursorInWindow(HWND Wnd) {
  POINT p{};
  RECT r{};
  GetCursorPos(&p);
  GetWindowRect(Wnd, &r);
  return PtInRect(&r, p) != FALSE;
}
}  // namespace

void PaintOuterEffects(TsCommonData* Data, TControl* OwnerCtrl, const TPoint& Offset) {
  if (!Data || !Data->Skinned()) return;
  TsSkinManager* sm = Data->SkinManager();
  auto* container = dynamic_cast<TWinControl*>(OwnerCtrl);
  if (!sm || !sm->Effects().AllowOuterEffects() || !container) return;
  TacParentBgData record;
  record.BgKind = bgCache;
  record.Bmp = Data->FCacheBmp.get();
  record.Offset = Offset;
  for (int i = 0; i < container->ControlCount(); ++i) {
    TControl* child = container->Controls(i);
    if (ControlIsReady(child) && child->Visible())
      child->Perform(SM_SKINCMD, SkinCmdWParam(SKC_PAINTOUTER, 0), reinterpret_cast<LPARAM>(&record));
  }
}

void PaintOwnOuterEffect(TsCommonData* Data, const TacParentBgData& Record, int SubArg) {
  if (!Data || !Data->Skinned() || Data->OuterEffects().Visibility() == TacOuterVisibility::ovNone) return;
  TsSkinManager* sm = Data->SkinManager();
  if (!sm || !sm->IsValidSkinIndex(Data->SkinIndex)) return;
  TOuterSource source;
  if (!OuterSourceOf(*sm, sm->Model.gd[static_cast<size_t>(Data->SkinIndex)], source) ||
      !sm->IsValidImgIndex(source.Mask))
    return;
  if (!Record.Bmp || !Data->FOwnerControl) return;
  TRect r;
  ControlSkinCmd(Data->FOwnerControl, SKC_GETBOUNDS, reinterpret_cast<LPARAM>(&r));
  r = TRect(r.Left + Record.Offset.X, r.Top + Record.Offset.Y, r.Right + Record.Offset.X, r.Bottom + Record.Offset.Y);
  const TRect e(r.Left - source.Margins.Left, r.Top - source.Margins.Top, r.Right + source.Margins.Right,
                r.Bottom + source.Margins.Bottom);
  if (e.Width() <= 0 || e.Height() <= 0) return;
  TBitmap& target = *Record.Bmp;
  if ((SubArg & 0x100) && Data->FOuterCache) {
    std::unique_ptr<TBitmap> old = std::move(Data->FOuterCache);
    Data->FOuterCache = NewBmp32(e.Width(), e.Height());
    CopyBmpRect(*Data->FOuterCache, 0, 0, e.Width(), e.Height(), target, e.Left, e.Top);
    DrawOuterEffectImage(*old, TRect(0, 0, old->Width(), old->Height()), source.Margins, source.Opacity,
                         source.Mask, *sm);
    CopyBmpRect(target, e.Left, e.Top, e.Width(), e.Height(), *old, 0, 0);
    return;
  }
  if (!Data->FOuterCache)
    Data->FOuterCache = NewBmp32(e.Width(), e.Height());
  else
    Data->FOuterCache->SetSize(e.Width(), e.Height());
  CopyBmpRect(*Data->FOuterCache, 0, 0, e.Width(), e.Height(), target, e.Left, e.Top);
  DrawOuterEffectImage(target, e, source.Margins, source.Opacity, source.Mask, *sm);
}

void DrawOuterEffectImage(TBitmap& Bmp, const TRect& R, const TRect& Margins, int Opacity, int MaskIndex,
                          TsSkinManager& Manager) {
  if (!Manager.IsValidImgIndex(MaskIndex)) return;
  PaintMaskBorders(Bmp, R, EmptyCacheInfo, Manager.Model.ma[static_cast<size_t>(MaskIndex)], 0, Margins, Opacity);
}

void ShowControlGlow(TsCommonData* Data, bool Repeat, HWND Wnd, int InitialOpacity, bool Animate, int SkinIndex) {
  if (!Data) return;
  TsSkinManager* sm = Data->SkinManager();
  const int index = SkinIndex < 0 ? Data->SkinIndex : SkinIndex;
  if (!sm || !sm->Effects().AllowGlowing() || !sm->IsValidSkinIndex(index) || sm->Options().NoMouseHover()) return;
  const TsGeneralData& gd = sm->Model.gd[static_cast<size_t>(index)];
  if (gd.GlowCount <= 0) return;
  int opacity = InitialOpacity & 0xFF;

  TControl* owner = Data->FOwnerControl;
  if (!owner) {
    if (!Wnd) return;
    if (!CursorInWindow(Wnd) || (Repeat && Data->GlowID >= 0)) {
      RemoveGlow(Data->GlowID, false);
      return;
    }
    Data->GlowID = CreateGlow(ScreenClipBox(Wnd, false), Data->SkinSection(), u"GLOW", gd.GlowMargin, opacity,
                              TopParentWindow(Wnd), Data);
    return;
  }
  if (!MouseInControl(owner)) {
    // A fading glow stays listed until its fade ends, so the fade can free it.
    RemoveGlow(Data->GlowID, Animate);
    return;
  }
  if (owner->ControlState().Contains(csLButtonDown) || (Repeat && Data->GlowID >= 0)) return;
  TCustomForm* form = GetParentForm(owner);
  if (!form) return;
  const HWND parentWnd = form->Parent() ? form->Parent()->Handle() : form->Handle();
  if (!sm->Effects().AllowAnimation()) Animate = false;
  if (Animate) opacity = 0;
  if (Data->GlowID < 0) {
    if (auto* windowed = dynamic_cast<TWinControl*>(owner)) {
      if (!windowed->HandleAllocated()) return;
      RECT wr{};
      GetWindowRect(windowed->Handle(), &wr);
      const TRect area = Intersection(TRect(wr.left, wr.top, wr.right, wr.bottom),
                                      ScreenClipBox(windowed->Handle(), true));
      Data->GlowID = CreateGlow(area, gd.ClassName, u"GLOW", gd.GlowMargin, opacity, parentWnd, Data);
    } else if (TWinControl* parent = owner->Parent(); parent && parent->HandleAllocated()) {
      const TPoint topLeft = parent->ClientToScreen(TPoint(owner->Left(), owner->Top()));
      const TRect own(topLeft.X, topLeft.Y, topLeft.X + owner->Width(), topLeft.Y + owner->Height());
      const TRect area = Intersection(own, ScreenClipBox(parent->Handle(), false));
      Data->GlowID = CreateGlow(area, Data->SkinSection(), u"GLOW", gd.GlowMargin, opacity, parentWnd, Data);
    }
  }
  if (Animate && Data->GlowID >= 0) {
    Data->FBGChanged = false;
    StartStateFade(Data, FadeToHot, GlowAnimProc, true, false, false);
    if (Data->AnimTimer) Data->AnimTimer->ThreadType = 1;
    // Without a cache to fade there is no fade: the glow shows at once.
    if (!Data->IsAnimating()) SetGlowAlpha(Data->GlowID, 255);
  }
}
