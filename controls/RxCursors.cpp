#include "controls/RxCursors.h"

#include "platform/ui/Forms.h"

#include <cstdint>
#include <vector>

namespace {

// '#' black, '.' white, anything else transparent; drawn into the top-left
// corner of a 32 x 32 cursor.
HCURSOR CursorFromPicture(const char* const* rows, int rowCount, int hotX, int hotY) {
  constexpr int kSize = 32;
  constexpr int kRowBytes = kSize / 8;
  std::vector<uint8_t> andPlane(kRowBytes * kSize, 0xFF);
  std::vector<uint8_t> xorPlane(kRowBytes * kSize, 0x00);
  for (int y = 0; y < rowCount && y < kSize; ++y) {
    for (int x = 0; rows[y][x] && x < kSize; ++x) {
      const char c = rows[y][x];
      if (c != '#' && c != '.') continue;
      const size_t byte = static_cast<size_t>(y * kRowBytes + x / 8);
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      andPlane[byte] &= static_cast<uint8_t>(~bit);
      if (c == '.') xorPlane[byte] |= bit;
    }
  }
  return CreateCursor(GetModuleHandleW(nullptr), hotX, hotY, kSize, kSize, andPlane.data(),
                      xorPlane.data());
}

}  // namespace

HCURSOR CreateHandCursor() {
  static const char* const kHand[] = {
      "     ##          ",
      "    #..#         ",
      "    #..#         ",
      "    #..#         ",
      "    #..###       ",
      "    #..#..###    ",
      "    #..#..#..##  ",
      " ## #..#..#..#.# ",
      "#..##........#.# ",
      "#...#..........# ",
      " #.............# ",
      "  #............# ",
      "  #...........#  ",
      "   #..........#  ",
      "    #........#   ",
      "    #........#   ",
      "    ##########   ",
  };
  return CursorFromPicture(kHand, static_cast<int>(sizeof(kHand) / sizeof(kHand[0])), 5, 0);
}

HCURSOR CreateDragHandCursor() {
  static const char* const kFist[] = {
      "                 ",
      "                 ",
      "                 ",
      "    ## ## ##     ",
      "   #..#..#..##   ",
      "   #..#..#..#.#  ",
      "  ##..........#  ",
      " #.#..........#  ",
      " #............#  ",
      "  #...........#  ",
      "  #..........#   ",
      "   #.........#   ",
      "    #........#   ",
      "    #........#   ",
      "    ##########   ",
  };
  return CursorFromPicture(kFist, static_cast<int>(sizeof(kFist) / sizeof(kFist[0])), 8, 8);
}

void InstallLibraryCursors() {
  static const HCURSOR hand = CreateHandCursor();
  static const HCURSOR drag = CreateDragHandCursor();
  Screen->SetCursors(crHand, hand);
  Screen->SetCursors(crDragHand, drag);
}
