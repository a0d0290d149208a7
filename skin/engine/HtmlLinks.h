#pragma once
// The links an HTML-like caption shows, and the seam to the renderer of
// that markup, which lives with the hints.
#include "skin/graphics/SkinTypes.h"
#include "platform/rtl/String.h"
#include <vector>

class TsSkinManager;

struct TacLink {
  TRect Bounds;  // in the drawing's coordinates
  String URL;
};
using TacLinks = std::vector<TacLink>;

// Renders Text into Area of Bmp's canvas (font and colour already set), or
// only measures it when CalcOnly; fills Links in drawing order and answers
// the text's extent with left and top 0. Nil until the renderer is linked
// in: HTML labels then show their caption without the markup.
using TacHtmlRenderFunc = TRect (*)(TBitmap& Bmp, const String& Text, const TRect& Area, int HotLink,
                                    int PressedLink, TsSkinManager* Manager, bool CalcOnly, TacLinks& Links);
extern TacHtmlRenderFunc HtmlTextRender;
