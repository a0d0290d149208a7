#pragma once
// A list of same-sized images over a common-controls image list.
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Icon.h"
#include <commctrl.h>

enum TColorDepth : uint8_t { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };
enum TDrawingStyle : uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType : uint8_t { itImage, itMask };

class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  // The system list, created on first use.
  HIMAGELIST Handle();
  // Takes the list (owned unless ShareImages); its image size becomes ours.
  void SetHandle(HIMAGELIST value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  // Changing the image size empties the list.
  int Width() const { return FWidth; }
  void SetWidth(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  int Count() const;

  // These shape the system list: changing one recreates it empty.
  bool Masked() const { return FMasked; }
  void SetMasked(bool value);
  TColorDepth ColorDepth() const { return FColorDepth; }
  void SetColorDepth(TColorDepth value);
  int AllocBy() const { return FAllocBy; }
  void SetAllocBy(int value) { FAllocBy = value; }
  bool ShareImages() const { return FShareImages; }
  void SetShareImages(bool value) { FShareImages = value; }

  // Background drawn behind images (clNone: transparent).
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor value);
  TColor BlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor value);
  TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle value);
  TImageType ImageType() const { return FImageType; }
  void SetImageType(TImageType value);

  // A bitmap wider than the list adds one image per Width pixels. Returns
  // the index of the first image added, -1 when the system refuses.
  int Add(TBitmap* image, TBitmap* mask);
  // The pixels of maskColor become transparent (clDefault: the bitmap's
  // transparent colour). The bitmap itself is left as it is.
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Delete(int index);
  void Clear();

  // Disabled images are drawn embossed in the button highlight and shadow
  // colours.
  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  // Sizes image to the list's size and draws the image onto it.
  void GetBitmap(int index, TBitmap* image);
  void GetIcon(int index, TIcon* icon);

  TNotifyEvent OnChange;

protected:
  virtual void Change();
  virtual void CreateListHandle();
  void DestroyListHandle();
  void CheckIndex(int index) const;

private:
  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
  bool FMasked = true;
  TColorDepth FColorDepth = cdDeviceDependent;
  int FAllocBy = 4;
  bool FShareImages = false;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
};

class TImageList : public TCustomImageList {
public:
  using TCustomImageList::TCustomImageList;
};
