#include "platform/ui/graphics/Metafile.h"
#include "platform/classes/Streams.h"
#include "platform/ui/graphics/GraphicsObjects.h"
#include <cstring>
#include <string>

TMetafile::~TMetafile() {
  if (FHandle) DeleteEnhMetaFile(FHandle);
}

void TMetafile::SetWidth(int value) {
  if (value == FWidth) return;
  FWidth = value;
  Changed();
}

void TMetafile::SetHeight(int value) {
  if (value == FHeight) return;
  FHeight = value;
  Changed();
}

void TMetafile::Replace(HENHMETAFILE handle) {
  if (FHandle && FHandle != handle) DeleteEnhMetaFile(FHandle);
  FHandle = handle;
  ENHMETAHEADER header{};
  if (FHandle && GetEnhMetaFileHeader(FHandle, sizeof header, &header)) {
    int ppi = ScreenPixelsPerInch();
    FWidth = MulDiv(header.rclFrame.right - header.rclFrame.left, ppi, 2540);
    FHeight = MulDiv(header.rclFrame.bottom - header.rclFrame.top, ppi, 2540);
  } else {
    FWidth = FHeight = 0;
  }
}

void TMetafile::SetHandle(HENHMETAFILE value) {
  if (value == FHandle) return;
  Replace(value);
  Changed();
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE handle = FHandle;
  FHandle = nullptr;
  return handle;
}

void TMetafile::LoadFromStream(TStream& stream) {
  int64_t start = stream.Position();
  int64_t available = stream.Size() - start;
  if (available < static_cast<int64_t>(sizeof(ENHMETAHEADER)))
    throw EInvalidGraphic(u"Metafile is not valid: the file is too short");
  std::string bytes(static_cast<size_t>(available), '\0');
  stream.ReadBuffer(bytes.data(), available);
  ENHMETAHEADER header;
  std::memcpy(&header, bytes.data(), sizeof header);
  if (header.iType != EMR_HEADER || header.dSignature != ENHMETA_SIGNATURE || header.nBytes < sizeof header ||
      header.nBytes > bytes.size())
    throw EInvalidGraphic(u"Metafile is not valid");
  HENHMETAFILE handle = SetEnhMetaFileBits(header.nBytes, reinterpret_cast<const BYTE*>(bytes.data()));
  if (!handle) throw EInvalidGraphic(u"Metafile is not valid");
  stream.SetPosition(start + header.nBytes);
  Replace(handle);
  Changed();
}

void TMetafile::SaveToStream(TStream& stream) {
  if (!FHandle) return;
  UINT size = GetEnhMetaFileBits(FHandle, 0, nullptr);
  std::string bytes(size, '\0');
  GetEnhMetaFileBits(FHandle, size, reinterpret_cast<BYTE*>(bytes.data()));
  stream.WriteBuffer(bytes.data(), size);
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
  auto copy = std::make_unique<TMetafile>();
  copy->Assign(*this);
  copy->SetModified(false);
  return copy;
}

void TMetafile::Assign(const TPersistent& source) {
  auto* metafile = dynamic_cast<const TMetafile*>(&source);
  if (!metafile) {
    TGraphic::Assign(source);
    return;
  }
  if (metafile == this) return;
  Replace(metafile->FHandle ? CopyEnhMetaFileW(metafile->FHandle, nullptr) : nullptr);
  FWidth = metafile->FWidth;
  FHeight = metafile->FHeight;
  Changed();
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) {
  if (!FHandle) return;
  PlayEnhMetaFile(canvas.Handle(), FHandle, reinterpret_cast<const RECT*>(&rect));
}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice) : FMetafile(metafile) {
  HDC screen = referenceDevice ? nullptr : GetDC(nullptr);
  HDC reference = referenceDevice ? referenceDevice : screen;
  RECT frame{};
  const RECT* bounds = nullptr;
  if (metafile && metafile->Width() > 0 && metafile->Height() > 0) {
    // The frame is in hundredths of a millimetre.
    int ppiX = GetDeviceCaps(reference, LOGPIXELSX);
    int ppiY = GetDeviceCaps(reference, LOGPIXELSY);
    frame = {0, 0, MulDiv(metafile->Width(), 2540, ppiX > 0 ? ppiX : 96),
             MulDiv(metafile->Height(), 2540, ppiY > 0 ? ppiY : 96)};
    bounds = &frame;
  }
  FRecorder = CreateEnhMetaFileW(reference, nullptr, bounds, nullptr);
  if (screen) ReleaseDC(nullptr, screen);
  if (!FRecorder) throw EOutOfResources(u"Out of system resources");
  SetHandle(FRecorder);
}

TMetafileCanvas::~TMetafileCanvas() {
  SetHandle(nullptr);
  HENHMETAFILE recorded = CloseEnhMetaFile(FRecorder);
  if (!FMetafile) {
    if (recorded) DeleteEnhMetaFile(recorded);
    return;
  }
  int width = FMetafile->Width();
  int height = FMetafile->Height();
  FMetafile->SetHandle(recorded);
  if (width > 0 && height > 0) {
    FMetafile->SetWidth(width);
    FMetafile->SetHeight(height);
  }
}
