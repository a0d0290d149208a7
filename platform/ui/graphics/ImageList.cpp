#include "platform/ui/graphics/ImageList.h"
#include "platform/rtl/Exceptions.h"

namespace {
COLORREF ListColor(TColor color) {
  if (color == clNone) return CLR_NONE;
  if (color == clDefault) return CLR_DEFAULT;
  return static_cast<COLORREF>(ColorToRGB(color));
}
}  // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
}

void TCustomImageList::CreateListHandle() {
  static constexpr UINT depths[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};
  UINT flags = depths[FColorDepth] | (FMasked ? ILC_MASK : 0);
  FHandle = ImageList_Create(FWidth, FHeight, flags, 0, FAllocBy);
  if (!FHandle) throw EInvalidOperation(u"Failed to create the image list");
  ImageList_SetBkColor(FHandle, ListColor(FBkColor));
}

void TCustomImageList::DestroyListHandle() {
  if (FHandle && !FShareImages) ImageList_Destroy(FHandle);
  FHandle = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
  if (!FHandle) CreateListHandle();
  return FHandle;
}

void TCustomImageList::SetHandle(HIMAGELIST value) {
  if (value == FHandle) return;
  DestroyListHandle();
  FHandle = value;
  if (FHandle) {
    int w = 0, h = 0;
    ImageList_GetIconSize(FHandle, &w, &h);
    FWidth = w;
    FHeight = h;
  }
  Change();
}

void TCustomImageList::SetWidth(int value) {
  if (value == FWidth || value <= 0) return;
  FWidth = value;
  if (FHandle) ImageList_SetIconSize(FHandle, FWidth, FHeight);
  Change();
}

void TCustomImageList::SetHeight(int value) {
  if (value == FHeight || value <= 0) return;
  FHeight = value;
  if (FHandle) ImageList_SetIconSize(FHandle, FWidth, FHeight);
  Change();
}

int TCustomImageList::Count() const { return FHandle ? ImageList_GetImageCount(FHandle) : 0; }

void TCustomImageList::SetMasked(bool value) {
  if (value == FMasked) return;
  FMasked = value;
  if (FHandle) {
    DestroyListHandle();
    Change();
  }
}

void TCustomImageList::SetColorDepth(TColorDepth value) {
  if (value == FColorDepth) return;
  FColorDepth = value;
  if (FHandle) {
    DestroyListHandle();
    Change();
  }
}

void TCustomImageList::SetBkColor(TColor value) {
  if (value == FBkColor) return;
  FBkColor = value;
  if (FHandle) ImageList_SetBkColor(FHandle, ListColor(value));
  Change();
}

void TCustomImageList::SetBlendColor(TColor value) {
  if (value == FBlendColor) return;
  FBlendColor = value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
  if (value == FDrawingStyle) return;
  FDrawingStyle = value;
  Change();
}

void TCustomImageList::SetImageType(TImageType value) {
  if (value == FImageType) return;
  FImageType = value;
  Change();
}

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw EInvalidOperation(u"Invalid image list index");
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  HIMAGELIST list = Handle();
  // A bitmap cannot stay selected into its canvas while the list reads it.
  image->Dormant();
  if (mask) mask->Dormant();
  int index = ImageList_Add(list, image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  if (maskColor == clDefault) maskColor = image->TransparentColor() & 0xFFFFFF;
  // The system blackens the masked pixels of what it is given: give it a copy.
  TBitmap copy;
  copy.Assign(*image);
  copy.Dormant();
  int index = ImageList_AddMasked(Handle(), copy.Handle(), static_cast<COLORREF>(ColorToRGB(maskColor)));
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  int index = ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
  Change();
  return index;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index);
  if (!image || image->Empty()) return;
  image->Dormant();
  if (mask) mask->Dormant();
  ImageList_Replace(FHandle, index, image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
  Change();
}

void TCustomImageList::Delete(int index) {
  CheckIndex(index);
  ImageList_Remove(FHandle, index);
  Change();
}

void TCustomImageList::Clear() {
  if (FHandle) ImageList_Remove(FHandle, -1);
  Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  if (!canvas || !FHandle || index < 0 || index >= Count()) return;
  HDC dc = canvas->Handle();
  if (enabled) {
    static constexpr UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    UINT style = styles[FDrawingStyle] | (FImageType == itMask ? ILD_MASK : 0);
    ImageList_DrawEx(FHandle, index, dc, x, y, 0, 0, ListColor(FBkColor), ListColor(FBlendColor), style);
    canvas->Changed();
    return;
  }
  // Disabled: the image's dark pixels, as a one-bit shape, are painted in
  // the highlight colour one pixel down-right and in the shadow colour in
  // place.
  // A device bitmap, not a DIB: only a monochrome device bitmap takes the
  // destination's text and background colours when copied.
  HDC shapeDC = CreateCompatibleDC(nullptr);
  HBITMAP shape = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  HGDIOBJ oldShape = SelectObject(shapeDC, shape);
  PatBlt(shapeDC, 0, 0, FWidth, FHeight, WHITENESS);
  ImageList_DrawEx(FHandle, index, shapeDC, 0, 0, 0, 0, CLR_DEFAULT, CLR_NONE, ILD_NORMAL);
  COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  COLORREF oldBk = ::SetBkColor(dc, RGB(0, 0, 0));
  constexpr DWORD ropDSPDxax = 0x00E20746;
  HBRUSH highlight = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
  HBRUSH shadow = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  HGDIOBJ oldBrush = SelectObject(dc, highlight);
  BitBlt(dc, x + 1, y + 1, FWidth, FHeight, shapeDC, 0, 0, ropDSPDxax);
  SelectObject(dc, shadow);
  BitBlt(dc, x, y, FWidth, FHeight, shapeDC, 0, 0, ropDSPDxax);
  SelectObject(dc, oldBrush);
  DeleteObject(highlight);
  DeleteObject(shadow);
  SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
  SelectObject(shapeDC, oldShape);
  DeleteObject(shape);
  DeleteDC(shapeDC);
  canvas->Refresh();
  canvas->Changed();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  if (!image || !FHandle || index < 0 || index >= Count()) return;
  image->SetSize(FWidth, FHeight);
  ImageList_Draw(FHandle, index, image->Canvas()->Handle(), 0, 0, ILD_NORMAL);
  image->Canvas()->Changed();
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
  if (!icon || !FHandle || index < 0 || index >= Count()) return;
  icon->SetHandle(ImageList_GetIcon(FHandle, index, ILD_NORMAL));
}
