#pragma once
// Points, rectangles and sizes of the drawing API. Laid out like the Win32
// POINT, RECT and SIZE records (32-bit fields) so they pass straight to it.
#include <cstdint>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  constexpr bool operator==(const TPoint& o) const { return X == o.X && Y == o.Y; }
  constexpr bool operator!=(const TPoint& o) const { return !(*this == o); }
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int32_t w, int32_t h) : cx(w), cy(h) {}
  constexpr bool operator==(const TSize& o) const { return cx == o.cx && cy == o.cy; }
  constexpr bool operator!=(const TSize& o) const { return !(*this == o); }
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  constexpr bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
  constexpr bool operator!=(const TRect& o) const { return !(*this == o); }
};

constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }
constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, left + width, top + height};
}
