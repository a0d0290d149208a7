#pragma once
// A button's glyph, caption and drop-down mark: laid out, drawn, and cut
// into one prepared image per button state. The prepared images of all
// buttons live in image lists shared by size through one process-wide cache.
#include "controls/RxButtonTypes.h"
#include "controls/RxGlyphLayout.h"
#include "platform/ui/ExtCtrls.h"  // Frame3D
#include "platform/ui/graphics/Graphics.h"
#include "platform/ui/graphics/ImageList.h"

#include <array>
#include <memory>
#include <vector>

enum class TRxButtonState : uint8_t { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
constexpr int RxButtonStateCount = 5;

// Images of one size; freed slots are reused before the list grows.
class TGlyphList : public TImageList {
public:
  TGlyphList(int width, int height);

  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap* image, TColor maskColor);
  void Delete(int index);
  // Slots in use.
  int Count() const { return FCount; }

private:
  int AllocateIndex();

  std::vector<bool> FUsed;
  int FCount = 0;
};

class TGlyphCache {
public:
  // The last list of that size, or a new one.
  TGlyphList* GetList(int width, int height);
  // Frees the list once no image of it is in use.
  void ReturnList(TGlyphList* list);
  bool Empty() const { return FGlyphLists.empty(); }

private:
  std::vector<std::unique_ptr<TGlyphList>> FGlyphLists;
};

// The one cache of the process; null until the first glyph object exists.
TGlyphCache* GlyphCacheInstance();

class TRxButtonGlyph : public TObject {
public:
  TRxButtonGlyph();
  ~TRxButtonGlyph() override;

  TBitmap* Glyph() const { return FOriginal.get(); }
  void SetGlyph(TBitmap* value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value) { FWordWrap = value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { FAlignment = value; }
  TColor TransparentColor() const { return FTransparentColor; }

  // Drops the prepared images (glyph or system colours changed).
  void Invalidate();

  // Returns the caption's rectangle.
  TRect Draw(TCanvas* canvas, const TRect& client, const String& caption, TButtonLayout layout,
             int margin, int spacing, bool popupMark, TRxButtonState state, UINT flags);
  TRect DrawEx(TCanvas* canvas, const TRect& client, const String& caption,
               TButtonLayout layout, int margin, int spacing, bool popupMark,
               TCustomImageList* images, int imageIndex, TRxButtonState state, UINT flags);
  TSize DrawButtonGlyph(TCanvas* canvas, int x, int y, TRxButtonState state);
  TSize DrawButtonImage(TCanvas* canvas, int x, int y, TCustomImageList* images, int imageIndex,
                        TRxButtonState state);
  void DrawButtonText(TCanvas* canvas, const String& caption, TRect rect, TRxButtonState state,
                      UINT flags);
  void DrawPopupMark(TCanvas* canvas, int x, int y, TRxButtonState state);

  // Where the glyph and the caption go, with the caption as it will show.
  struct TLayout {
    TGlyphTextPlacement Placement;
    String Caption;
  };
  TLayout LayoutGlyphAndText(TCanvas* canvas, const TRect& client, const String& caption,
                             TButtonLayout layout, int margin, int spacing, bool popupMark,
                             TCustomImageList* images, int imageIndex, UINT flags);

  // Index of the prepared image of state, -1 when there is nothing to show.
  int PrepareStateImage(TRxButtonState state);
  TGlyphList* GlyphList() const { return FGlyphList; }

  TNotifyEvent OnChange;

private:
  void GlyphBitmapChanged();
  TColor GrayColor(TColor color) const;
  int PrepareListImage(TRxButtonState state, TCustomImageList* images, int index);

  std::unique_ptr<TBitmap> FOriginal;
  TGlyphList* FGlyphList = nullptr;
  std::array<int, RxButtonStateCount> FIndexs;
  TColor FTransparentColor = clFuchsia;
  int FNumGlyphs = 1;
  bool FWordWrap = false;
  TAlignment FAlignment = taCenter;
  // The image-list image the prepared images were made from, if any.
  TCustomImageList* FListSource = nullptr;
  int FListSourceIndex = -1;
};

// Draws the 3-D frames of a self-drawn speed button and returns what
// remains inside them, less one pixel.
TRect DrawSpeedButtonFrame(TCanvas* canvas, const TRect& client, bool isDown, TButtonStyle style,
                           bool isFlat);
