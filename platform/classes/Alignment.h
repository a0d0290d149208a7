#pragma once
// Left, right or centred text: shared by the UI library's controls and the
// data layer's fields, whose alignment grids and edits take over.
#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
