#include "skin/forms/hints/HintWindows.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinText.h"
#include "skin/forms/hints/Html.h"
#include "skin/forms/hints/ShowTimer.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/StretchParts.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr ULONG_PTR kDropShadow = CS_DROPSHADOW;
// Layered, never activated, no taskbar button, and the mouse goes through.
constexpr LONG_PTR kPictureExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
// The corners a picture may lie on at most.
constexpr int kCornerLimit = 255;

void RemoveDropShadow(HWND wnd) {
  const ULONG_PTR style = GetClassLongPtrW(wnd, GCL_STYLE);
  if (style & kDropShadow) SetClassLongPtrW(wnd, GCL_STYLE, style & ~kDropShadow);
}

TacHintImage* ImageForCorner(TacHintTemplate& t, TacMousePosition corner) {
  switch (corner) {
    case mpLeftBottom: return t.Img_LeftBottom();
    case mpRightTop: return t.Img_RightTop();
    case mpRightBottom: return t.Img_RightBottom();
    default: return t.ImageDefault();
  }
}

TRect SizesRect(const TacBordersSizes& s) { return TRect(s.Left(), s.Top(), s.Right(), s.Bottom()); }

UINT AlignmentFlags(TAlignment a) {
  switch (a) {
    case taLeftJustify: return DT_LEFT;
    case taRightJustify: return DT_RIGHT;
    default: return DT_CENTER;
  }
}

// The picture as 32 bits; pictures without alpha are opaque.
std::unique_ptr<TBitmap> Picture32(TBitmap& picture) {
  auto bmp = NewBmp32(picture.Width(), picture.Height());
  const bool hasAlpha = picture.PixelFormat() == pf32bit;
  BitBlt(bmp->Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), picture.Canvas()->Handle(), 0, 0,
         SRCCOPY);
  GdiFlush();
  if (!hasAlpha) SetRectAlpha(*bmp, TRect(0, 0, bmp->Width(), bmp->Height()), 255, ColorNone);
  return bmp;
}
}  // namespace

TPoint HintAnchorPoint() {
  if (ActiveHintsComponent && ActiveHintsComponent->FHintPos.X != -1) return ActiveHintsComponent->FHintPos;
  POINT p;
  GetCursorPos(&p);
  return TPoint(p.x, p.y);
}

// ---- TacCustomHintWindow -------------------------------------------------------

TacCustomHintWindow::TacCustomHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
  CurrentHintWindow = this;
}

TacCustomHintWindow::~TacCustomHintWindow() {
  OnCloseHint();
  if (ActiveHintsComponent) {
    ActiveHintsComponent->HintShowing = false;
    if (AlphaBmp) ActiveHintsComponent->OldAlphaBmp = std::move(AlphaBmp);
  }
  if (CurrentHintWindow == this) CurrentHintWindow = nullptr;
}

void TacCustomHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  Params.Style &= ~WS_BORDER;
}

bool TacCustomHintWindow::HasAlphaFrame() const {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c || !c->Skinned()) return true;
  if (!LayeredWindowsAvailable()) return false;
  TsSkinManager* sm = DefaultManager;
  return sm->IsValidSkinIndex(SkinIndex) && sm->Model.gd[static_cast<size_t>(SkinIndex)].Props[0].Transparency == 100 &&
         sm->IsValidImgIndex(BorderIndex);
}

int TacCustomHintWindow::SkinBorderWidth(int Side) const {
  TsSkinManager* sm = DefaultManager;
  if (!sm || !sm->IsValidImgIndex(BorderIndex)) return 0;
  const TsMaskData& md = sm->Model.ma[static_cast<size_t>(BorderIndex)];
  const int margins[4] = {md.WL, md.WT, md.WR, md.WB};
  if (Side < 0 || Side > 3) return 0;
  if (margins[Side] > 0) return margins[Side];
  if (Side == 0 || Side == 2) return md.R.Width() / (std::max<int>(md.ImageCount, 1) * 3);
  return md.R.Height() / (std::max(md.MaskType + 1, 1) * 3);
}

TRect TacCustomHintWindow::ShadowRect() const {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c || !c->Active()) return TRect();
  if (c->Skinned()) {
    if (!HasAlphaFrame()) return TRect();
    const auto side = [this](int i) { return std::max(SkinBorderWidth(i) - 1, 0); };
    return TRect(side(0), side(1), side(2), side(3));
  }
  TacHintTemplate& t = CurrentHintTemplate ? *CurrentHintTemplate : c->CurrentTemplateOf();
  // A corner without a picture is drawn with the default image: its
  // shadow places the body.
  TacHintImage* image = ImageForCorner(t, FMousePos);
  if (!image->HasPicture() && image->ImgData().Size() == 0) image = t.ImageDefault();
  return SizesRect(image->ShadowSizes());
}

TRect TacCustomHintWindow::MeasureText(const String& AHint) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (c->HintFrame) return TRect(0, 0, c->HintFrame->Width(), c->HintFrame->Height());
  const int width = c->MaxWidth() > 0 ? c->MaxWidth() : Screen->Width();
  TCanvas* canvas = c->FCacheBmp->Canvas();
  if (c->HTMLMode()) {
    TsHtml html;
    html.Init(canvas, AHint, TRect(0, 0, width, 0), -1, -1);
    TacLinks links;
    return html.HTMLText(links, true);
  }
  RECT r{0, 0, width, 0};
  const UINT flags = AlignmentFlags(c->TextAlignment()) | DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER;
  DrawTextW(canvas->Handle(), reinterpret_cast<LPCWSTR>(AHint.c_str()), static_cast<int>(AHint.size()), &r, flags);
  return TRect(r.left, r.top, r.right, r.bottom);
}

TRect TacCustomHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c) return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
  const bool skinned = c->Skinned();
  if (skinned && DefaultManager->Active()) {
    TsSkinManager& sm = *DefaultManager;
    SkinIndex = sm.GetSkinIndex(c->SkinSection());
    BorderIndex = sm.GetMaskIndex(SkinIndex, c->SkinSection(), u"BORDERSMASK");
    BGIndex = sm.GetTextureIndex(SkinIndex, c->SkinSection(), u"PATTERN");
  }
  if (skinned && !c->HintFrame) c->FCacheBmp->Canvas()->Font()->Assign(*Screen->HintFont());
  TRect r = MeasureText(AHint);
  if (skinned) {
    r.Right += SkinBorderWidth(0) + SkinBorderWidth(2) + 8;
    r.Bottom += SkinBorderWidth(1) + SkinBorderWidth(3) + 8;
  }
  return r;
}

TacMousePosition TacCustomHintWindow::GetArrowPos(TRect& Rect, const TPoint& mPos) {
  TsAlphaHints* c = ActiveHintsComponent;
  FMousePos = c ? c->DefaultMousePos : mpLeftTop;
  const TRect S = ShadowRect();
  Rect = TRect(Rect.Left + S.Left, Rect.Top + S.Top, Rect.Right - S.Right, Rect.Bottom - S.Bottom);
  const int W = Rect.Width(), H = Rect.Height();
  bool top = FMousePos == mpLeftTop || FMousePos == mpRightTop;
  bool left = FMousePos == mpLeftTop || FMousePos == mpLeftBottom;
  if (!top) Rect = TRect(Rect.Left, Rect.Top - H, Rect.Right, Rect.Bottom - H);
  if (!left) Rect = TRect(Rect.Left - W, Rect.Top, Rect.Right - W, Rect.Bottom);

  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromPoint(POINT{Rect.Left, Rect.Top}, MONITOR_DEFAULTTONEAREST);
  bool moved = false;
  if (monitor && GetMonitorInfoW(monitor, &info)) {
    const RECT& M = info.rcMonitor;
    TacHintTemplate* t = CurrentHintTemplate;
    auto hasPicture = [](TacHintImage* image) {
      return image && (image->HasPicture() || image->ImgData().Size() > 0);
    };
    const bool skinned = c && c->Skinned();
    if (Rect.Bottom > M.bottom) {
      if (skinned)
        Rect.Top = M.bottom - H;
      else if (t && hasPicture(t->Img_LeftBottom()))
        Rect.Top = mPos.Y - H;
      else
        Rect.Top = mPos.Y - (Rect.Bottom - M.bottom);
      top = false;
      moved = true;
    }
    if (Rect.Top < M.top) {
      Rect.Top = M.top;
      top = true;
      moved = true;
    }
    if (Rect.Right > M.right) {
      if (skinned)
        Rect.Left = M.right - W;
      else if (t && hasPicture(t->Img_RightTop()))
        Rect.Left = mPos.X - W;
      else
        Rect.Left = mPos.X - (Rect.Right - M.right);
      left = false;
      moved = true;
    }
    if (Rect.Left < M.left) {
      Rect.Left = M.left;
      left = true;
      moved = true;
    }
  }
  TacMousePosition result = mpLeftTop;
  if (moved) result = top ? (left ? mpLeftTop : mpRightTop) : (left ? mpLeftBottom : mpRightBottom);
  Rect = TRect(Rect.Left - S.Left, Rect.Top - S.Top, Rect.Right + S.Right, Rect.Bottom + S.Bottom);
  return result;
}

std::unique_ptr<TForm> TacCustomHintWindow::CreateHintWindow(const TRect& R) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetTag(256);
  form->SetBorderStyle(bsNone);
  form->SetFormStyle(fsStayOnTop);
  HWND wnd = form->Handle();
  // The picture draws its own shadow.
  RemoveDropShadow(wnd);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | kPictureExStyle);
  SetWindowPos(wnd, HWND_TOPMOST, R.Left, R.Top, R.Width(), R.Height(), SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  return form;
}

void TacCustomHintWindow::ActivateHint(TRect Rect, const String& AHint) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c) {
    THintWindow::ActivateHint(Rect, AHint);
    return;
  }
  c->State = hsInit;
  c->CheckTimer.reset();
  c->HintShowing = true;
  if (c->AnimWindow) {
    RECT wr{};
    GetWindowRect(c->AnimWindow->Handle(), &wr);
    if (wr.right - wr.left == 0 || (wr.left == 0 && wr.top == 0)) {
      c->AnimWindow.reset();
    } else {
      if (c->ShowTimer) c->ShowTimer->SetEnabled(false);
      if (!c->NewWindow && AlphaBmp) c->OldAlphaBmp = std::move(AlphaBmp);
    }
  }
  c->ShowTimer.reset();
  Text = AHint;

  const TPoint location = FHintLocation;
  const TPoint mPos = location.X != 0 && location.Y != 0 ? location : TPoint(Rect.Left, Rect.Top);
  const int W = Rect.Width(), H = Rect.Height();
  TRect S = ShadowRect();
  Rect = TRect(mPos.X - S.Left, mPos.Y - S.Top, mPos.X - S.Left + W, mPos.Y - S.Top + H);

  HWND wnd = Handle();
  SetWndAlpha(wnd, true, 0);
  SetBounds(Rect.Left, Rect.Top, W, H);
  RemoveDropShadow(wnd);
  SetWindowPos(wnd, HWND_TOPMOST, Rect.Left, Rect.Top, W, H, SWP_NOACTIVATE | SWP_SHOWWINDOW);

  FMousePos = GetArrowPos(Rect, mPos);
  if (!c->Skinned() && (FMousePos == mpLeftBottom || FMousePos == mpRightBottom)) Rect.Top -= 16;
  Rect = TRect(Rect.Left, Rect.Top, Rect.Left + W, Rect.Top + H);
  c->FCacheBmp->SetSize(W, H);
  c->NewBounds = Rect;
  if (!c->AnimWindow) c->AnimWindow = CreateHintWindow(Rect);

  if (LayeredWindowsAvailable()) {
    if (c->Animated()) {
      c->ShowTimer = std::make_unique<TsShowTimer>(nullptr);
      c->ShowTimer->Init(this, W, H);
    } else {
      CreateAlphaBmp(W, H);
      HWND picture = c->AnimWindow->Handle();
      const TPoint at(Rect.Left, Rect.Top);
      UpdateLayeredWnd(picture, AlphaBmp.get(), 255, &at);
      ShowWindow(picture, SW_SHOWNOACTIVATE);
      SetWindowPos(picture, HWND_TOPMOST, Rect.Left, Rect.Top, W, H, SWP_NOACTIVATE | SWP_NOOWNERZORDER);
      c->OldAlphaBmp = std::move(AlphaBmp);
    }
  }
  c->State = hsNormal;
  c->FHintPos.X = -1;
}

void TacCustomHintWindow::CreateAlphaBmp(int Width, int Height) {
  if (SkinnedRoad()) {
    CreateSkinnedAlphaBmp(Width, Height);
    return;
  }
  // Without the skin's section a plain picture of the window's colour
  // stands in.
  AlphaBmp = NewBmp32(Width, Height);
  FillRect32(*AlphaBmp, TRect(0, 0, Width, Height), Color(), 255);
  auto copy = NewBmp32Like(*AlphaBmp);
  CloneBmp(*copy, *AlphaBmp);
  PaintHintContent(*AlphaBmp);
  CopyChannel(*AlphaBmp, *copy, 3);
  PremultiplyBmp(*AlphaBmp);
}

void TacCustomHintWindow::PaintHintContent(TBitmap& Bmp) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c) return;
  TRect area(0, 0, c->NewBounds.Width(), c->NewBounds.Height());
  const bool skinned = SkinnedRoad();
  if (skinned) {
    const auto side = [this](int i) { return SkinBorderWidth(i) + 4; };
    area = TRect(area.Left + side(0), area.Top + side(1), area.Right - side(2), area.Bottom - side(3));
  } else if (CurrentHintImage) {
    const TacBordersSizes& m = CurrentHintImage->ClientMargins();
    area = TRect(area.Left + m.Left(), area.Top + m.Top(), area.Right - m.Right(), area.Bottom - m.Bottom());
  }
  // A frame handed in by the handler is measured but not drawn here.
  if (c->HintFrame) return;
  area = TRect(area.Left - 1, area.Top, area.Right - 1, area.Bottom);
  TCanvas* canvas = Bmp.Canvas();
  canvas->Brush()->SetStyle(bsClear);
  const String text = Text.empty() ? Caption() : Text;
  if (skinned) canvas->Font()->Assign(*Screen->HintFont());
  if (c->HTMLMode()) {
    TColor color = canvas->Font()->Color();
    if (skinned)
      color = DefaultManager->Model.gd[static_cast<size_t>(SkinIndex)].Props[0].FontColor.Color;
    else if (CurrentHintTemplate)
      color = CurrentHintTemplate->Font()->Color();
    canvas->Font()->SetColor(color < 0 ? clBlack : color);
    TsHtml html;
    html.Init(canvas, text, area, -1, -1);
    TacLinks links;
    html.HTMLText(links, false);
  } else if (skinned) {
    const UINT flags = AlignmentFlags(c->TextAlignment()) | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
    DrawSkinTextOnCanvas(*canvas, text.c_str(), true, area, flags, SkinIndex, 0, DefaultManager);
  } else {
    RECT r{area.Left, area.Top, area.Right, area.Bottom};
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &r,
              AlignmentFlags(c->TextAlignment()) | DT_WORDBREAK | DT_NOPREFIX);
  }
  GdiFlush();
}

void TacCustomHintWindow::OnCloseHint() {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c) return;
  if (c->ShowTimer && c->ShowTimer->Enabled()) {
    c->ShowTimer->SetEnabled(false);
    c->FreeHintFrame();
  }
  if (CurrentHintWindow == this) CurrentHintWindow = nullptr;
  if (c->OnHideHint) c->OnHideHint(c);
  c->StartCheckTimer();
}

void TacCustomHintWindow::UpdateWnd(int w, int h) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c || !c->AnimWindow) return;
  if (w == 0 || h == 0) {
    RECT r{};
    GetWindowRect(CurrentHintWindow ? CurrentHintWindow->Handle() : c->AnimWindow->Handle(), &r);
    w = r.right - r.left;
    h = r.bottom - r.top;
  }
  CreateAlphaBmp(w, h);
  HWND picture = c->AnimWindow->Handle();
  UpdateLayeredWnd(picture, AlphaBmp.get(), 0, nullptr);
  UpdateLayeredWnd(picture, AlphaBmp.get(), 255, nullptr);
  ShowWindow(picture, SW_SHOWNOACTIVATE);
  c->HintShowing = true;
  c->OldAlphaBmp = std::move(AlphaBmp);
}

void TacCustomHintWindow::WndProc(TMessage& Message) {
  if (Message.Msg == SM_SKINCMD) {
    switch (HIWORD(Message.WParam)) {
      case SKC_CTRLSKINNED:
      case SKC_BGNOTUNIFORM:
        Message.Result = 1;
        return;
      case SKC_GETBGINFO:
        if (auto* bg = reinterpret_cast<TacParentBgData*>(Message.LParam)) {
          if (BodyBmp) {
            bg->BgKind = bgCache;
            bg->Bmp = BodyBmp.get();
            bg->Offset = TPoint(0, 0);
          } else {
            bg->BgKind = bgColor;
            bg->Color = Color();
          }
        }
        return;
      default:
        break;
    }
  }
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_NCPAINT) {
    // The region follows the mask only when the size changed, so that
    // setting it does not come back here for ever.
    RECT own{};
    GetWindowRect(Handle(), &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    if (SkinnedRoad() && w > 0 && h > 0 && (!MaskBmp || MaskBmp->Width() != w || MaskBmp->Height() != h))
      MakeMaskBmp(w, h);
    Message.Result = 1;
    return;
  }
  THintWindow::WndProc(Message);
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c) return;
  switch (Message.Msg) {
    case WM_MOVE:
    case WM_SIZE:
      if (c->AnimWindow && c->State != hsInit) {
        HWND picture = c->AnimWindow->Handle();
        RECT own{}, pr{};
        GetWindowRect(Handle(), &own);
        GetWindowRect(picture, &pr);
        SetWindowPos(picture, nullptr, own.left, own.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        c->NewBounds = TRect(own.left, own.top, own.left + (pr.right - pr.left), own.top + (pr.bottom - pr.top));
      }
      break;
    case WM_SHOWWINDOW:
      if (Message.WParam == 0)
        OnCloseHint();
      else
        CurrentHintWindow = this;
      break;
    default:
      break;
  }
}

// ---- TacPngHintWindow ------------------------------------------------------------

TacPngHintWindow::TacPngHintWindow(TComponent* AOwner) : TacCustomHintWindow(AOwner) {}

TacPngHintWindow::~TacPngHintWindow() { AlphaBmp.reset(); }

TRect TacPngHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  TsAlphaHints* c = ActiveHintsComponent;
  if (!c) return THintWindow::CalcHintRect(MaxWidth, AHint, AData);
  if (c->Skinned()) return TacCustomHintWindow::CalcHintRect(MaxWidth, AHint, AData);
  CurrentHintTemplate = &c->CurrentTemplateOf();
  c->FCacheBmp->Canvas()->Font()->Assign(*CurrentHintTemplate->Font());
  const TRect base = MeasureText(AHint);
  CurrentHintImage = CurrentHintTemplate->ImageDefault();
  const TRect m = SizesRect(CurrentHintImage->ClientMargins());
  TRect r(base.Left, base.Top, base.Right + m.Left + m.Right, base.Bottom + m.Top + m.Bottom);
  const TPoint p = FHintLocation.X != 0 && FHintLocation.Y != 0 ? FHintLocation : HintAnchorPoint();
  r = TRect(r.Left + p.X, r.Top + p.Y, r.Right + p.X, r.Bottom + p.Y);
  FMousePos = GetArrowPos(r, p);
  if (FMousePos != mpLeftTop) {
    TacHintImage* corner = ImageForCorner(*CurrentHintTemplate, FMousePos);
    if (!corner->HasPicture()) corner->StreamChanged();
    if (corner->HasPicture()) CurrentHintImage = corner;
  }
  const TRect cm = SizesRect(CurrentHintImage->ClientMargins());
  return TRect(base.Left, base.Top, base.Right + cm.Left + cm.Right, base.Bottom + cm.Top + cm.Bottom);
}

void TacPngHintWindow::CreateAlphaBmp(int Width, int Height) {
  if (SkinnedRoad()) {
    TacCustomHintWindow::CreateAlphaBmp(Width, Height);
    return;
  }
  if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, FALSE);
  AlphaBmp = NewBmp32(Width, Height);
  if (CurrentHintTemplate && CurrentHintImage) {
    TacHintImage* image = CurrentHintImage;
    if (!image->HasPicture() && image->ImgData().Size() > 0) image->StreamChanged();
    // An image without a picture borrows the default one, not to leave the
    // hint invisible.
    TacHintImage* drawn = image->HasPicture() ? image : DefaultHintTemplate().ImageDefault();
    if (drawn->HasPicture()) {
      auto picture = Picture32(*drawn->Image());
      const TacBordersSizes& b = drawn->BordersWidths();
      const TacBorderDrawModes& modes = drawn->BorderDrawModes();
      StretchBmpParts(*AlphaBmp, *picture, TRect(0, 0, Width, Height),
                      TRect(0, 0, picture->Width(), picture->Height()),
                      TRect(b.Left(), b.Top(), b.Right(), b.Bottom()),
                      TRect(kCornerLimit, kCornerLimit, kCornerLimit, kCornerLimit),
                      {modes.Left(), modes.Top(), modes.Right(), modes.Bottom()}, modes.Center() == dmStretch, true);
      GdiFlush();
    }
  }
  auto copy = NewBmp32Like(*AlphaBmp);
  CloneBmp(*copy, *AlphaBmp);
  if (CurrentHintTemplate) AlphaBmp->Canvas()->Font()->Assign(*CurrentHintTemplate->Font());
  PaintHintContent(*AlphaBmp);
  CopyChannel(*AlphaBmp, *copy, 3);
  PremultiplyBmp(*AlphaBmp);
}
