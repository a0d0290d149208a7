#include "skin/graphics/Gradients.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/ProcBinding.h"
#include <algorithm>
#include <cstring>

namespace {
using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// The platform library is bound once by name and released at exit.
struct TGradientFillBinding {
  HMODULE Library = nullptr;
  TGradientFill Fill = nullptr;
  TGradientFillBinding() {
    Library = LoadLibraryA("msimg32.dll");
    Fill = BindProc<TGradientFill>(Library, "GradientFill");
  }
  ~TGradientFillBinding() {
    if (Library) FreeLibrary(Library);
  }
};

const TGradientFillBinding& Binding() {
  static const TGradientFillBinding binding;
  return binding;
}

uint32_t Channel(TColor c, int k) { return static_cast<uint32_t>(c) >> (8 * k) & 0xFF; }

bool CutToBitmap(TRect& R, const TBitmap& Bmp) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) return false;
  R.Right = std::min<int>(R.Right, Bmp.Width());
  R.Bottom = std::min<int>(R.Bottom, Bmp.Height());
  R.Left = std::max<int>(R.Left, 0);
  R.Top = std::max<int>(R.Top, 0);
  return R.Right > R.Left && R.Bottom > R.Top;
}

// Colours of n + 1 steps from Color1 to Color2, in pixel order with Alpha;
// a single-precision running value as the bands have always been drawn.
template <typename Put>
void Ramp(TColor c1, TColor c2, int n, uint8_t alpha, Put put) {
  const uint32_t a = static_cast<uint32_t>(alpha) << 24;
  if (c1 == c2 || n <= 0) {
    const uint32_t p = ColorToPixel(static_cast<uint32_t>(c1) & 0xFFFFFF) | a;
    for (int k = 0; k <= n; ++k) put(k, p);
    return;
  }
  float v[3];
  double step[3];
  for (int k = 0; k < 3; ++k) {
    v[k] = static_cast<float>(Channel(c1, k));
    step[k] = (static_cast<double>(Channel(c2, k)) - Channel(c1, k)) / n;
  }
  for (int k = 0; k <= n; ++k) {
    const uint32_t r = static_cast<uint32_t>(v[0]) & 0xFF, g = static_cast<uint32_t>(v[1]) & 0xFF,
                   b = static_cast<uint32_t>(v[2]) & 0xFF;
    put(k, a | r << 16 | g << 8 | b);
    for (int j = 0; j < 3; ++j) v[j] = static_cast<float>(v[j] + step[j]);
  }
}

// Vertical bands: calls row(y, pixel) for every painted row.
template <typename Row>
void VerticalBands(const TRect& R, const TsGradArray& Bands, int Offset, uint8_t alpha, Row row) {
  const int last = R.Bottom - 1;
  int y = R.Top + Offset;
  const int height = R.Bottom - R.Top;
  for (size_t i = 0; i < Bands.size(); ++i) {
    const int y0 = y;
    int y1 = y0 + (height + Offset) * Bands[i].Percent / 100;
    y1 = i + 1 == Bands.size() ? last : std::min(y1, last);
    if (y1 > y0) Ramp(Bands[i].Color1, Bands[i].Color2, y1 - y0, alpha, [&](int k, uint32_t p) { row(y0 + k, p); });
    y = y1;
  }
}

// Horizontal bands into one row of pixels, indexed by column.
void HorizontalBands(const TRect& R, const TsGradArray& Bands, uint8_t alpha, uint32_t* row) {
  const int last = R.Right - 1;
  const double step = (R.Right - R.Left) / 100.0;
  int x = R.Left;
  for (size_t i = 0; i < Bands.size(); ++i) {
    const int x0 = x;
    int x1 = static_cast<int>(x0 + Bands[i].Percent * step);
    x1 = i + 1 == Bands.size() ? last : std::min(x1, last);
    if (x1 > x0) Ramp(Bands[i].Color1, Bands[i].Color2, x1 - x0, alpha, [&](int k, uint32_t p) { row[x0 + k] = p; });
    x = x1;
  }
}

void FourCorners(TBitmap& Bmp, const TRect& R, const TsGradArray& Bands) {
  const TGradientFill fill = Binding().Fill;
  if (!fill) return;
  TRIVERTEX v[5];
  const LONG xs[5] = {R.Left, R.Left + R.Width() / 2, R.Right, R.Right, R.Left};
  const LONG ys[5] = {R.Top, R.Top + R.Height() / 2, R.Top, R.Bottom, R.Bottom};
  TColor c = Bands[0].Color1;
  for (int i = 0; i < 5; ++i) {
    if (static_cast<size_t>(i) < Bands.size()) c = Bands[static_cast<size_t>(i)].Color1;
    v[i].x = xs[i];
    v[i].y = ys[i];
    v[i].Red = static_cast<COLOR16>(Channel(c, 0) << 8);
    v[i].Green = static_cast<COLOR16>(Channel(c, 1) << 8);
    v[i].Blue = static_cast<COLOR16>(Channel(c, 2) << 8);
    v[i].Alpha = 0xFF00;
  }
  GRADIENT_TRIANGLE t[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  fill(Bmp.Canvas()->Handle(), v, 5, t, 4, GRADIENT_FILL_TRIANGLE);
  GdiFlush();
}
}  // namespace

bool GradientFillBound() { return Binding().Fill != nullptr; }

void PaintGrad(TBitmap& Bmp, TRect R, const TsGradArray& Bands, int, int Offset) {
  if (Bands.empty() || !CutToBitmap(R, Bmp)) return;
  switch (Bands[0].Mode1) {
    case 0:
    case 1: {
      GdiFlush();
      TPixelRows rows(&Bmp);
      if (!rows.Valid()) return;
      if (Bands[0].Mode1 == 0) {
        VerticalBands(R, Bands, Offset, 255, [&](int y, uint32_t p) {
          if (y >= 0 && y < rows.Height()) std::fill(rows.Row(y) + R.Left, rows.Row(y) + R.Right, p);
        });
        return;
      }
      uint32_t* first = rows.Row(R.Top);
      HorizontalBands(R, Bands, 255, first);
      for (int y = R.Top + 1; y < R.Bottom; ++y)
        std::memmove(rows.Row(y) + R.Left, first + R.Left, sizeof(uint32_t) * static_cast<size_t>(R.Right - R.Left));
      return;
    }
    case 2:
      FourCorners(Bmp, R, Bands);
      return;
    default:
      return;
  }
}

void PaintGradOverTexture(TBitmap& Bmp, TRect R, const TsGradArray& Bands, TBitmap& Texture, TRect TextureRect,
                          int Share, uint8_t Alpha) {
  if (Bands.empty() || !CutToBitmap(R, Bmp)) return;
  if (TextureRect.Right <= TextureRect.Left || TextureRect.Bottom <= TextureRect.Top)
    TextureRect = TRect(0, 0, Texture.Width(), Texture.Height());
  // A texture origin outside the bitmap would read before a row.
  TextureRect.Left = std::clamp<int>(TextureRect.Left, 0, Texture.Width());
  TextureRect.Top = std::clamp<int>(TextureRect.Top, 0, Texture.Height());
  const int TW = std::min(std::max(TextureRect.Width(), 0), Texture.Width() - static_cast<int>(TextureRect.Left));
  const int TH = std::min(std::max(TextureRect.Height(), 0), Texture.Height() - static_cast<int>(TextureRect.Top));
  if (TW <= 0 || TH <= 0) return;
  GdiFlush();
  TPixelRows d(&Bmp), t(&Texture);
  if (!d.Valid() || !t.Valid()) return;
  const uint32_t share = static_cast<uint32_t>(std::clamp(Share, 0, 255));
  const uint32_t a = static_cast<uint32_t>(Alpha) << 24;
  // Red and blue, then green, mixed two lanes at a time: the weights add up
  // to 256, so no lane carries into the next.
  auto mixPacked = [&](uint32_t tp, uint32_t gRB, uint32_t gG) {
    return a | ((((tp & 0x00FF00FFu) * share + gRB) >> 8) & 0x00FF00FFu) |
           ((((tp & 0x0000FF00u) * share + gG) >> 8) & 0x0000FF00u);
  };
  auto mix = [&](uint32_t g, int x, int y) {
    return mixPacked(t.At(TextureRect.Left + x % TW, TextureRect.Top + y % TH), (g & 0x00FF00FFu) * (256 - share),
                     (g & 0x0000FF00u) * (256 - share));
  };
  if (Bands[0].Mode1 == 0) {
    const int width = R.Right - R.Left;
    VerticalBands(R, Bands, 0, Alpha, [&](int y, uint32_t g) {
      uint32_t* row = d.Row(y) + R.Left;
      const uint32_t* tex = t.Row(TextureRect.Top + y % TH) + TextureRect.Left;
      const uint32_t gRB = (g & 0x00FF00FFu) * (256 - share), gG = (g & 0x0000FF00u) * (256 - share);
      // One colour per row over a repeating texture: the row repeats too,
      // so one texture period is mixed and then copied along.
      const int period = std::min(TW, width);
      for (int i = 0, tx = R.Left % TW; i < period; ++i, tx = tx + 1 == TW ? 0 : tx + 1)
        row[i] = mixPacked(tex[tx], gRB, gG);
      for (int done = period; done < width;) {
        const int n = std::min(done, width - done);
        std::memcpy(row + done, row, sizeof(uint32_t) * static_cast<size_t>(n));
        done += n;
      }
    });
  } else if (Bands[0].Mode1 == 1) {
    uint32_t* first = d.Row(R.Top);
    HorizontalBands(R, Bands, Alpha, first);
    const int period = std::min(TH, static_cast<int>(R.Bottom - R.Top));
    for (int y = R.Top + 1; y < R.Top + period; ++y)
      for (int x = R.Left; x < R.Right; ++x) d.At(x, y) = mix(first[x], x, y);
    for (int x = R.Left; x < R.Right; ++x) first[x] = mix(first[x], x, R.Top);
    for (int y = R.Top + period; y < R.Bottom; ++y)
      std::memmove(d.Row(y) + R.Left, d.Row(y - period) + R.Left, sizeof(uint32_t) * static_cast<size_t>(R.Right - R.Left));
  }
}
