#pragma once
// The shadow templates of extended borders for skins that bring none, kept
// as PNG bytes (made by shadows/make_default_shadows.py).
#include <cstddef>

extern const unsigned char DefaultShadowActivePng[];
extern const size_t DefaultShadowActivePngSize;
extern const unsigned char DefaultShadowInactivePng[];
extern const size_t DefaultShadowInactivePngSize;
