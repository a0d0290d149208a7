#pragma once
// Nearest-pixel enlarging in plain memory that picks the very source pixels
// a StretchBlt in COLORONCOLOR mode picks, so pieces need no bitmaps.
#include <vector>

// Source index of each of DstLen target samples over SrcLen source samples,
// SrcLen at most DstLen: the sample under each target sample's centre, a
// centre on a boundary taking the left one.
void NearestIndices(int DstLen, int SrcLen, std::vector<int>& Indices);
