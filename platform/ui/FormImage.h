#pragma once
// Pictures of forms, for tests and their artefacts.
//
// Under Wine, reading a window back from its DC (PrintWindow, BitBlt) gives
// what the X server last showed only in part, and the system's WM_PRINT
// neither draws the frame nor the children. PaintControlImage therefore
// has the library print each window itself: the frame, caption and menu
// bar drawn with the system's drawing calls, the client through
// WM_PRINTCLIENT, and every child window the same way, at its place.
// CaptureDisplayImage takes what a person sees from the X display instead.
#include "platform/ui/Controls.h"
#include "platform/ui/graphics/Bitmap.h"
#include <memory>
#include <string>

// The control as drawn now, frame and children included, in a 32-bit
// bitmap of its window's size.
std::unique_ptr<TBitmap> PaintControlImage(TWinControl& control);
// PaintControlImage saved as a PNG file (a Windows path).
void SaveControlImage(TWinControl& control, const String& fileName);
// The pixels of the control's window on the X display ($DISPLAY), taken
// with ImageMagick's import into a PNG file at a Linux path. False when
// there is no display or the capture fails.
bool CaptureDisplayImage(TWinControl& control, const std::string& linuxPngPath);
// The Windows name of a Linux path, through Wine's Z: drive.
String LinuxPathToWindows(const std::string& path);
