#include "skin/graphics/SkinData.h"

void TsSkinModel::FreeExtImages() {
  for (auto& ext : ExtArray) delete ext.Bmp;
  ExtArray.clear();
}

void TsSkinModel::ClearImageParts() {
  while (!ma.empty()) {
    TBitmap* bmp = ma.back().Bmp;
    ma.pop_back();
    // A bitmap still held by another part, an external image or the master
    // is freed with its last holder.
    bool shared = bmp == MasterBitmap.get();
    for (const auto& ext : ExtArray) shared = shared || ext.Bmp == bmp;
    for (const auto& part : ma) shared = shared || part.Bmp == bmp;
    if (!shared) delete bmp;
  }
  FreeExtImages();
  MasterBitmap.reset();
}

void TsSkinModel::Swap(TsSkinModel& Other) {
  std::swap(ExtArray, Other.ExtArray);
  std::swap(CommonSkinData, Other.CommonSkinData);
  std::swap(SkinIsPacked, Other.SkinIsPacked);
  std::swap(MasterBitmap, Other.MasterBitmap);
  std::swap(ma, Other.ma);
  std::swap(gd, Other.gd);
  std::swap(oe, Other.oe);
  std::swap(ConstData, Other.ConstData);
  std::swap(Palette, Other.Palette);
}

int MaskFrameWidth(const TsMaskData& md) {
  if (md.ImageCount == 0) return 0;
  const int width = md.R.Right - md.R.Left;
  return md.ImageCount == 1 ? width : width / md.ImageCount;
}

int MaskFrameHeight(const TsMaskData& md) {
  const int height = md.R.Bottom - md.R.Top;
  switch (md.MaskType) {
    case -1: return 0;
    case 0: return height;
    default: return height / (md.MaskType + 1);
  }
}

TSize MaskFrameSize(const TsMaskData& md) { return TSize(MaskFrameWidth(md), MaskFrameHeight(md)); }

TsSkinModel* (*ModelOfManager)(TsSkinManager* Manager) = nullptr;

TBitmap* MaskImageOf(const TsMaskData& md, const TsSkinModel* model) {
  if (md.Bmp) return md.Bmp;
  return model ? model->MasterBitmap.get() : nullptr;
}
