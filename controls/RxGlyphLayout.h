#pragma once
// Where a button's glyph and caption go: the arithmetic of the button glyph
// object, kept apart from drawing so it can be reasoned about on its own.
#include "controls/RxButtonTypes.h"
#include "platform/rtl/String.h"
#include "platform/ui/graphics/Geometry.h"

#include <functional>

// Extra room the drop-down mark takes after a caption, and after a glyph.
constexpr int PopupMarkTextRoom = 9;
constexpr int PopupMarkGlyphRoom = 6;

// The room left for the caption in a client of that size.
TSize CaptionArea(TSize client, TSize glyph, TButtonLayout layout, int margin, int spacing,
                  bool popupMark);

// Without word wrap, each line is cut to the width with a trailing "...";
// at most 255 characters.
String ShortenCaption(const String& caption, int width, bool wordWrap,
                      const std::function<int(const String&)>& textWidth);

struct TGlyphTextPlacement {
  TPoint GlyphPos;  // top-left of the glyph
  TSize GlyphSize;  // with the mark's room when the mark follows the glyph
  TRect TextBounds;
  int Margin = 0;
  int Spacing = 0;
};

// Places a glyph and a caption of measured size (already clipped to the
// caption area) in client.
TGlyphTextPlacement ArrangeGlyphAndText(const TRect& client, TSize glyph, TSize text,
                                        TButtonLayout layout, int margin, int spacing,
                                        bool popupMark);
