#include "report/ui/RLSavePages.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "report/pages/RLGraphicStorage.h"
#include <algorithm>
#include <memory>
#include <windows.h>

namespace {
// A store of its own holding copies of the chosen pages.
std::unique_ptr<TRLGraphicStorage> CopyOfPages(TRLGraphicStorage* APages, int AFirst, int ALast) {
  auto copy = std::make_unique<TRLGraphicStorage>();
  copy->SetFileVersion(APages->FileVersion());
  copy->Macros()->Assign(*APages->Macros());
  for (int number = AFirst; number <= ALast; ++number) {
    TRLGraphicSurface* page = APages->GetPages(number - 1);
    if (!page) continue;
    TMemoryStream record;
    page->SaveToStream(record);
    record.SetPosition(0);
    auto surface = std::make_unique<TRLGraphicSurface>();
    surface->LoadFromStream(record);
    copy->Add(surface.release());
  }
  return copy;
}
}  // namespace

void SavePagesToFile(TRLGraphicStorage* APages, int AFirstPage, int ALastPage, const String& AFileName) {
  const int first = std::max(AFirstPage, 1);
  const int last = std::min(ALastPage, APages->PageCount());
  const String temp = AFileName + u".tmp";
  if (first == 1 && last == APages->PageCount())
    APages->SaveToFile(temp);
  else
    CopyOfPages(APages, first, last)->SaveToFile(temp);
  if (!MoveFileExW(reinterpret_cast<LPCWSTR>(temp.c_str()), reinterpret_cast<LPCWSTR>(AFileName.c_str()),
                   MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileW(reinterpret_cast<LPCWSTR>(temp.c_str()));
    throw EInOutError(u"Não foi possível gravar o arquivo \"" + AFileName + u"\".");
  }
}
