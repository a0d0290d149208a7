#include "platform/rtl/Exceptions.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/ui/graphics/Bitmap.h"
#include <cstring>

namespace {
// Opening may fail while another program holds the clipboard; try a while.
void OpenOrRaise() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(Application->Handle())) return;
    Sleep(10);
  }
  throw EInvalidOperation(u"Cannot open clipboard");
}
}  // namespace

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

String TClipboard::AsText() const {
  OpenOrRaise();
  String text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void TClipboard::SetAsText(const String& value) {
  OpenOrRaise();
  EmptyClipboard();
  size_t bytes = (value.size() + 1) * sizeof(char16_t);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (data) {
    std::memcpy(GlobalLock(data), value.c_str(), bytes);
    GlobalUnlock(data);
    if (!SetClipboardData(CF_UNICODETEXT, data)) GlobalFree(data);
  }
  CloseClipboard();
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }

void TClipboard::Clear() {
  OpenOrRaise();
  EmptyClipboard();
  CloseClipboard();
}

void TClipboard::SetAsBitmap(const TBitmap& bitmap) {
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap.Handle(), IMAGE_BITMAP, 0, 0, 0));
  if (!copy) throw EInvalidOperation(u"Cannot copy bitmap");
  OpenOrRaise();
  EmptyClipboard();
  // The clipboard owns the copy once it takes it.
  if (!SetClipboardData(CF_BITMAP, copy)) DeleteObject(copy);
  CloseClipboard();
}

void TClipboard::SetAsMetafile(HENHMETAFILE metafile) {
  HENHMETAFILE copy = CopyEnhMetaFileW(metafile, nullptr);
  if (!copy) throw EInvalidOperation(u"Cannot copy metafile");
  OpenOrRaise();
  EmptyClipboard();
  if (!SetClipboardData(CF_ENHMETAFILE, copy)) DeleteEnhMetaFile(copy);
  CloseClipboard();
}
