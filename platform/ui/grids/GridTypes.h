#pragma once
// Names shared by the grid controls: options, cell draw states, cell
// coordinates and the grid's mouse states.
#include "platform/ui/EnumSet.h"
#include "platform/ui/StdCtrls.h"  // TScrollStyle
#include <algorithm>
#include <cstdint>

enum TGridOption : uint8_t {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TEnumSet<TGridOption>;

enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TEnumSet<TGridDrawStateItem>;

// What a mouse press started: nothing, a selection drag or the sizing of a
// row or column.
enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
  int X = 0;
  int Y = 0;
  constexpr bool operator==(const TGridCoord& o) const { return X == o.X && Y == o.Y; }
  constexpr bool operator!=(const TGridCoord& o) const { return !(*this == o); }
};

// A block of cells, both corners included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr bool Contains(int col, int row) const {
    return col >= Left && col <= Right && row >= Top && row <= Bottom;
  }
  constexpr bool operator==(const TGridRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
  constexpr bool operator!=(const TGridRect& o) const { return !(*this == o); }
};

// The block spanned by two cells in any order.
constexpr TGridRect GridRect(TGridCoord a, TGridCoord b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}
