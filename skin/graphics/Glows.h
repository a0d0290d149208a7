#pragma once
// Glow windows: a soft glow drawn from a section's "GLOW0" image part on a
// layered, click-through tool window placed round a control. All glows of
// the process live in one list; a control keeps its glow's index there.
#include "skin/graphics/SkinTypes.h"
#include "platform/ui/Messages.h"
#include <functional>
#include <memory>
#include <vector>

class TForm;
class TObject;
class TsCommonData;
class TsSkinManager;

// Tag of the library's own windows: the window skinning leaves them alone.
constexpr intptr_t LibraryWindowTag = 0x100;

class TacGlowEffect {
public:
  TacGlowEffect() = default;
  ~TacGlowEffect();
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;

  void CreateAlphaBmp(int Width, int Height);
  // Only RealRect gives the geometry; nothing when the window exists.
  void Show(const TRect& R, const TRect& RealRect, int Alpha, HWND WndHandle);
  void NewWndProc(TMessage& Message);

  int Margin = 0;
  int MaskIndex = -1;
  TForm* Wnd = nullptr;  // owned; freed or released
  std::unique_ptr<TBitmap> AlphaBmp;
  bool Destroyed = false;
  std::function<void(TMessage&)> OldWndProc;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;  // not owned
};

// Holes stay nil so that the indexes of other glows keep their meaning.
extern std::vector<std::unique_ptr<TacGlowEffect>> GlowList;
// True while a glow window is being freed or released.
extern bool GlowReleasing;

// A glow round the screen rectangle R; its index in GlowList, or -1.
int CreateGlow(const TRect& R, const String& SkinSection, const String& GlowName, int Margin, int Alpha,
               HWND WndHandle, TsCommonData* SkinData);
// Fades the glow out when asked and allowed, else removes it at once and
// sets GlowID to -1.
void RemoveGlow(int& GlowID, bool Animated);
void SetGlowAlpha(int GlowID, uint8_t Alpha);
void FreeAllGlows(bool DestroyWindows);
// Frame procedure of a glow-only fade.
bool GlowAnimProc(TObject* Data, int Iteration);
