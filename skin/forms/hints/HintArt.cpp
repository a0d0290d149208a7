// Balloons drawn from distance fields: a rounded body, an optional tail
// toward the anchor corner, a border, a vertical or sideways gradient, and
// a soft shadow below and to the right. Each picture is encoded as PNG, so
// it travels the road of any template picture.
#include "skin/forms/hints/HintArt.h"
#include "platform/ui/graphics/PngWriter.h"
#include <algorithm>
#include <cmath>

namespace {
struct TRgb {
  double R, G, B;
};
constexpr TRgb Rgb(uint32_t v) { return {double(v >> 16 & 0xFF), double(v >> 8 & 0xFF), double(v & 0xFF)}; }
TRgb Mix(TRgb a, TRgb b, double t) { return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t}; }
double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

struct TStyle {
  uint32_t FillTop, FillBottom, Border;
  double BorderWidth;
  double Radius;
  uint32_t Shadow;
  double ShadowAlpha;
  bool Sideways = false;  // gradient from left to right
  bool Icon = false;      // an information mark in the top-left corner
};

enum class TCorner { LeftTop, LeftBottom, RightBottom, RightTop };

struct TPoint2 {
  double X, Y;
};

double SegmentDistance(TPoint2 p, TPoint2 a, TPoint2 b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double t = Clamp01(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / (dx * dx + dy * dy));
  return std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy);
}

// Signed distance to a triangle: negative inside.
double TriangleDistance(TPoint2 p, TPoint2 a, TPoint2 b, TPoint2 c) {
  const double d = std::min({SegmentDistance(p, a, b), SegmentDistance(p, b, c), SegmentDistance(p, c, a)});
  auto side = [&](TPoint2 u, TPoint2 v) { return (v.X - u.X) * (p.Y - u.Y) - (v.Y - u.Y) * (p.X - u.X); };
  const double s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
  const bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  return inside ? -d : d;
}

double RoundRectDistance(TPoint2 p, double l, double t, double r, double b, double radius) {
  const double cx = (l + r) / 2, cy = (t + b) / 2;
  const double hx = (r - l) / 2 - radius, hy = (b - t) / 2 - radius;
  const double qx = std::fabs(p.X - cx) - hx, qy = std::fabs(p.Y - cy) - hy;
  return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

// One picture: its size, the body's rectangle, and the tail if any.
struct TShape {
  int W = 0, H = 0;
  double L = 0, T = 0, R = 0, B = 0, Radius = 0;
  bool HasTail = false;
  TPoint2 Tail[3] = {};
  double Distance(TPoint2 p) const {
    double d = RoundRectDistance(p, L, T, R, B, Radius);
    if (HasTail) d = std::min(d, TriangleDistance(p, Tail[0], Tail[1], Tail[2]));
    return d;
  }
};

struct TSizes {
  int Left, Top, Right, Bottom;
};

struct TPicture {
  std::string Png;
  TSizes Borders, Client, Shadow;
};

std::string Paint(const TShape& s, const TStyle& style, double shadowDx, double shadowDy, double shadowSoftness) {
  std::vector<uint8_t> bgra(static_cast<size_t>(s.W) * s.H * 4);
  const TRgb top = Rgb(style.FillTop), bottom = Rgb(style.FillBottom), border = Rgb(style.Border);
  const TRgb shadow = Rgb(style.Shadow);
  for (int y = 0; y < s.H; ++y) {
    for (int x = 0; x < s.W; ++x) {
      const TPoint2 p{x + 0.5, y + 0.5};
      const double d = s.Distance(p);
      const double body = Clamp01(0.5 - d);
      const double inner = Clamp01(0.5 - (d + style.BorderWidth));
      const double g = style.Sideways ? Clamp01((p.X - s.L) / std::max(1.0, s.R - s.L))
                                      : Clamp01((p.Y - s.T) / std::max(1.0, s.B - s.T));
      TRgb colour = Mix(border, Mix(top, bottom, g), inner);
      if (style.Icon) {
        const double icon = std::hypot(p.X - (s.L + 11), p.Y - (s.T + 11)) - 6;
        const double mark = Clamp01(0.5 - icon);
        colour = Mix(colour, Rgb(0x2F6FD0), mark * inner);
        const bool dot = std::hypot(p.X - (s.L + 11), p.Y - (s.T + 8)) < 1.3;
        const bool stem = std::fabs(p.X - (s.L + 11)) < 1.1 && p.Y > s.T + 10 && p.Y < s.T + 15;
        if ((dot || stem) && mark > 0.5) colour = Rgb(0xFFFFFF);
      }
      const double sd = s.Distance({p.X - shadowDx, p.Y - shadowDy});
      const double shade = style.ShadowAlpha * Clamp01((shadowSoftness - sd) / (2 * shadowSoftness));
      // The body over its shadow.
      const double a = body + shade * (1 - body);
      TRgb out = a > 0 ? Mix(shadow, colour, body / a) : shadow;
      uint8_t* px = &bgra[(static_cast<size_t>(y) * s.W + x) * 4];
      px[0] = static_cast<uint8_t>(std::lround(out.B));
      px[1] = static_cast<uint8_t>(std::lround(out.G));
      px[2] = static_cast<uint8_t>(std::lround(out.R));
      px[3] = static_cast<uint8_t>(std::lround(a * 255));
    }
  }
  return EncodePng(bgra.data(), s.W, s.H, true);
}

constexpr int kSide = 60;
constexpr int kRim = 3;       // transparent rim left and top
constexpr int kShadow = 7;    // shadow and rim right and bottom
constexpr int kTail = 12;     // room for the tail beside the body

TPicture Balloon(const TStyle& style, bool tail, TCorner corner) {
  const bool left = corner == TCorner::LeftTop || corner == TCorner::LeftBottom;
  const bool up = corner == TCorner::LeftTop || corner == TCorner::RightTop;
  TSizes inset{0, 0, 0, 0};
  if (tail) {
    (left ? inset.Left : inset.Right) = kTail;
    (up ? inset.Top : inset.Bottom) = kTail;
  }
  TShape s{kSide, kSide};
  s.L = kRim + inset.Left;
  s.T = kRim + inset.Top;
  s.R = kSide - kShadow - inset.Right;
  s.B = kSide - kShadow - inset.Bottom;
  s.Radius = style.Radius;
  if (tail) {
    s.HasTail = true;
    const double tipX = left ? kRim : kSide - kShadow, tipY = up ? kRim : kSide - kShadow;
    const double edgeY = up ? s.T + style.Radius : s.B - style.Radius;
    const double baseX = left ? s.L + 6 : s.R - 6;
    const double reach = left ? 9 : -9;
    s.Tail[0] = {tipX, tipY};
    s.Tail[1] = {baseX, edgeY};
    s.Tail[2] = {baseX + reach, up ? s.T + 0.5 : s.B - 0.5};
  }
  TPicture picture;
  picture.Png = Paint(s, style, 3, 3, 2.5);
  const int round = static_cast<int>(std::ceil(style.Radius)) + 2;
  const int tailBase = tail ? 17 : 0;  // the tail's base reaches this far along the edge
  picture.Borders = {kRim + inset.Left + std::max(round, left ? tailBase : 0), kRim + inset.Top + round,
                     kShadow + inset.Right + std::max(round, left ? 0 : tailBase), kShadow + inset.Bottom + round};
  const int iconRoom = style.Icon ? 16 : 0;
  picture.Client = {kRim + inset.Left + 6 + iconRoom, kRim + inset.Top + 4, kShadow + inset.Right + 6,
                    kShadow + inset.Bottom + 4};
  picture.Shadow = {kRim, kRim, kShadow, kShadow};
  return picture;
}

void PutPicture(TacHintImage& image, const TPicture& picture) {
  image.ImgData().Clear();
  image.ImgData().Write(picture.Png.data(), static_cast<int64_t>(picture.Png.size()));
  image.ImgData().SetPosition(0);
  image.StreamChanged();
  image.BordersWidths().SetValues(picture.Borders.Left, picture.Borders.Top, picture.Borders.Right,
                                  picture.Borders.Bottom);
  image.ClientMargins().SetValues(picture.Client.Left, picture.Client.Top, picture.Client.Right,
                                  picture.Client.Bottom);
  image.ShadowSizes().SetValues(picture.Shadow.Left, picture.Shadow.Top, picture.Shadow.Right,
                                picture.Shadow.Bottom);
}

struct TStock {
  const char16_t* Name;
  TStyle Style;
  bool Tail;
  TColor FontColor;
};

const TStock kStock[] = {
    {u"Yellow Baloon 1", {0xFFFFE6, 0xFFF2B0, 0xA08C3C, 1.0, 6, 0x000000, 0.30}, true, 0x000000},
    {u"Yellow Glow", {0xFFFFE6, 0xFFEFA0, 0xE8C850, 1.0, 8, 0xE0B000, 0.45}, false, 0x000000},
    {u"Yellow Baloon 2", {0xFFFBD0, 0xFFE890, 0x9C8030, 1.0, 10, 0x000000, 0.30}, true, 0x000000},
    {u"Yellow Baloon 3", {0xFFFFF0, 0xFFF6C8, 0x807030, 1.0, 3, 0x000000, 0.25}, true, 0x000000},
    {u"Dark Baloon", {0x5A5A5A, 0x262626, 0x141414, 1.0, 7, 0x000000, 0.40}, true, 0xFFFFFF},
    {u"Dark Baloon Border", {0x5A5A5A, 0x262626, 0xC8C8C8, 2.0, 7, 0x000000, 0.40}, true, 0xFFFFFF},
    {u"Light Blue Baloon", {0xEEF6FF, 0xC8E0FA, 0x6A93C8, 1.0, 7, 0x000000, 0.30}, true, 0x5A2800},
    {u"White Baloon", {0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 1.0, 7, 0x000000, 0.30}, true, 0x000000},
    {u"White Baloon Border", {0xFFFFFF, 0xF2F2F2, 0x404040, 2.0, 7, 0x000000, 0.30}, true, 0x000000},
    {u"Orange Baloon", {0xFFE6C0, 0xFFB660, 0xC06000, 1.0, 7, 0x000000, 0.30}, true, 0x002050},
    {u"Cartoon Baloon", {0xFFFFFF, 0xFFF8DC, 0x202020, 2.0, 10, 0x000000, 0.45}, true, 0x000000},
    {u"Light Blue with icon", {0xF2F8FF, 0xD2E6FA, 0x5A86C0, 1.0, 5, 0x000000, 0.30, false, true}, false, 0x000000},
    {u"White sidelong", {0xFFFFFF, 0xE4E8EE, 0x8890A0, 1.0, 2, 0x000000, 0.25, true}, false, 0x000000},
};
}  // namespace

std::string AcHintPng() {
  const TStyle style{0xFFFFF0, 0xFFF4C0, 0x8C8C70, 1.0, 3, 0x000000, 0.35};
  // Body 6..20 x 5..19: the rim and shadow match the default template's
  // shadow sizes (6, 5, 7, 8).
  TShape s{27, 27, 6, 5, 20, 19, 3};
  return Paint(s, style, 2, 3, 2.0);
}

const std::vector<String>& StockHintTemplateNames() {
  static const std::vector<String> names = [] {
    std::vector<String> r;
    for (const TStock& t : kStock) r.emplace_back(t.Name);
    return r;
  }();
  return names;
}

void AddStockHintTemplates(TacHintTemplates& Templates) {
  for (const TStock& stock : kStock) {
    TacHintTemplate* t = Templates.Add();
    t->SetName(stock.Name);
    TFont font;
    font.SetName(u"Tahoma");
    font.SetSize(8);
    font.SetColor(stock.FontColor);
    t->SetFont(font);
    PutPicture(*t->ImageDefault(), Balloon(stock.Style, stock.Tail, TCorner::LeftTop));
    if (!stock.Tail) continue;
    PutPicture(*t->Img_LeftBottom(), Balloon(stock.Style, true, TCorner::LeftBottom));
    PutPicture(*t->Img_RightBottom(), Balloon(stock.Style, true, TCorner::RightBottom));
    PutPicture(*t->Img_RightTop(), Balloon(stock.Style, true, TCorner::RightTop));
  }
}
