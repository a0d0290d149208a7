#include "skin/engine/SkinLabels.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SectionPaint.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinText.h"
#include "skin/graphics/ColorFuncs.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include <shellapi.h>

TacHtmlRenderFunc HtmlTextRender = nullptr;

namespace {
// The section in its normal state over what the parent shows behind the
// label, looked up in the manager that gave the index.
void PaintLabelSectionBg(TsCustomLabel* Label, int SkinIndex) {
  TCanvas* canvas = Label->Canvas();
  if (!canvas) return;
  TCacheInfo ci;
  LabelParentCacheInfo(Label, ci);
  PaintSectionOnDC(SkinIndex, ci, true, 0, Label->ClientRect(), TPoint(Label->Left(), Label->Top()), canvas->Handle(),
                   Label->GetSkinManager());
  canvas->Changed();
}
}  // namespace

void (*LabelSectionPainter)(TsCustomLabel* Label, int SkinIndex) = PaintLabelSectionBg;

namespace {
// Library-wide re-entry flags: the section lookup of a paint, and the
// handling of a font change.
bool SectionLookupRunning = false;
bool FontChangeRunning = false;

class TFlagScope {
public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

RECT* AsRECT(TRect& R) { return reinterpret_cast<RECT*>(&R); }

int MeasureHeight(HDC DC, const String& Text, TRect R, UINT Format) {
  DrawTextW(DC, reinterpret_cast<LPCWSTR>(Text.c_str()), static_cast<int>(Text.size()), AsRECT(R),
            Format | DT_CALCRECT);
  return R.Height();
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

// ---- Text helpers ------------------------------------------------------------

String StripHtmlTags(const String& Text) {
  String s = Text;
  for (;;) {
    const size_t open = s.find(u'<');
    if (open == String::npos || open + 1 >= s.size()) break;
    const size_t close = s.find(u'>');
    // A ">" before the "<" would leave nothing to remove: the removal ends.
    if (close == String::npos || close < open) break;
    s.erase(open, close - open + 1);
  }
  return s;
}

void CutLastWord(String& Text) {
  const size_t blank = Text.find_last_of(u" \t");
  if (blank != String::npos) {
    Text.resize(blank);
  } else if (Text.size() >= 2 && IsLowSurrogate(Text.back()) && IsHighSurrogate(Text[Text.size() - 2])) {
    Text.resize(Text.size() - 2);
  } else if (!Text.empty()) {
    Text.pop_back();
  }
}

String WrapWithEllipsis(HDC DC, const String& Text, const TRect& R, UINT Format, int MaxHeight) {
  static const String dots = u"...";
  SIZE dotSize{};
  GetTextExtentPoint32W(DC, reinterpret_cast<LPCWSTR>(dots.c_str()), 3, &dotSize);
  const TRect narrowed(R.Left, R.Top, R.Right - dotSize.cx, R.Bottom);
  String text = Text;
  bool cut = false;
  while (!text.empty() && MeasureHeight(DC, text + dots, narrowed, Format) > MaxHeight) {
    CutLastWord(text);
    cut = true;
  }
  if (!cut && MeasureHeight(DC, text, R, Format) <= MaxHeight) return text;
  return text + dots;
}

// ---- TsCustomLabel ---------------------------------------------------------------

TsCustomLabel::TsCustomLabel(TComponent* AOwner) : TCustomLabel(AOwner) { SetTransparent(true); }

TsSkinManager* TsCustomLabel::GetSkinManager() const { return FSkinManager ? FSkinManager : DefaultManager; }

void TsCustomLabel::SetSkinManager(TsSkinManager* Value) {
  if (FSkinManager == Value) return;
  if (FSkinManager) FSkinManager->RemoveFreeNotification(this);
  FSkinManager = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TsCustomLabel::SetSkinSection(const String& Value) {
  if (FSkinSection == Value) return;
  FSkinSection = Value;
  Invalidate();
}

void TsCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomLabel::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinManager) FSkinManager = nullptr;
}

TColor TsCustomLabel::DisabledColor(TColor Color) const {
  return BlendColorPair(ColorToRGB(Color), GetControlColor(Parent()), DisabledBlend);
}

TColor TsCustomLabel::TextColor() {
  if (!Enabled()) return DisabledColor(Font()->Color());
  TsSkinManager* sm = GetSkinManager();
  return sm ? sm->Model.Palette[pcLabelText] : Font()->Color();
}

void TsCustomLabel::Paint() {
  FSkinIndex = -1;
  if (!IsDestroying()) {
    TsSkinManager* sm = GetSkinManager();
    if (!FSkinSection.empty() && SkinInUse(sm)) {
      FSkinIndex = sm->GetSkinIndex(AnsiUpperCase(FSkinSection));
      if (FSkinIndex >= 0 && !SectionLookupRunning) {
        TFlagScope busy(SectionLookupRunning);
        const TColor color = sm->Model.gd[static_cast<size_t>(FSkinIndex)].Props[0].FontColor.Color;
        if (Font()->Color() != color) Font()->SetColor(color);
      }
    }
    // Index 0 is a section like any other.
    if (FSkinIndex >= 0 && LabelSectionPainter) LabelSectionPainter(this, FSkinIndex);
  }
  TCustomLabel::Paint();
  FSkinIndex = -1;
}

void TsCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  if (!SkinInUse(GetSkinManager())) {
    TCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  String text = Caption();
  if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == u"&"))) text += u" ";
  UINT format = Flags | (ShowAccelChar() ? 0 : DT_NOPREFIX);
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(TextFont());
  canvas->Brush()->SetStyle(bsClear);
  HDC dc = canvas->Handle();
  if (EllipsisPosition() != epNone && !AutoSize()) {
    static constexpr UINT ellipsis[4] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
    format = (format & ~DT_EXPANDTABS) | ellipsis[EllipsisPosition()];
    if (EllipsisPosition() != epPathEllipsis && WordWrap() && !(Flags & DT_CALCRECT))
      text = WrapWithEllipsis(dc, text, Rect, format, std::max(ClientHeight(), std::abs(TextFont().Height())));
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(TextColor())));
  DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), AsRECT(Rect), format);
}

void TsCustomLabel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_FONTCHANGED) {
    const bool quiet = IsDestroying() || (ComponentState() & (csLoading | csReading)) || FontChangeRunning;
    if (!quiet) {
      if (SectionLookupRunning) return;
      TFlagScope busy(FontChangeRunning);
      if (AutoSize()) AdjustBounds();
      Invalidate();
      return;
    }
  }
  TCustomLabel::WndProc(Message);
  if (Message.Msg != SM_SKINCMD) return;
  switch (Message.WParamHi()) {
    case SKC_REMOVESKIN:
    case SKC_REFRESH:
      if (!IsDestroying()) Invalidate();
      break;
    case SKC_GETFONTSECTION:
      if (SkinInUse(GetSkinManager()) && Parent() && Message.LParam)
        Message.Result = RelayFontSection(Parent(), *reinterpret_cast<TacFontSectionRequest*>(Message.LParam));
      break;
    default:
      break;
  }
}

// ---- TsLabel ------------------------------------------------------------------

void TsLabel::SetUseSkinColor(bool Value) {
  if (FUseSkinColor == Value) return;
  FUseSkinColor = Value;
  Invalidate();
}

TColor TsLabel::TextColor() {
  TsSkinManager* sm = GetSkinManager();
  if (!FUseSkinColor || !SkinInUse(sm)) return Font()->Color();
  const int own = SkinSection().empty() ? -1 : sm->GetSkinIndex(AnsiUpperCase(SkinSection()));
  const int index = GetFontSkinIndex(this, own, sm);
  const TColor color = sm->IsValidSkinIndex(index) ? sm->Model.gd[static_cast<size_t>(index)].Props[0].FontColor.Color
                                                   : sm->Model.Palette[pcLabelText];
  return Enabled() ? color : DisabledColor(color);
}

// ---- TsHTMLLabel ----------------------------------------------------------------

void TsHTMLLabel::SetUseHTML(bool Value) {
  if (FUseHTML == Value) return;
  FUseHTML = Value;
  Invalidate();
}

String TsHTMLLabel::PlainCaption() const { return StripHtmlTags(Caption()); }

void TsHTMLLabel::DoDrawText(TRect& Rect, UINT Flags) {
  if (!FUseHTML) {
    TsCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  const String caption = Caption();
  if (caption.empty()) return;
  TCanvas* canvas = Canvas();
  if (!HtmlTextRender) {
    canvas->Font()->Assign(TextFont());
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(TextColor())));
    const String plain = PlainCaption();
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(plain.c_str()), static_cast<int>(plain.size()), AsRECT(Rect), Flags);
    return;
  }
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(std::max(Width(), 0), std::max(Height(), 0));
  bmp.Canvas()->Font()->Assign(*Font());
  bmp.Canvas()->Font()->SetColor(TextColor());
  bmp.Canvas()->Brush()->SetStyle(bsClear);
  TsSkinManager* sm = GetSkinManager();
  if (Flags & DT_CALCRECT) {
    Rect = HtmlTextRender(bmp, caption, TRect(), HotLink, PressedLink, sm, true, Links);
    return;
  }
  TRect area = Rect;
  if (Alignment() != taLeftJustify) {
    TacLinks measured;
    const int w = HtmlTextRender(bmp, caption, Rect, HotLink, PressedLink, sm, true, measured).Width();
    if (Alignment() == taRightJustify) {
      area.Left = Rect.Right - w;
    } else {
      area.Left = (Rect.Width() - w) / 2;
      area.Right = area.Left + w;
    }
  }
  const TRect whole(0, 0, bmp.Width(), bmp.Height());
  bmp.Canvas()->CopyRect(whole, canvas, whole);
  HtmlTextRender(bmp, caption, area, HotLink, PressedLink, sm, false, Links);
  canvas->CopyRect(whole, bmp.Canvas(), whole);
}

int TsHTMLLabel::LinkAt(TPoint P) const {
  for (size_t i = 0; i < Links.size(); ++i)
    if (Links[i].Bounds.Contains(P)) return static_cast<int>(i);
  return -1;
}

void TsHTMLLabel::SetLinkCursor(bool Hand) { SetCursor(Hand ? crHandPoint : crDefault); }

void TsHTMLLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      const TPoint p(static_cast<int16_t>(LOWORD(Message.LParam)), static_cast<int16_t>(HIWORD(Message.LParam)));
      const int link = LinkAt(p);
      if (link < 0) {
        if (HotLink >= 0) {
          HotLink = -1;
          SetLinkCursor(false);
          Invalidate();
        }
      } else if (link != HotLink) {
        HotLink = link;
        SetLinkCursor(true);
        Invalidate();
      }
      break;
    }
    case WM_LBUTTONDOWN:
      if (HotLink >= 0) {
        PressedLink = HotLink;
        Invalidate();
      }
      break;
    case WM_LBUTTONUP:
      if (PressedLink >= 0) {
        if (HotLink >= 0) DoClick(PressedLink);
        PressedLink = -1;
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
      if (HotLink >= 0 || PressedLink >= 0) {
        HotLink = -1;
        PressedLink = -1;
        SetLinkCursor(false);
        Invalidate();
      }
      break;
    default:
      break;
  }
  TsLabel::WndProc(Message);
}

void TsHTMLLabel::DoClick(int LinkIndex) {
  if (LinkIndex < 0 || LinkIndex >= static_cast<int>(Links.size())) return;
  const String& url = Links[static_cast<size_t>(LinkIndex)].URL;
  if (url.empty()) return;
  ShellExecuteW(Application->Handle(), L"open", reinterpret_cast<LPCWSTR>(url.c_str()), nullptr, nullptr,
                static_cast<int>(FShowMode));
}

// ---- TsEditLabel ---------------------------------------------------------------

TsEditLabel::TsEditLabel(TComponent* AOwner, TsBoundLabel* BoundStruct)
    : TsHTMLLabel(AOwner), BoundLabel(BoundStruct) {}

TsEditLabel::~TsEditLabel() {
  if (BoundLabel) {
    BoundLabel->HasLabel = false;
    BoundLabel->TheLabel = nullptr;
  }
}
