#pragma once
// Takes every free slot of the process's GDI table (about 65,000 under
// Wine) but a headroom, so that code leaking one object per call runs out
// within headroom calls; the slots come back when it goes.
#include <windows.h>
#include <cstddef>
#include <vector>

class TGdiTableFill {
public:
  explicit TGdiTableFill(int Headroom) {
    while (FBrushes.size() < kMost) {
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(FBrushes.size() & 0xFFFFFF));
      if (!brush) break;
      FBrushes.push_back(brush);
    }
    FFilled = FBrushes.size() < kMost;
    for (int i = 0; i < Headroom && !FBrushes.empty(); ++i) {
      DeleteObject(FBrushes.back());
      FBrushes.pop_back();
    }
  }
  ~TGdiTableFill() {
    for (HBRUSH brush : FBrushes) DeleteObject(brush);
  }
  TGdiTableFill(const TGdiTableFill&) = delete;
  TGdiTableFill& operator=(const TGdiTableFill&) = delete;
  // False when the table never ran out.
  bool Filled() const { return FFilled; }
  size_t Count() const { return FBrushes.size(); }
  // True while one more object can be made: code that leaked one object
  // per call, run more times than the headroom, has taken the last slot.
  static bool HasRoom() {
    HBRUSH brush = CreateSolidBrush(0x123456);
    if (brush) DeleteObject(brush);
    return brush != nullptr;
  }

private:
  static constexpr size_t kMost = 200000;
  std::vector<HBRUSH> FBrushes;
  bool FFilled = false;
};
