#include "skin/graphics/AlphaImageList.h"
#include "skin/graphics/AlphaCopy.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/GlyphPaint.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/Pixels32.h"
#include "skin/graphics/Resample.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr int MitchellFilter = 6;
const uint8_t PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
const uint8_t IcoSignature[2] = {0, 0};
const uint8_t BmpSignature[2] = {'B', 'M'};

// The two bitmaps GetIconInfo hands out, deleted however the caller leaves.
struct TIconBitmaps {
  ICONINFO Info{};
  bool Valid = false;
  explicit TIconBitmaps(HICON Icon) : Valid(Icon && GetIconInfo(Icon, &Info)) {}
  ~TIconBitmaps() {
    if (!Valid) return;
    if (Info.hbmColor) DeleteObject(Info.hbmColor);
    if (Info.hbmMask) DeleteObject(Info.hbmMask);
  }
  TIconBitmaps(const TIconBitmaps&) = delete;
  TIconBitmaps& operator=(const TIconBitmaps&) = delete;
};

struct TIconHandle {
  HICON Icon;
  explicit TIconHandle(HICON Value) : Icon(Value) {}
  ~TIconHandle() {
    if (Icon) DestroyIcon(Icon);
  }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;
};

// The pixels of a colour bitmap as a 32-bit DIB of its own size; nil when
// it has none.
std::unique_ptr<TBitmap> Bmp32OfBitmap(HBITMAP Bitmap) {
  BITMAP info{};
  if (!Bitmap || !GetObjectW(Bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  auto bmp = NewBmp32(info.bmWidth, info.bmHeight);
  TPixelRows rows(bmp.get());
  if (!rows.Valid()) return nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bits(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
  HDC dc = GetDC(nullptr);
  const int got = GetDIBits(dc, Bitmap, 0, static_cast<UINT>(info.bmHeight), bits.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (got <= 0) return nullptr;
  GdiFlush();
  for (int y = 0; y < rows.Height(); ++y)
    std::memcpy(rows.Row(y), &bits[static_cast<size_t>(y) * static_cast<size_t>(info.bmWidth)],
                sizeof(uint32_t) * static_cast<size_t>(info.bmWidth));
  return bmp;
}

// Into a 32-bit target of the same size the rows are copied in place, the
// cheap way a repeated paint needs; any other target takes a copy.
void CopyPixels(TBitmap& Src, TBitmap& Dst) {
  if (Dst.PixelFormat() == pf32bit && Dst.Width() == Src.Width() && Dst.Height() == Src.Height()) {
    TPixelRows s(&Src), d(&Dst);
    if (s.Valid() && d.Valid()) {
      GdiFlush();
      for (int y = 0; y < s.Height(); ++y)
        std::memcpy(d.Row(y), s.Row(y), sizeof(uint32_t) * static_cast<size_t>(s.Width()));
      return;
    }
  }
  Dst.Assign(Src);
}

bool AllAlphaZero(TBitmap& Bmp) {
  TPixelRows rows(&Bmp);
  if (!rows.Valid()) return false;
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x)
      if (rows.At(x, y) >> 24) return false;
  return true;
}

std::unique_ptr<TBitmap> CopyBmp32(TBitmap& Bmp) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(Bmp);
  copy->SetPixelFormat(pf32bit);
  return copy;
}

// Source at the asked size: as it is when it has that size, else resampled.
std::unique_ptr<TBitmap> AtSize(TBitmap& Source, int Width, int Height) {
  if (Source.Width() == Width && Source.Height() == Height) return CopyBmp32(Source);
  auto out = NewBmp32(Width, Height);
  Source.SetPixelFormat(pf32bit);
  if (!out->Empty() && !Source.Empty()) ResampleBmp32(Source, *out, Width, Height, MitchellFilter);
  return out;
}
}  // namespace

// ---- items ----------------------------------------------------------------

TsImgListItem::TsImgListItem(TCollection* Collection)
    : TCollectionItem(Collection), ImgData(std::make_unique<TMemoryStream>()) {}

TsImgListItem::~TsImgListItem() = default;

void TsImgListItem::ReadImgData(TStream& Stream) {
  ImgData->Clear();
  Stream.SetPosition(0);
  ImgData->CopyFrom(Stream, Stream.Size());
  ImgData->SetPosition(0);
  CacheBmp.reset();
}

void TsImgListItem::WriteImgData(TStream& Stream) const {
  if (ImgData->Size() > 0) Stream.Write(ImgData->Memory(), ImgData->Size());
}

void TsImgListItem::Assign(const TPersistent& Source) {
  const auto* item = dynamic_cast<const TsImgListItem*>(&Source);
  if (!item) {
    TCollectionItem::Assign(Source);
    return;
  }
  ImageFormat = item->ImageFormat;
  ImageName = item->ImageName;
  PixelFormat = item->PixelFormat;
  FOrigWidth = item->FOrigWidth;
  FOrigHeight = item->FOrigHeight;
  Text = item->Text;
  ImgData->Clear();
  if (item->ImgData->Size() > 0) ImgData->Write(item->ImgData->Memory(), item->ImgData->Size());
  ImgData->SetPosition(0);
  CacheBmp.reset();
}

TsImgListItems::TsImgListItems(TPersistent* Owner)
    : TCollection([](TCollection* c) { return new TsImgListItem(c); }, Owner) {}

// ---- unit routines ----------------------------------------------------------

TColor NormalizeListColor(COLORREF Value) {
  if (Value == CLR_DEFAULT) return clDefault;
  if (Value == CLR_NONE) return clNone;
  return static_cast<TColor>(Value);
}

bool FileStartsWith(const String& FileName, const uint8_t* Bytes, int Count) {
  const int n = std::min(Count, 8);
  HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(FileName.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  uint8_t head[8] = {};
  DWORD got = 0;
  const bool ok = GetFileSizeEx(file, &size) && size.QuadPart > n && ReadFile(file, head, n, &got, nullptr) &&
                  got == static_cast<DWORD>(n) && std::memcmp(head, Bytes, static_cast<size_t>(n)) == 0;
  CloseHandle(file);
  return ok;
}

bool DetectImageFileFormat(const String& FileName, TsImageFormat& Format) {
  if (FileStartsWith(FileName, PngSignature, 8)) {
    Format = ifPNG;
    return true;
  }
  if (FileStartsWith(FileName, IcoSignature, 2)) {
    if (AnsiLowerCase(ExtractFileExt(FileName)) != u".ico") return false;
    Format = ifICO;
    return true;
  }
  if (FileStartsWith(FileName, BmpSignature, 2)) {
    Format = ifBMP32;
    return true;
  }
  return false;
}

void FixEmptyAlpha(TBitmap& Bmp) {
  if (Bmp.PixelFormat() != pf32bit || !AllAlphaZero(Bmp)) return;
  TPixelRows rows(&Bmp);
  if (!rows.Valid() || rows.Height() == 0) return;
  const uint32_t background = rows.At(0, rows.Height() - 1) & 0x00FFFFFFu;
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x)
      if ((rows.At(x, y) & 0x00FFFFFFu) != background) rows.At(x, y) |= 0xFF000000u;
}

// ---- the list ---------------------------------------------------------------

TsAlphaImageList::TsAlphaImageList(TComponent* AOwner)
    : TCustomImageList(AOwner), FItems(std::make_unique<TsImgListItems>(this)) {
  Handle();
  if (!FStdListIsGenerated) GenerateStdList();
}

TsAlphaImageList::~TsAlphaImageList() = default;

void TsAlphaImageList::CreateListHandle() {
  HIMAGELIST list = ImageList_Create(Width(), Height(), ILC_COLOR32 | (Masked() ? ILC_MASK : 0), 0, AllocBy());
  if (!list) throw EInvalidOperation(u"Failed to create the image list");
  ImageList_SetBkColor(list, FBkColor == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(FBkColor)));
  const bool changing = FAcChanging;
  FAcChanging = true;
  SetHandle(list);
  FAcChanging = changing;
}

bool TsAlphaImageList::KeepItems() const { return DoubleData || (ComponentState() & csDesigning); }

TsImgListItem* TsAlphaImageList::KeptItem(int Index) const {
  if (!KeepItems() || Index < 0 || Index >= FItems->Count()) return nullptr;
  TsImgListItem* item = FItems->Items(Index);
  return item->ImgData->Size() > 0 ? item : nullptr;
}

void TsAlphaImageList::SetWidth(int Value) {
  if (Value == Width()) return;
  const bool changing = FAcChanging;
  FAcChanging = true;
  TCustomImageList::SetWidth(Value);
  FAcChanging = changing;
  if (ComponentState() & csLoading) return;
  GenerateStdList();
  Change();
}

void TsAlphaImageList::SetHeight(int Value) {
  if (Value == Height()) return;
  const bool changing = FAcChanging;
  FAcChanging = true;
  TCustomImageList::SetHeight(Value);
  FAcChanging = changing;
  if (ComponentState() & csLoading) return;
  GenerateStdList();
  Change();
}

TColor TsAlphaImageList::BkColor() const {
  if (FBkColor != clNone) return FBkColor;
  return TCustomImageList::BkColor();
}

void TsAlphaImageList::SetBkColor(TColor Value) {
  FBkColor = Value;
  TCustomImageList::SetBkColor(Value);
}

void TsAlphaImageList::SetUseCache(bool Value) {
  FUseCache = Value;
  for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->CacheBmp.reset();
}

std::unique_ptr<TBitmap> TsAlphaImageList::DecodeItem(TsImgListItem& Item) {
  if (Item.ImgData->Size() == 0 || (Item.ImageFormat != ifPNG && Item.ImageFormat != ifBMP32)) return nullptr;
  auto bmp = std::make_unique<TBitmap>();
  Item.ImgData->SetPosition(0);
  if (Item.ImageFormat == ifPNG)
    LoadPngStream(*bmp, *Item.ImgData);
  else
    bmp->LoadFromStream(*Item.ImgData);
  Item.SetOrigSize(bmp->Width(), bmp->Height());
  return bmp;
}

std::unique_ptr<TBitmap> TsAlphaImageList::DecodeKept(TsImgListItem& Item) {
  // An item whose source cannot be read would break every later rebuild.
  try {
    return DecodeItem(Item);
  } catch (...) {
    delete &Item;
    throw;
  }
}

void TsAlphaImageList::AppendIcon(HICON Icon) {
  if (Icon) ImageList_ReplaceIcon(Handle(), -1, Icon);
}

void TsAlphaImageList::GenerateStdList() {
  if (!HandleAllocated()) return;
  FAcChanging = true;
  HIMAGELIST list = Handle();
  ImageList_Remove(list, -1);
  const TColor backdrop = NormalizeListColor(ImageList_GetBkColor(list));
  for (int i = 0; i < FItems->Count(); ++i) {
    TsImgListItem& item = *FItems->Items(i);
    switch (item.ImageFormat) {
      case ifPNG:
      case ifBMP32:
        if (auto bmp = DecodeItem(item)) {
          bmp->SetPixelFormat(pf32bit);
          TIconHandle icon(IsWinXPOrLater() ? BmpToIcon(*bmp, backdrop) : IconFromBmp(*bmp));
          AppendIcon(icon.Icon);
        }
        break;
      case ifICO: {
        TIcon icon;
        item.ImgData->SetPosition(0);
        icon.LoadFromStream(*item.ImgData);
        item.SetOrigSize(icon.Width(), icon.Height());
        AppendIcon(icon.Handle());
        break;
      }
    }
  }
  if (FItems->Count() > 0) {
    FStdListIsGenerated = true;
    if (!KeepItems()) FItems->Clear();
  }
  FAcChanging = false;
}

bool TsAlphaImageList::GetBitmap32(int Index, TBitmap* Image) {
  if (!HandleAllocated() || !Image || Index < 0 || Index >= Count()) return false;
  if (TsImgListItem* item = KeptItem(Index); item && item->ImageFormat != ifICO) {
    const int w = Image->Width(), h = Image->Height();
    if (FUseCache && item->CacheBmp) {
      if (item->CacheBmp->Width() == w && item->CacheBmp->Height() == h) {
        CopyPixels(*item->CacheBmp, *Image);
        return true;
      }
      item->CacheBmp.reset();
    }
    auto work = DecodeItem(*item);
    if (!work) return false;
    if (work->Width() == w && work->Height() == h) {
      Image->Assign(*work);
    } else {
      Image->SetPixelFormat(pf32bit);
      auto scaled = AtSize(*work, w, h);
      Image->Assign(*scaled);
    }
    if (Image->PixelFormat() != pf32bit) {
      Image->SetPixelFormat(pf32bit);
      FixEmptyAlpha(*Image);
    }
    if (FUseCache && w == Width() && h == Height()) item->CacheBmp = CopyBmp32(*Image);
    return true;
  }
  TIconHandle icon(ImageList_GetIcon(Handle(), Index, ILD_NORMAL));
  if (!icon.Icon) return false;
  TIconBitmaps parts(icon.Icon);
  if (!parts.Valid) return false;
  auto colour = Bmp32OfBitmap(parts.Info.hbmColor);
  if (!colour) return false;
  Image->Assign(*colour);
  return true;
}

std::unique_ptr<TBitmap> TsAlphaImageList::CreateBitmap32(int Index, int aWidth, int aHeight) {
  if (!HandleAllocated() || Index < 0 || Index >= Count()) return nullptr;
  if (TsImgListItem* item = KeptItem(Index); item && item->ImageFormat != ifICO) {
    if (FUseCache && item->CacheBmp) {
      if (item->CacheBmp->Width() == aWidth && item->CacheBmp->Height() == aHeight) return CopyBmp32(*item->CacheBmp);
      item->CacheBmp.reset();
    }
    auto work = DecodeItem(*item);
    if (!work) return nullptr;
    std::unique_ptr<TBitmap> result;
    if (work->Width() == aWidth && work->Height() == aHeight) {
      const bool was32 = work->PixelFormat() == pf32bit;
      work->SetPixelFormat(pf32bit);
      if (!was32) FixEmptyAlpha(*work);
      result = std::move(work);
    } else {
      result = AtSize(*work, aWidth, aHeight);
    }
    if (FUseCache) item->CacheBmp = CopyBmp32(*result);
    return result;
  }
  auto result = NewBmp32(aWidth, aHeight);
  TIconHandle icon(ImageList_GetIcon(Handle(), Index, ILD_NORMAL));
  if (!icon.Icon) return nullptr;
  TIconBitmaps parts(icon.Icon);
  if (parts.Valid)
    if (auto colour = Bmp32OfBitmap(parts.Info.hbmColor)) result->Assign(*colour);
  return result;
}

void TsAlphaImageList::Change() {
  if (FAcChanging || !HandleAllocated() || (ComponentState() & csLoading) || !FStdListIsGenerated) return;
  const bool designing = ComponentState() & csDesigning;
  const bool keptAll = KeepItems() && FItems->Count() >= Count();
  if (!keptAll || designing) TCustomImageList::Change();
  if (designing) return;
  if (keptAll) {
    if (Count() < FItems->Count()) GenerateStdList();
    TCustomImageList::Change();
    return;
  }
  MakeImagesOpaque();
}

void TsAlphaImageList::MakeImagesOpaque() {
  HIMAGELIST list = Handle();
  const int n = Count();
  for (int i = 0; i < n; ++i) {
    TIconHandle icon(ImageList_GetIcon(list, i, ILD_NORMAL));
    TIconBitmaps parts(icon.Icon);
    if (!parts.Valid) continue;
    auto colour = Bmp32OfBitmap(parts.Info.hbmColor);
    if (!colour || !AllAlphaZero(*colour)) continue;
    TPixelRows rows(colour.get());
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x)
        if (rows.At(x, y) != KeyPixel) rows.At(x, y) |= 0xFF000000u;
    colour->Dormant();
    ICONINFO info{TRUE, 0, 0, parts.Info.hbmMask, colour->Handle()};
    TIconHandle opaque(CreateIconIndirect(&info));
    if (opaque.Icon) ImageList_ReplaceIcon(list, i, opaque.Icon);
  }
}

void TsAlphaImageList::AcEndUpdate(bool DoChange) {
  FAcChanging = false;
  if (DoChange) Change();
}

int TsAlphaImageList::Add(TBitmap* Image, TBitmap*) {
  if (!Image || Image->Empty()) return -1;
  TBitmap bmp;
  bmp.Assign(*Image);
  if (bmp.PixelFormat() != pf32bit) {
    const bool transparent = Image->Transparent();
    const uint32_t clear = ColorToPixel(static_cast<uint32_t>(ColorToRGB(Image->TransparentColor()))) & 0x00FFFFFFu;
    bmp.SetPixelFormat(pf32bit);
    TPixelRows rows(&bmp);
    for (int y = 0; y < rows.Height(); ++y)
      for (int x = 0; x < rows.Width(); ++x) {
        uint32_t& p = rows.At(x, y);
        p = transparent && (p & 0x00FFFFFFu) == clear ? p & 0x00FFFFFFu : p | 0xFF000000u;
      }
  }
  if (KeepItems()) {
    TsImgListItem* item = FItems->Add();
    bmp.SaveToStream(*item->ImgData);
    item->ImgData->SetPosition(0);
    item->ImageFormat = ifBMP32;
    item->PixelFormat = pf32bit;
  }
  TIconHandle icon(IconFromBmp(bmp));
  const int index = icon.Icon ? ImageList_ReplaceIcon(Handle(), -1, icon.Icon) : -1;
  Change();
  return index;
}

bool TsAlphaImageList::AddFromFile(const String& FileName) {
  TsImageFormat format;
  if (!HandleAllocated() || !DetectImageFileFormat(FileName, format)) return false;
  HICON icon = nullptr;
  std::unique_ptr<TBitmap> bmp;
  if (KeepItems()) {
    TsImgListItem* item = FItems->Add();
    item->ImgData->LoadFromFile(FileName);
    item->ImageFormat = format;
    const String name = ExtractFileName(FileName);
    item->ImageName = name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
    if (format == ifICO) {
      icon = ExtractIconW(GetModuleHandleW(nullptr), reinterpret_cast<LPCWSTR>(FileName.c_str()), 0);
      TIconBitmaps parts(icon);
      std::unique_ptr<TBitmap> colour = parts.Valid ? Bmp32OfBitmap(parts.Info.hbmColor) : nullptr;
      if (colour) item->SetOrigSize(colour->Width(), colour->Height());
      BITMAP info{};
      const bool deep = parts.Valid && GetObjectW(parts.Info.hbmColor, sizeof(info), &info) && info.bmBitsPixel == 32;
      item->PixelFormat = deep && colour && !AllAlphaZero(*colour) ? pf32bit : pf24bit;
    } else {
      item->PixelFormat = pf32bit;
      bmp = DecodeKept(*item);
      if (format == ifBMP32 && bmp->PixelFormat() != pf32bit) {
        bmp->SetPixelFormat(pf32bit);
        FixEmptyAlpha(*bmp);
      }
    }
  } else if (format == ifICO) {
    icon = ExtractIconW(GetModuleHandleW(nullptr), reinterpret_cast<LPCWSTR>(FileName.c_str()), 0);
  } else {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    bmp = std::make_unique<TBitmap>();
    if (format == ifPNG)
      LoadPngStream(*bmp, file);
    else
      bmp->LoadFromStream(file);
  }
  if (bmp) icon = IconFromBmp(*bmp);
  TIconHandle owned(icon);
  const bool added = owned.Icon && ImageList_ReplaceIcon(Handle(), -1, owned.Icon) >= 0;
  Change();
  return added;
}

bool TsAlphaImageList::AddFromStream(TStream& Stream) {
  if (!HandleAllocated()) return false;
  auto bmp = std::make_unique<TBitmap>();
  if (KeepItems()) {
    TsImgListItem* item = FItems->Add();
    item->ReadImgData(Stream);
    item->ImageFormat = ifPNG;
    item->PixelFormat = pf32bit;
    bmp = DecodeKept(*item);
  } else {
    Stream.SetPosition(0);
    LoadPngStream(*bmp, Stream);
  }
  TIconHandle icon(IconFromBmp(*bmp));
  const bool added = icon.Icon && ImageList_ReplaceIcon(Handle(), -1, icon.Icon) >= 0;
  Change();
  return added;
}

void TsAlphaImageList::LoadFromFile(const String& FileName) {
  if (!AddFromFile(FileName))
    MessageDlg(u"Cannot load " + FileName + u"\r\nInvalid or unexpected image format.", mtError, TMsgDlgButtons{mbOK});
}

void TsAlphaImageList::LoadFromPngStream(TStream& Stream) {
  if (!AddFromStream(Stream))
    MessageDlg(u"Cannot load from stream\r\nInvalid or unexpected image format.", mtError, TMsgDlgButtons{mbOK});
}

void TsAlphaImageList::MoveItem(int CurIndex, int NewIndex) {
  if (KeepItems() && CurIndex >= 0 && CurIndex < FItems->Count()) FItems->Items(CurIndex)->SetIndex(NewIndex);
  if (!HandleAllocated() || CurIndex < 0 || CurIndex >= Count() || NewIndex < 0 || NewIndex >= Count()) return;
  // The system list moves one place at a time, as its copy swaps.
  HIMAGELIST list = Handle();
  const int step = NewIndex > CurIndex ? 1 : -1;
  for (int i = CurIndex; i != NewIndex; i += step) ImageList_Copy(list, i + step, list, i, ILCF_SWAP);
  Change();
}

void TsAlphaImageList::CopyImages(TsAlphaImageList& ImgList) {
  if (!HandleAllocated()) return;
  ImgList.TCustomImageList::SetBkColor(clNone);
  if (KeepItems()) {
    FItems->Clear();
    for (int i = 0; i < ImgList.FItems->Count(); ++i) {
      const TsImgListItem& source = *ImgList.FItems->Items(i);
      TsImgListItem* item = FItems->Add();
      item->ImageFormat = source.ImageFormat;
      item->ImageName = source.ImageName;
      item->PixelFormat = source.PixelFormat;
      item->Text = source.Text;
      item->ReadImgData(*source.ImgData);
    }
    GenerateStdList();
    return;
  }
  HIMAGELIST list = Handle();
  ImageList_Remove(list, -1);
  TCustomImageList::SetBkColor(clNone);
  for (int i = 0; i < ImgList.Count(); ++i) {
    TIconHandle icon(ImageList_GetIcon(ImgList.Handle(), i, ILD_TRANSPARENT));
    AppendIcon(icon.Icon);
  }
}

void TsAlphaImageList::SetNewDimensions(HIMAGELIST Value) {
  int w = Width(), h = Height();
  if (!ImageList_GetIconSize(Value, &w, &h)) {
    w = Width();
    h = Height();
  }
  SetWidth(w);
  SetHeight(h);
}

void TsAlphaImageList::Assign(const TPersistent& Source) {
  auto* source = dynamic_cast<const TsAlphaImageList*>(&Source);
  if (!source) {
    TCustomImageList::Assign(Source);
    return;
  }
  auto& src = const_cast<TsAlphaImageList&>(*source);
  AcBeginUpdate();
  if (HandleAllocated()) ImageList_Remove(Handle(), -1);
  SetMasked(src.Masked());
  SetImageType(src.ImageType());
  SetDrawingStyle(src.DrawingStyle());
  SetShareImages(src.ShareImages());
  SetNewDimensions(src.Handle());
  DestroyListHandle();
  Handle();
  FAcChanging = true;
  SetBkColor(NormalizeListColor(ImageList_GetBkColor(src.Handle())));
  SetBlendColor(src.BlendColor());
  CopyImages(src);
  AcEndUpdate(false);
}

void TsAlphaImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, bool Enabled) {
  if (!HandleAllocated() || Index < 0 || !Canvas) return;
  TsImgListItem* item = Index < FItems->Count() ? FItems->Items(Index) : nullptr;
  if (!item || item->ImageFormat == ifICO) {
    Draw(Canvas, X, Y, Index, Enabled);
    return;
  }
  auto image = CreateBitmap32(Index, Width(), Height());
  if (!image) return;
  auto work = NewBmp32(Width(), Height());
  if (work->Empty()) return;
  HDC dc = Canvas->Handle();
  BitBlt(work->Canvas()->Handle(), 0, 0, Width(), Height(), dc, X, Y, SRCCOPY);
  GdiFlush();
  const TRect whole(0, 0, Width(), Height());
  AlphaCopy32(whole, whole, *work, image.get(), InitCacheInfo(work.get(), 0, 0), false);
  BitBlt(dc, X, Y, Width(), Height(), work->Canvas()->Handle(), 0, 0, SRCCOPY);
  Canvas->Changed();
}
