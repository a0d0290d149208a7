#pragma once
// The text form of a gradient: five ";"-separated words per band (colour
// 1, colour 2, percent, mode, an unused word).
#include "skin/graphics/SkinData.h"

// A word that is no integer raises EConvertError; the bands before it stay.
void ParseGradientText(const String& Text, TsGradArray& Bands);
