#pragma once
// The system clipboard, as text.
#include "platform/rtl/String.h"
#include <windows.h>

class TClipboard {
public:
  // The clipboard's Unicode text; empty when it holds none.
  String AsText() const;
  void SetAsText(const String& value);
  bool HasFormat(UINT format) const;
  void Clear();
};

// The program's clipboard object.
TClipboard* Clipboard();
