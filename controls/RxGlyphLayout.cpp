#include "controls/RxGlyphLayout.h"

#include "platform/rtl/StrUtils.h"

#include <algorithm>
#include <vector>

namespace {

bool Vertical(TButtonLayout layout) { return layout == blGlyphTop || layout == blGlyphBottom; }

std::vector<String> SplitLines(const String& text) {
  std::vector<String> lines;
  String line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines.push_back(line);
      line.clear();
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

TSize CaptionArea(TSize client, TSize glyph, TButtonLayout layout, int margin, int spacing,
                  bool popupMark) {
  TSize area;
  if (Vertical(layout)) {
    area.cx = client.cx;
    area.cy = client.cy - glyph.cy;
    if (margin != -1) area.cy -= margin;
    if (spacing != -1) area.cy -= spacing;
  } else {
    area.cx = client.cx - glyph.cx;
    if (popupMark) area.cx -= PopupMarkTextRoom;
    if (margin != -1) area.cx -= margin;
    if (spacing != -1) area.cx -= spacing;
    area.cy = client.cy;
  }
  area.cx = std::max(area.cx, 0);
  area.cy = std::max(area.cy, 0);
  return area;
}

String ShortenCaption(const String& caption, int width, bool wordWrap,
                      const std::function<int(const String&)>& textWidth) {
  String text = caption.substr(0, 255);
  if (wordWrap) return text;
  String result;
  bool first = true;
  for (const String& line : SplitLines(text)) {
    String candidate = line;
    const int length = static_cast<int>(line.size());
    for (int k = 2; textWidth(candidate) > width && length - k >= 0; ++k)
      candidate = line.substr(0, static_cast<size_t>(length - k)) + u"...";
    if (!first) result += u"\r\n";
    result += candidate;
    first = false;
  }
  return TrimLeft(result);
}

TGlyphTextPlacement ArrangeGlyphAndText(const TRect& client, TSize glyph, TSize text,
                                        TButtonLayout layout, int margin, int spacing,
                                        bool popupMark) {
  const int w = client.Width();
  const int h = client.Height();
  if (popupMark) {
    if ((glyph.cx == 0 && glyph.cy == 0) || layout == blGlyphLeft)
      text.cx += PopupMarkTextRoom;
    else
      glyph.cx += PopupMarkGlyphRoom;
  }

  TPoint glyphPos;
  TPoint textPos;
  if (Vertical(layout)) {
    glyphPos.X = w / 2 - glyph.cx / 2;
    textPos.X = w / 2 - text.cx / 2;
  } else {
    glyphPos.Y = h / 2 - glyph.cy / 2;
    textPos.Y = h / 2 - text.cy / 2;
  }
  if (text.cx == 0 || glyph.cx == 0) spacing = 0;

  const int clientSize = Vertical(layout) ? h : w;
  const int glyphSize = Vertical(layout) ? glyph.cy : glyph.cx;
  const int textSize = Vertical(layout) ? text.cy : text.cx;
  if (margin == -1) {
    if (spacing == -1) {
      const int total = glyphSize + textSize;
      spacing = (clientSize - total) / 3;
      margin = spacing;
    } else {
      const int total = glyphSize + spacing + textSize;
      margin = clientSize / 2 - total / 2;
    }
  } else if (spacing == -1) {
    const int total = clientSize - (margin + glyphSize);
    spacing = total / 2 - textSize / 2;
  }

  int glyphAlong = 0;
  int textAlong = 0;
  if (layout == blGlyphLeft || layout == blGlyphTop) {
    glyphAlong = margin;
    textAlong = glyphAlong + glyphSize + spacing;
  } else {
    glyphAlong = clientSize - margin - glyphSize;
    textAlong = glyphAlong - spacing - textSize;
  }
  if (Vertical(layout)) {
    glyphPos.Y = glyphAlong;
    textPos.Y = textAlong;
  } else {
    glyphPos.X = glyphAlong;
    textPos.X = textAlong;
  }

  TGlyphTextPlacement result;
  result.GlyphPos = Point(glyphPos.X + client.Left, glyphPos.Y + client.Top);
  result.GlyphSize = glyph;
  result.TextBounds = Bounds(textPos.X + client.Left, textPos.Y + client.Top, text.cx, text.cy);
  result.Margin = margin;
  result.Spacing = spacing;
  return result;
}
