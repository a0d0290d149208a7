#pragma once
// The system clipboard: text, bitmaps and enhanced metafiles.
#include "platform/rtl/String.h"
#include <windows.h>

class TBitmap;

class TClipboard {
public:
  // The clipboard's Unicode text; empty when it holds none.
  String AsText() const;
  void SetAsText(const String& value);
  // Puts a copy of the bitmap on the clipboard as CF_BITMAP.
  void SetAsBitmap(const TBitmap& bitmap);
  // Puts a copy of the enhanced metafile on the clipboard as CF_ENHMETAFILE.
  void SetAsMetafile(HENHMETAFILE metafile);
  bool HasFormat(UINT format) const;
  void Clear();
};

// The program's clipboard object.
TClipboard* Clipboard();
