#pragma once
// The small pictures of the preview window's toolbar, drawn in code.
#include <memory>

class TBitmap;

enum class TRLPreviewGlyph { First, Prior, Next, Last, ZoomDown, ZoomUp, Views, Edit, Copyright };

// A 16 x 16 picture whose bottom-left colour is the transparent one.
std::unique_ptr<TBitmap> PreviewGlyph(TRLPreviewGlyph AKind);
