#pragma once
// Short texts with a few HTML-like tags (B, I, U, P, BR, FONT, A) and
// character entities, laid out and word-wrapped within a width on any
// canvas, or only measured; links are reported with their rectangles.
//
// One object serves one pass:
//   TsHtml html;
//   html.Init(canvas, text, TRect(left, top, right, 0), hotLink, pressedLink);
//   TacLinks links;
//   TRect extent = html.HTMLText(links, /*CalcOnly=*/false);
// A right edge of 0 or less lays the text out without wrapping. The
// canvas's font is the starting font and is left as the last tag set it.
// A link's Bounds: left and top where it starts, right where it ends,
// bottom = top plus the row height.
#include "platform/ui/graphics/Graphics.h"
#include "skin/engine/HtmlLinks.h"
#include <memory>
#include <vector>

class TsHtml {
public:
  TsHtml() = default;
  ~TsHtml();
  TsHtml(const TsHtml&) = delete;
  TsHtml& operator=(const TsHtml&) = delete;

  void Init(TCanvas* Canvas, const String& Text, const TRect& aRect, int AHotLink = -1, int APressedLink = -1);
  void Init(TBitmap* Bmp, const String& Text, const TRect& aRect, int AHotLink = -1, int APressedLink = -1);
  // Lays the text out, drawing unless CalcOnly; the extent reached, from
  // (0, 0), and the links found (replacing ALinks).
  TRect HTMLText(TacLinks& ALinks, bool CalcOnly);

  // The steps of the pass. Positions are 0-based; s is an upper-cased tag
  // from "<" to ">".
  bool ExecTag(const String& s, int CurPos);
  void NewFont(const String& s, bool IsLink, int State);
  void BackFont();
  void NewRow();
  // Draws Origin from inLastPos up to inCurPos (excluded).
  void ShowCut(int inCurPos, int inLastPos);
  // The entity at inPos (an "&"), drawn; returns its text up to ";", or
  // empty when there is none there.
  String GetSpecialCharacter(const String& inString, int inPos);

  // A TsSkinManager whose palette colours the links while it is active.
  TComponent* SkinManager = nullptr;

  bool Calculating = false;
  String Origin;
  String UppedText;
  int Len = 0;
  int CurX = 0, CurY = 0;
  int HotLink = -1, PressedLink = -1;
  int MaxBmpWidth = 0, MaxBmpHeight = 0;
  int CurWidthValue = 0;
  int CurrentRowHeight = 0;
  TRect Area;
  TacLinks Links;
  TCanvas* Canvas = nullptr;

private:
  void WrapWords(String run, int h);
  void DrawRun(int x, int y, const String& text);
  void ApplyFontAttributes(const String& s);
  void CloseLink();

  std::vector<std::unique_ptr<TFont>> FFonts;
  int FOpenLinks = 0;
};

// The character of an entity name or numeric form ("amp", "#38"); 0 when
// the table has none. Exact names first, then names ignoring case.
char16_t HtmlEntityChar(const String& Name);
