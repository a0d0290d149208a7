#pragma once
// The system clipboard, as text.
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
  bool HasFormat(UINT format) const;
  void Clear();
};

// The program's clipboard object.
TClipboard* Clipboard();
