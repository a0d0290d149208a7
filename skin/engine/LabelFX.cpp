#include "skin/engine/LabelFX.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinText.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/TextOutput.h"
#include "platform/rtl/StrUtils.h"
#include <algorithm>
#include <cmath>
#include <optional>

namespace {
RECT* AsRECT(TRect& R) { return reinterpret_cast<RECT*>(&R); }
LPCWSTR Wide(const String& Text) { return reinterpret_cast<LPCWSTR>(Text.c_str()); }
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

void DrawAt(HDC DC, const String& Text, TRect T, TPoint Origin, bool Turned, UINT Flags) {
  if (Turned)
    ExtTextOutW(DC, T.Left + Origin.X, T.Top + Origin.Y, 0, nullptr, Wide(Text), static_cast<UINT>(Text.size()),
                nullptr);
  else
    DrawTextW(DC, Wide(Text), static_cast<int>(Text.size()), AsRECT(T), Flags);
}

TRect Moved(const TRect& R, int d) { return TRect(R.Left + d, R.Top + d, R.Right + d, R.Bottom + d); }
}  // namespace

// ---- TsShadow, TsKind ----------------------------------------------------------

TsShadow::TsShadow(TsLabelFX* Parent) : ParentControl(Parent) { UpdateChannels(); }

void TsShadow::UpdateChannels() {
  const TColor c = ColorToRGB(FColor);
  sr = c & 0xFF;
  sg = (c >> 8) & 0xFF;
  sb = (c >> 16) & 0xFF;
}

void TsShadow::SetDistance(int Value) {
  if (FDistance == Value) return;
  FDistance = Value;
  ParentControl->UpdatePosition();
  ParentControl->Invalidate();
}

void TsShadow::SetBlurCount(int Value) {
  if (FBlurCount == Value) return;
  FBlurCount = Value;
  ParentControl->UpdatePosition();
  ParentControl->Invalidate();
}

void TsShadow::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  UpdateChannels();
  ParentControl->Invalidate();
}

void TsShadow::SetMode(TsShadowMode Value) {
  if (FMode == Value) return;
  FMode = Value;
  UpdateChannels();
  ParentControl->UpdatePosition();
  ParentControl->Invalidate();
}

void TsShadow::SetAlphaValue(uint8_t Value) {
  if (FAlphaValue == Value) return;
  FAlphaValue = Value;
  ParentControl->Invalidate();
}

void TsKind::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FOwner->Invalidate();
}

void TsKind::SetKindType(TsKindType Value) {
  if (FKindType == Value) return;
  FKindType = Value;
  FOwner->Invalidate();
}

// ---- TsLabelFX -------------------------------------------------------------------

TsLabelFX::TsLabelFX(TComponent* AOwner)
    : TsCustomLabel(AOwner),
      FMask(NewBmp32(0, 0)),
      FShadow(std::make_unique<TsShadow>(this)),
      FKind(std::make_unique<TsKind>(this)) {}

TsLabelFX::~TsLabelFX() { BeginDestroy(); }

TShadowData TsLabelFX::CurrentShadowData() const {
  TShadowData d;
  switch (FShadow->Mode()) {
    case smNone:
      return d;
    case smSkin1: {
      TsSkinManager* sm = GetSkinManager();
      if (SkinInUse(sm) && sm->Model.CommonSkinData->Shadow1Blur != -1) {
        const TsSkinData& s = *sm->Model.CommonSkinData;
        return TShadowData{s.Shadow1Blur, s.Shadow1Offset, FShadow->AlphaValue(), s.Shadow1Color};
      }
      break;
    }
    case smCustom:
      break;
  }
  return TShadowData{FShadow->BlurCount(), FShadow->Distance(), FShadow->AlphaValue(), FShadow->Color()};
}

TColor TsLabelFX::CurrentFontColor() {
  TColor color = FKind->Color();
  switch (FKind->KindType()) {
    case ktStandard:
      color = Color();
      break;
    case ktCustom:
      break;
    case ktSkin: {
      TsSkinManager* sm = GetSkinManager();
      if (!SkinInUse(sm)) break;
      if (!SkinSection().empty()) FSkinIndex = sm->GetSkinIndex(AnsiUpperCase(SkinSection()));
      if (!SkinSection().empty() && sm->IsValidSkinIndex(FSkinIndex)) {
        color = sm->Model.gd[static_cast<size_t>(FSkinIndex)].Props[0].FontColor.Color;
      } else {
        const int gi = sm->Model.ConstData.IndexGLobalInfo;
        if (sm->IsValidSkinIndex(gi) && sm->Model.gd[static_cast<size_t>(gi)].Props[0].FontColor.Left != -1)
          color = sm->Model.gd[static_cast<size_t>(gi)].Props[0].FontColor.Left;
      }
      break;
    }
  }
  return ColorToRGB(color);
}

void TsLabelFX::RecordMargins() {
  const TShadowData d = CurrentShadowData();
  FShadow->OffsetKeeper().SetLeftTop(ShadowMarginLT(d));
  FShadow->OffsetKeeper().SetRightBottom(ShadowMarginRB(d));
}

void TsLabelFX::UpdatePosition() {
  if (Loading()) return;
  const TShadowData d = CurrentShadowData();
  const int lt = ShadowMarginLT(d), rb = ShadowMarginRB(d);
  TacOffsetKeeper& keeper = FShadow->OffsetKeeper();
  if (lt == keeper.LeftTop() && rb == keeper.RightBottom()) return;
  IntPosChanging = true;
  AdjustBounds();
  keeper.SetLeftTop(lt);
  keeper.SetRightBottom(rb);
  IntPosChanging = false;
}

void TsLabelFX::SetAngle(int Value) {
  if (FAngle == Value) return;
  FAngle = Value;
  if (Value != 0) SetWordWrap(false);
  if (AutoSize())
    AdjustBounds();
  else
    Invalidate();
}

void TsLabelFX::Invalidate() {
  if (WordWrap() && FAngle != 0) FAngle = 0;
  TsCustomLabel::Invalidate();
}

// Graphic controls hear no move or size messages here: the bounds setter
// records the margins the new bounds include, as those messages would.
void TsLabelFX::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TsCustomLabel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!IntPosChanging && FShadow) RecordMargins();
}

void TsLabelFX::WndProc(TMessage& Message) {
  TsCustomLabel::WndProc(Message);
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      if (!IntPosChanging && FShadow) RecordMargins();
      break;
    case SM_SKINCMD:
      if ((Message.WParamHi() == SKC_NEWSKIN || Message.WParamHi() == SKC_REMOVESKIN) && !IsDestroying())
        UpdatePosition();
      break;
    default:
      break;
  }
}

void TsLabelFX::AdjustBounds() {
  if (Loading() || !FShadow || IsDestroying()) return;
  const TAlignment alignment = Alignment();
  const TShadowData d = CurrentShadowData();
  const int lt = ShadowMarginLT(d), rb = ShadowMarginRB(d);
  const int okLT = FShadow->OffsetKeeper().LeftTop(), okRB = FShadow->OffsetKeeper().RightBottom();
  int x = Left(), y = Top();
  const int oldW = Width() + okLT - okRB, oldH = Height() + okLT - okRB;
  const int centreShift = (okLT - lt - okRB + rb) / 2;
  if (!AutoSize()) {
    if (alignment == taLeftJustify)
      x = x - okLT + lt;
    else if (alignment == taRightJustify)
      x = x + lt + Width() - okRB - oldW;
    else
      x -= centreShift;
    if (Layout() == tlTop)
      y = y - okLT + lt;
    else if (Layout() == tlCenter)
      y -= centreShift;
    else
      y = y + lt + Height() - okRB - oldH;
    SetBounds(x, y, oldW + rb - lt, oldH + rb - lt);
    return;
  }
  String text = Caption();
  if (text.empty() || (ShowAccelChar() && text == u"&")) text += u" ";
  TRect r(0, 0, 0x7FFFFFFF, 0);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  DrawTextW(dc, Wide(text), static_cast<int>(text.size()), AsRECT(r),
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int tw = r.Width(), th = r.Height();
  if (FAngle != 0) {
    const double a = FAngle * M_PI / 180;
    const double c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    const int w = RoundEven(tw * c + th * s), h = RoundEven(tw * s + th * c);
    tw = w;
    th = h;
  }
  if (alignment == taLeftJustify)
    x = x - okLT + lt;
  else if (alignment == taRightJustify)
    x = x + 2 * (Width() + lt - okRB) - oldW - tw;
  else
    x -= centreShift;
  if (Layout() == tlTop)
    y = y - okLT + lt;
  else if (Layout() == tlCenter)
    y -= centreShift;
  else
    y = y + 2 * (Height() + lt - okRB) - oldH - th;
  SetBounds(x, y, tw + rb - lt, th + rb - lt);
}

void TsLabelFX::DrawDisabledText(HDC DC, const String& Text, TRect T, TPoint Origin, int Angle, UINT Flags) {
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
  DrawAt(DC, Text, Moved(T, 1), Origin, Angle != 0, Flags);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  DrawAt(DC, Text, T, Origin, Angle != 0, Flags);
}

void TsLabelFX::DoDrawText(TRect& Rect, UINT Flags) {
  if (Loading() || (FShadow->Mode() == smNone && FSkinIndex < 0)) {
    TsCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  const TShadowData d = CurrentShadowData();
  const TColor shadowRGB = ColorToRGB(d.Color);
  FShadow->sr = shadowRGB & 0xFF;
  FShadow->sg = (shadowRGB >> 8) & 0xFF;
  FShadow->sb = (shadowRGB >> 16) & 0xFF;
  const int lt = ShadowMarginLT(d), rb = ShadowMarginRB(d);
  OffsTopLeft = lt;
  String text = Caption();
  if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == u"&"))) text += u" ";
  UINT flags = Flags | DT_NOCLIP | (ShowAccelChar() ? 0 : DT_NOPREFIX) | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(*Font());
  canvas->Brush()->SetStyle(bsClear);
  TSize size;
  TextSizeWithFont(Font()->Handle(), text, flags, WordWrap(), Rect.Width(), size);
  const int tw = size.cx, th = size.cy;
  HDC dc = canvas->Handle();
  std::optional<TFontSelection> turned;
  int W = tw, H = th;
  TPoint origin;
  if (FAngle != 0) {
    turned.emplace(dc, FTurnedFont.Get(*Font(), FAngle * 10));
    const double a = FAngle * M_PI / 180, c = std::cos(a), s = std::sin(a);
    W = RoundEven(tw * std::fabs(c) + th * std::fabs(s));
    H = RoundEven(tw * std::fabs(s) + th * std::fabs(c));
    origin.X = RoundEven((tw - tw * c - th * s) / 2) + (W - tw) / 2;
    origin.Y = RoundEven((th * (1 - c) + tw * s) / 2) + (H - th) / 2;
  }
  TRect T;
  switch (Alignment()) {
    case taLeftJustify: T.Left = Rect.Left - lt; break;
    case taRightJustify: T.Left = Rect.Right - W - rb; break;
    case taCenter: T.Left = d.Offset + (Rect.Right - W - rb - lt) / 2; break;
  }
  switch (Layout()) {
    case tlTop: T.Top = Rect.Top - lt; break;
    case tlCenter: T.Top = d.Offset + (Rect.Bottom - H - rb - lt) / 2; break;
    case tlBottom: T.Top = Rect.Bottom - H - rb; break;
  }
  T.Right = T.Left + W;
  T.Bottom = T.Top + H;
  if (!Enabled()) {
    DrawDisabledText(dc, text, T, origin, FAngle, flags);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(CurrentFontColor()));
  if (Flags & DT_CALCRECT) return;
  if (d.Color == ColorNone || d.Blur == 0) {
    DrawAt(dc, text, T, origin, FAngle != 0, flags);
    return;
  }
  if (FNeedInvalidate || !FShadow->ShadowBuffered()) BuildShadowImage(dc, text, T, origin, flags, d, Rect);
  BitBlt(dc, 0, 0, FMask->Width(), FMask->Height(), FMask->Canvas()->Handle(), 0, 0, SRCCOPY);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(CurrentFontColor()));
  if (FAngle != 0 || FSkinIndex < 0)
    DrawAt(dc, text, T, origin, FAngle != 0, flags);
  else
    DrawSkinTextOnCanvas(*canvas, text.c_str(), Enabled(), T, flags, FSkinIndex, 0, GetSkinManager());
}

void TsLabelFX::BuildShadowImage(HDC DC, const String& Text, const TRect& T, TPoint Origin, UINT Flags,
                                 const TShadowData& Data, const TRect& Rect) {
  const int w = std::max(Rect.Width(), 0), h = std::max(Rect.Height(), 0);
  if (FMask->Width() != w || FMask->Height() != h) FMask->SetSize(w, h);
  TPixelRows mask(FMask.get());
  if (!mask.Valid()) return;
  for (int y = 0; y < h; ++y) std::fill_n(mask.Row(y), w, 0u);
  // The caption in white, moved by the shadow's offset.
  TCanvas* mc = FMask->Canvas();
  mc->Font()->Assign(*Font());
  mc->Brush()->SetStyle(bsClear);
  HDC mdc = mc->Handle();
  {
    std::optional<TFontSelection> turned;
    if (FAngle != 0) turned.emplace(mdc, FTurnedFont.Get(*Font(), FAngle * 10));
    SetBkMode(mdc, TRANSPARENT);
    SetTextColor(mdc, 0xFFFFFF);
    DrawAt(mdc, Text, Moved(T, Data.Offset), Origin, FAngle != 0, Flags);
  }
  GdiFlush();
  // Coverage with a one-pixel border, blurred in place pass after pass;
  // each pass first sets the text's own pixels again.
  const int gw = w + 2;
  const size_t needed = static_cast<size_t>(gw) * static_cast<size_t>(h + 2);
  if (FMaskBits.size() < 2 * needed) FMaskBits.resize(2 * needed);
  uint8_t* cov = FMaskBits.data();
  uint8_t* stamp = cov + needed;
  std::fill_n(cov, needed, 0);
  std::fill_n(stamp, needed, 0);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = mask.Row(y);
    uint8_t* st = stamp + (y + 1) * gw + 1;
    for (int x = 0; x < w; ++x) st[x] = (row[x] & 0xFF) ? 255 : 0;
  }
  for (int pass = 0; pass < Data.Blur; ++pass) {
    for (size_t i = 0; i < needed; ++i) cov[i] |= stamp[i];
    for (int y = 1; y <= h; ++y) {
      uint8_t* c = cov + y * gw;
      for (int x = 1; x <= w; ++x)
        c[x] = static_cast<uint8_t>((c[x - gw] + c[x + gw] + c[x - 1] + c[x + 1]) >> 2);
    }
  }
  const bool transparent = Transparent();
  if (transparent) {
    BitBlt(mdc, 0, 0, w, h, DC, 0, 0, SRCCOPY);
    GdiFlush();
    bool blank = true;
    for (int y = 0; y < h && blank; ++y)
      for (int x = 0; x < w; ++x)
        if (mask.At(x, y) & 0x00FFFFFF) {
          blank = false;
          break;
        }
    // A paint DC that reads back nothing: take the parent's background.
    if (blank && Parent()) {
      TCacheInfo ci;
      LabelParentCacheInfo(this, ci);
      TPixelRows bg(ci.Ready ? ci.Bmp : nullptr);
      const uint32_t fill = ColorToPixel(static_cast<uint32_t>(ColorToRGB(ci.FillColor)));
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int bx = ci.X + Left() + x, by = ci.Y + Top() + y;
          mask.At(x, y) = bg.Valid() && bg.Contains(bx, by) ? bg.At(bx, by) : fill;
        }
    }
  }
  const TColor own = ColorToRGB(Color());
  const uint32_t base[3] = {static_cast<uint32_t>((own >> 16) & 0xFF), static_cast<uint32_t>((own >> 8) & 0xFF),
                            static_cast<uint32_t>(own & 0xFF)};
  const uint32_t shade[3] = {static_cast<uint32_t>(FShadow->sb), static_cast<uint32_t>(FShadow->sg),
                             static_cast<uint32_t>(FShadow->sr)};
  const uint32_t alpha = static_cast<uint32_t>(Data.Alpha);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = mask.Row(y);
    uint8_t* c = cov + (y + 1) * gw + 1;
    for (int x = 0; x < w; ++x) {
      const uint32_t k = (c[x] * alpha) >> 8;
      c[x] = static_cast<uint8_t>(k);
      uint32_t p = row[x];
      uint32_t out = p & 0xFF000000u;
      for (int ch = 0; ch < 3; ++ch) {
        const uint32_t old = transparent ? (p >> (8 * ch)) & 0xFF : base[ch];
        out |= (((old * (255 - k) + shade[ch] * k) >> 8) & 0xFF) << (8 * ch);
      }
      row[x] = out;
    }
  }
  FNeedInvalidate = false;
}
