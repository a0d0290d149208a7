// The open and closed hands of the preview's drag, drawn here because the
// report library carries no resource file.
#include "platform/ui/Forms.h"
#include "report/ui/RLPreview.h"
#include <cstdint>
#include <vector>

namespace {
// '#' black, '.' white, anything else transparent, in a 32 x 32 cursor.
HCURSOR CursorFromRows(const char* const* rows, int rowCount, int hotX, int hotY) {
  constexpr int kSize = 32, kRowBytes = kSize / 8;
  std::vector<uint8_t> andPlane(kRowBytes * kSize, 0xFF), xorPlane(kRowBytes * kSize, 0x00);
  for (int y = 0; y < rowCount; ++y)
    for (int x = 0; rows[y][x] && x < kSize; ++x) {
      const char c = rows[y][x];
      if (c != '#' && c != '.') continue;
      const size_t byte = static_cast<size_t>(y * kRowBytes + x / 8);
      const auto bit = static_cast<uint8_t>(0x80 >> (x % 8));
      andPlane[byte] &= static_cast<uint8_t>(~bit);
      if (c == '.') xorPlane[byte] |= bit;
    }
  return CreateCursor(GetModuleHandleW(nullptr), hotX, hotY, kSize, kSize, andPlane.data(), xorPlane.data());
}

HCURSOR OpenHand() {
  static const char* const rows[] = {
      "       ##  ##       ", "    ## #..##..#     ", "   #..##..##..# ##  ", "   #..##..##..##..# ",
      "    #..#..#..#...#  ", "    #..#..#..#..#   ", " ## #..........#.#  ", "#..##...........#   ",
      "#...#..........#    ", " #.............#    ", "  #............#    ", "  #...........#     ",
      "   #..........#     ", "    #........#      ", "    #........#      ", "    ##########      ",
  };
  return CursorFromRows(rows, static_cast<int>(sizeof(rows) / sizeof(rows[0])), 9, 8);
}

HCURSOR ClosedHand() {
  static const char* const rows[] = {
      "                    ", "                    ", "                    ", "     ## ## ##       ",
      "    #..#..#..##     ", "    #..#..#..#.#    ", "   ##..........#    ", "  #.#..........#    ",
      "  #............#    ", "   #...........#    ", "   #..........#     ", "    #.........#     ",
      "     #........#     ", "     #........#     ", "     ##########     ",
  };
  return CursorFromRows(rows, static_cast<int>(sizeof(rows) / sizeof(rows[0])), 9, 8);
}
}  // namespace

void InstallPreviewCursors() {
  static const HCURSOR open = OpenHand();
  static const HCURSOR closed = ClosedHand();
  Screen->SetCursors(crHandOpen, open);
  Screen->SetCursors(crHandClosed, closed);
}
