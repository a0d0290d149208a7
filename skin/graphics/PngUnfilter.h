#pragma once
// Undoes the per-row filters of PNG image data in place.
#include <cstddef>
#include <cstdint>

// filterType 0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth over count bytes of
// line, with previous the decoded row above (zeros for a first row) and bpp
// the bytes of one whole pixel; other types leave the row as it is.
void UnfilterRow(uint8_t filterType, uint8_t* line, const uint8_t* previous, int bpp, size_t count);
