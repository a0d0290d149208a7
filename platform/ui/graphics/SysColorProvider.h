#pragma once
// The system colours as the program's own drawing sees them. A library may
// install a provider that answers some colours its own way; Wine's code is
// never patched, so native controls keep the system's colours.
#include "platform/ui/graphics/Colors.h"
#include <windows.h>

class TSysColorProvider {
public:
  virtual ~TSysColorProvider() = default;
  // The colour of a system colour index; a negative value leaves the
  // system's own colour.
  virtual TColor SysColor(int Index) = 0;
  // A brush for a system colour index, owned by the provider; nullptr
  // leaves the system's brush.
  virtual HBRUSH SysColorBrush(int Index) = 0;
  // The colour a pen asked for in Color is made with.
  virtual COLORREF PenColor(COLORREF Color) = 0;
};

// Not owned; nullptr restores the system's answers.
void SetSysColorProvider(TSysColorProvider* Provider);
TSysColorProvider* CurrentSysColorProvider();

// GetSysColor, GetSysColorBrush and CreatePen as seen through the provider.
COLORREF SysColorValue(int Index);
HBRUSH SysColorBrush(int Index);
HPEN CreateSysPen(int Style, int Width, COLORREF Color);
