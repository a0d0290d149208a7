#pragma once
// The graphics part of the UI class library: colours, pen, brush and font,
// the canvas, and the pictures that draw on it.
#include "platform/ui/graphics/Geometry.h"
#include "platform/ui/graphics/Colors.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include "platform/ui/graphics/Canvas.h"
#include "platform/ui/graphics/GraphicErrors.h"
#include "platform/ui/graphics/Graphic.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Icon.h"
#include "platform/ui/graphics/Picture.h"
#include "platform/ui/graphics/ImageList.h"
#include "platform/ui/graphics/Metafile.h"
