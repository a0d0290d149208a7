#include "skin/forms/hints/Html.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/ColorFuncs.h"
#include <algorithm>

namespace {
constexpr TColor kLinkBlue = 0xFF0000;
constexpr TColor kLinkRed = 0x0000FF;

struct TNamedColor {
  const char16_t* Name;
  TColor Color;
};
constexpr TNamedColor kColorNames[] = {
    {u"AQUA", 0xFFFF00},  {u"BLACK", 0x000000}, {u"BLUE", 0xFF0000},   {u"FUCHSIA", 0xFF00FF},
    {u"GRAY", 0x808080},  {u"GREEN", 0x008000}, {u"LIME", 0x00FF00},   {u"MAROON", 0x000080},
    {u"NAVY", 0x800000},  {u"OLIVE", 0x008080}, {u"PURPLE", 0x800080}, {u"RED", 0x0000FF},
    {u"SILVER", 0xC0C0C0}, {u"TEAL", 0x808000}, {u"WHITE", 0xFFFFFF},  {u"YELLOW", 0x00FFFF},
};

// Upper case character by character, so positions in both texts agree.
String UpperSameLength(const String& s) {
  String r(s);
  for (char16_t& c : r) c = AnsiUpperChar(c);
  return r;
}

bool IsSeparator(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u' ' || c == u'"' || c == u'<' || c == u'=' || c == u'>';
}

std::vector<String> SplitTagWords(const String& s) {
  std::vector<String> words;
  String word;
  for (char16_t c : s) {
    if (IsSeparator(c)) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// RRGGBB as a colour; anything that is not hexadecimal gives black.
TColor ParseRgb(const String& text) {
  uint32_t value = 0;
  for (char16_t c : text) {
    int d = HexDigit(c);
    if (d < 0) return 0;
    value = value << 4 | static_cast<uint32_t>(d);
  }
  value &= 0xFFFFFF;
  return static_cast<TColor>((value >> 16 & 0xFF) | (value & 0xFF00) | (value & 0xFF) << 16);
}

TColor ParseColor(const String& word) {
  if (!word.empty() && word[0] == u'#') return ParseRgb(word.substr(1));
  for (const TNamedColor& n : kColorNames)
    if (word == n.Name) return n.Color;
  return ParseRgb(word);
}

// The tag's name: the word right after "<" (or "</").
String TagName(const String& s, size_t from) {
  size_t end = from;
  while (end < s.size() && s[end] != u'>' && s[end] != u' ' && s[end] != u'\t' && s[end] != u'\r' &&
         s[end] != u'\n')
    ++end;
  return s.substr(from, end - from);
}

// The target of a link from its tag text.
String ExtractHref(const String& tag) {
  const String upped = UpperSameLength(tag);
  size_t href = upped.find(u"HREF");
  if (href == String::npos) return String();
  String rest = tag.substr(href + 4);
  size_t eq = rest.find(u'=');
  if (eq == String::npos) return String();
  rest = rest.substr(eq + 1);
  // Only an opening quote is dropped: an unquoted value keeps its first
  // character.
  if (!rest.empty() && (rest[0] == u'"' || rest[0] == u'\'')) rest = rest.substr(1);
  String url;
  for (char16_t c : rest)
    if (c != u'\'' && c != u'"' && c != u'>') url += c;
  return url;
}

// The skinned HTML label draws through this renderer once it is linked in.
TRect RenderForLabels(TBitmap& Bmp, const String& Text, const TRect& Area, int HotLink, int PressedLink,
                      TsSkinManager* Manager, bool CalcOnly, TacLinks& Links) {
  TsHtml html;
  html.SkinManager = Manager;
  html.Init(&Bmp, Text, Area, HotLink, PressedLink);
  return html.HTMLText(Links, CalcOnly);
}

const bool LabelsRenderThroughTsHtml = (HtmlTextRender = &RenderForLabels, true);

}  // namespace

TsHtml::~TsHtml() = default;

void TsHtml::Init(TCanvas* ACanvas, const String& Text, const TRect& aRect, int AHotLink, int APressedLink) {
  Canvas = ACanvas;
  Origin = Text;
  UppedText = UpperSameLength(Text);
  Len = static_cast<int>(UppedText.size());
  Area = aRect;
  CurX = Area.Left;
  CurY = Area.Top;
  MaxBmpWidth = MaxBmpHeight = CurWidthValue = 0;
  CurrentRowHeight = 0;
  HotLink = AHotLink;
  PressedLink = APressedLink;
  FFonts.clear();
  FOpenLinks = 0;
}

void TsHtml::Init(TBitmap* Bmp, const String& Text, const TRect& aRect, int AHotLink, int APressedLink) {
  Init(Bmp->Canvas(), Text, aRect, AHotLink, APressedLink);
}

TRect TsHtml::HTMLText(TacLinks& ALinks, bool CalcOnly) {
  Links.clear();
  Calculating = CalcOnly;
  struct TEndOfPass {
    TsHtml& Html;
    ~TEndOfPass() { Html.Calculating = false; }
  } endOfPass{*this};
  Canvas->Brush()->SetStyle(bsClear);
  int p = 0;
  int i = 0;
  while (i < Len) {
    const char16_t c = UppedText[i];
    if (c == u'&') {
      ShowCut(i, p);
      p = i;
      String entity = GetSpecialCharacter(Origin, i);
      if (!entity.empty()) {
        i += static_cast<int>(entity.size());
        p = i;
      } else {
        ++i;
      }
    } else if (c == u'<' && i + 1 < Len && UppedText[i + 1] == u'<') {
      ShowCut(i, p);
      p = i + 1;
      i += 2;
    } else if (c == u'<') {
      ShowCut(i, p);
      p = i;
      size_t close = UppedText.find(u'>', static_cast<size_t>(i));
      if (close == String::npos) {
        // An unterminated tag loses its "<".
        ++i;
        p = i;
      } else if (ExecTag(UppedText.substr(i, close - i + 1), i)) {
        i = static_cast<int>(close) + 1;
        p = i;
      } else {
        ++i;  // an unknown tag shows as text
      }
    } else {
      ++i;
    }
  }
  ShowCut(Len, p);
  MaxBmpWidth = std::max(MaxBmpWidth, CurWidthValue);
  CurWidthValue = 0;
  MaxBmpHeight = CurY + CurrentRowHeight;
  ALinks = Links;
  return TRect(0, 0, MaxBmpWidth, MaxBmpHeight);
}

bool TsHtml::ExecTag(const String& s, int CurPos) {
  if (s.size() >= 2 && s[1] == u'/') {
    const String name = TagName(s, 2);
    TFont* font = Canvas->Font();
    if (name == u"B") {
      font->SetStyle(font->Style() - TFontStyles{fsBold});
    } else if (name == u"I") {
      font->SetStyle(font->Style() - TFontStyles{fsItalic});
    } else if (name == u"U") {
      font->SetStyle(font->Style() - TFontStyles{fsUnderline});
    } else if (name == u"FONT") {
      BackFont();
    } else if (name == u"A") {
      CloseLink();
    } else {
      return false;
    }
    return true;
  }
  const String name = TagName(s, 1);
  // The simple tags carry nothing but their name.
  auto bare = [&](const char16_t* n) { return name == n && s == u"<" + name + u">"; };
  TFont* font = Canvas->Font();
  if (bare(u"BR") || bare(u"BR/") || bare(u"P")) {
    CurX = Area.Left;
    if (CurrentRowHeight == 0) CurrentRowHeight = Canvas->TextHeight(u"X");
    NewRow();
  } else if (bare(u"B")) {
    font->SetStyle(font->Style() + TFontStyles{fsBold});
  } else if (bare(u"I")) {
    font->SetStyle(font->Style() + TFontStyles{fsItalic});
  } else if (bare(u"U")) {
    font->SetStyle(font->Style() + TFontStyles{fsUnderline});
  } else if (name == u"FONT") {
    NewFont(s, false, 0);
  } else if (name == u"A") {
    const int n = static_cast<int>(Links.size());
    NewFont(s, true, (PressedLink == n ? 1 : 0) + (HotLink == n ? 1 : 0));
    TacLink link;
    link.Bounds = TRect(CurX, CurY, CurX, CurY);
    link.URL = Origin.substr(static_cast<size_t>(CurPos), s.size());
    Links.push_back(link);
    ++FOpenLinks;
  } else {
    return false;
  }
  return true;
}

void TsHtml::CloseLink() {
  // A closing A without an open link refers to nothing.
  if (FOpenLinks == 0 || Links.empty()) return;
  --FOpenLinks;
  TacLink& link = Links.back();
  link.URL = ExtractHref(link.URL);
  link.Bounds.Right = CurX;
  link.Bounds.Bottom = link.Bounds.Top + CurrentRowHeight;
  BackFont();
}

void TsHtml::NewFont(const String& s, bool IsLink, int State) {
  auto saved = std::make_unique<TFont>();
  saved->Assign(*Canvas->Font());
  FFonts.push_back(std::move(saved));
  TFont* font = Canvas->Font();
  if (!IsLink) {
    ApplyFontAttributes(s);
    return;
  }
  font->SetColor(kLinkBlue);
  auto* manager = dynamic_cast<TsSkinManager*>(SkinManager);
  if (!manager || !manager->Active()) {
    font->SetColor(State == 2 ? kLinkRed : kLinkBlue);
  } else {
    const auto& palette = manager->Model.Palette;
    if (State == 0)
      font->SetColor(palette[pcWebText]);
    else if (State == 1)
      font->SetColor(palette[pcWebTextHot]);
    else
      font->SetColor(BlendColorPair(palette[pcWebTextHot], palette[pcLabelText], 0.5));
  }
  if (State != 0) font->SetStyle(font->Style() + TFontStyles{fsUnderline});
}

void TsHtml::ApplyFontAttributes(const String& s) {
  TFont* font = Canvas->Font();
  const std::vector<String> words = SplitTagWords(s);
  for (size_t k = 0; k < words.size(); ++k) {
    const String& word = words[k];
    const bool hasNext = k + 1 < words.size();
    if (word == u"SIZE" && hasNext) {
      const String& v = words[k + 1];
      int n = 0;
      if (!v.empty() && (v[0] == u'+' || v[0] == u'-')) {
        if (TryStrToInt(v.substr(1), n))
          font->SetSize(font->Size() + (v[0] == u'+' ? n : -n));
        else
          font->SetSize(8);
      } else {
        font->SetSize(TryStrToInt(v, n) ? n : 8);
      }
    } else if (word == u"COLOR" && hasNext) {
      font->SetColor(ParseColor(words[k + 1]));
    } else if (word == u"FACE") {
      size_t face = s.find(u"FACE");
      size_t open = s.find(u'"', face);
      if (open == String::npos) continue;
      size_t close = s.find(u'"', open + 1);
      if (close == String::npos || close == open + 1) continue;
      font->SetName(s.substr(open + 1, close - open - 1));
    }
  }
}

void TsHtml::BackFont() {
  if (FFonts.empty()) return;
  Canvas->Font()->Assign(*FFonts.back());
  FFonts.pop_back();
}

void TsHtml::NewRow() {
  CurY += CurrentRowHeight + 2;
  MaxBmpWidth = std::max(MaxBmpWidth, CurWidthValue);
  CurWidthValue = 0;
  CurrentRowHeight = 0;
}

void TsHtml::DrawRun(int x, int y, const String& text) {
  if (!Calculating) Canvas->TextOut(x, y, text);
}

void TsHtml::ShowCut(int inCurPos, int inLastPos) {
  if (inCurPos <= inLastPos) return;
  String run;
  for (int k = inLastPos; k < inCurPos && k < Len; ++k)
    if (Origin[k] != u'\r' && Origin[k] != u'\n') run += Origin[k];
  if (run.empty()) return;
  Canvas->Brush()->SetStyle(bsClear);
  const TSize size = Canvas->TextExtent(run);
  const int w = size.cx, h = size.cy;
  CurrentRowHeight = std::max(CurrentRowHeight, h);
  if (Area.Right > 0 && CurX + w > Area.Right) {
    if (run[0] == u' ') {
      CurX += Canvas->TextWidth(u" ");
      run = run.substr(1);
    }
    WrapWords(run, h);
    return;
  }
  DrawRun(CurX, CurY + CurrentRowHeight - h, run);
  CurX += w;
  // The right edge reached on this row.
  CurWidthValue = std::max(CurWidthValue, CurX);
}

void TsHtml::WrapWords(String run, int h) {
  const int sw = Canvas->TextWidth(u" ");
  const int b = Canvas->TextHeight(u"X");
  std::vector<String> words;
  size_t start = 0;
  for (;;) {
    size_t space = run.find(u' ', start);
    words.push_back(run.substr(start, space == String::npos ? String::npos : space - start));
    if (space == String::npos) break;
    start = space + 1;
  }
  for (size_t k = 0; k < words.size();) {
    const String& word = words[k];
    const int a = Canvas->TextWidth(word);
    if (a > Area.Right - Area.Left && CurX == Area.Left) {
      // Wider than the whole area: alone on its row, overflowing.
      DrawRun(Area.Left, CurY + CurrentRowHeight - h, word);
      CurrentRowHeight = std::max(CurrentRowHeight, b);
      CurY += CurrentRowHeight;
      CurWidthValue = std::max(CurWidthValue, Area.Left + a);
      ++k;
    } else if (CurX + a > Area.Right) {
      CurX = Area.Left;
      CurrentRowHeight = std::max(CurrentRowHeight, b);
      CurY += CurrentRowHeight;
    } else {
      DrawRun(CurX, CurY + CurrentRowHeight - h, word);
      CurX += a + sw;
      CurWidthValue = std::max(CurWidthValue, CurX);
      CurrentRowHeight = std::max(CurrentRowHeight, b);
      ++k;
    }
  }
}

String TsHtml::GetSpecialCharacter(const String& inString, int inPos) {
  const int limit = std::min<int>(static_cast<int>(inString.size()), inPos + 1 + 255);
  int semi = -1;
  for (int k = inPos + 1; k < limit; ++k) {
    if (inString[k] == u' ') return String();
    if (inString[k] == u';') {
      semi = k;
      break;
    }
  }
  if (semi < 0) return String();
  const String name = inString.substr(inPos + 1, semi - inPos - 1);
  const char16_t ch = HtmlEntityChar(name);
  if (ch == 0) return String();
  const String text(1, ch);
  const int cw = Canvas->TextWidth(text);
  if (Area.Right > 0 && CurX + cw > Area.Right) {
    CurX = Area.Left;
    NewRow();
  }
  DrawRun(CurX, CurY, text);
  CurX += cw;
  CurWidthValue = std::max(CurWidthValue, CurX);
  CurrentRowHeight = std::max(CurrentRowHeight, Canvas->TextHeight(u"X"));
  return u"&" + name + u";";
}
