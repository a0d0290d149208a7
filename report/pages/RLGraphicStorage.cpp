#include <windows.h>
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLRecordStream.h"
#include "report/pages/RLTempFiles.h"
#include "report/pages/RLUtils.h"
#include "platform/classes/Streams.h"
#include "platform/classes/Win32Error.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include <algorithm>
#include <climits>
#include <cstdio>

// ---- page index ------------------------------------------------------------

int64_t TRLPageAllocation::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= FCount) throw EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")");
  return FOffsets[static_cast<size_t>(AIndex)];
}

void TRLPageAllocation::SetItems(int AIndex, int64_t AValue) {
  if (AIndex < 0 || AIndex >= FCount) throw EListError(u"List index out of bounds (" + IntToStr(AIndex) + u")");
  FOffsets[static_cast<size_t>(AIndex)] = AValue;
}

int TRLPageAllocation::Add(int64_t AOffset) {
  if (static_cast<size_t>(FCount) >= FOffsets.size()) FOffsets.resize(2 * (static_cast<size_t>(FCount) + 1) + 16384);
  FOffsets[static_cast<size_t>(FCount)] = AOffset;
  return FCount++;
}

void TRLPageAllocation::Clear() {
  FOffsets.clear();
  FCount = 0;
}

// ---- store -----------------------------------------------------------------

namespace {

int MillimetresToPixels(double AValue) { return static_cast<int>(Round(AValue * 96 / 25.4)); }

// The temporary page file. Others may read and write it, and the library's
// shut-down may delete it while a store never freed still holds it open.
class TTempPageStream : public THandleStream {
public:
  explicit TTempPageStream(const String& AFileName) : THandleStream(INVALID_HANDLE_VALUE) {
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(AFileName.c_str()), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h == INVALID_HANDLE_VALUE)
      throw EFCreateError(u"Cannot create file \"" + AFileName + u"\". " + Win32ErrorText(GetLastError()));
    FHandle = h;
  }
  ~TTempPageStream() override { CloseHandle(static_cast<HANDLE>(FHandle)); }
};
}  // namespace

TRLGraphicStorage::TRLGraphicStorage(TComponent* AOwner)
    : TComponent(nullptr), FMacros(std::make_unique<TStringList>()) {
  if (AOwner) Link(AOwner);
}

TRLGraphicStorage::~TRLGraphicStorage() {
  BeginDestroy();
  for (TComponent* component : std::vector<TComponent*>(FReferenceList)) RemoveFreeNotification(component);
  FReferenceList.clear();
  std::vector<std::unique_ptr<TRLGraphicSurface>> cache = std::move(FPageCache);
  FPageCache.clear();
  cache.clear();
  if (FTempStream) {
    FTempStream.reset();
    DeleteFile(FTempFileName);
    UntrackTempFile(FTempFileName);
  }
}

void TRLGraphicStorage::Link(TComponent* AComponent) {
  if (!AComponent) return;
  if (std::find(FReferenceList.begin(), FReferenceList.end(), AComponent) != FReferenceList.end()) return;
  FReferenceList.push_back(AComponent);
  FreeNotification(AComponent);
}

void TRLGraphicStorage::Unlink(TComponent* AComponent) {
  auto it = std::find(FReferenceList.begin(), FReferenceList.end(), AComponent);
  if (it != FReferenceList.end()) {
    FReferenceList.erase(it);
    RemoveFreeNotification(AComponent);
  }
  if (FReferenceList.empty() && !IsDestroying()) delete this;
}

void TRLGraphicStorage::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove &&
      std::find(FReferenceList.begin(), FReferenceList.end(), AComponent) != FReferenceList.end())
    Unlink(AComponent);
}

void TRLGraphicStorage::EnsureTempStream() {
  if (FTempStream) return;
  FTempFileName = MakeTempPageFileName();
  TrackTempFile(FTempFileName);
  FTempStream = std::make_unique<TTempPageStream>(FTempFileName);
  FTempEnd = 0;
}

int64_t TRLGraphicStorage::TempStreamSize() const { return FTempStream ? FTempEnd : 0; }

int64_t TRLGraphicStorage::AppendRecord(const std::string& ARecordWithLength) {
  EnsureTempStream();
  int64_t at = FTempEnd;
  FTempPending += ARecordWithLength;
  FTempEnd += static_cast<int64_t>(ARecordWithLength.size());
  if (FTempPending.size() >= (1u << 20)) FlushTempStream();
  return at;
}

void TRLGraphicStorage::FlushTempStream() {
  if (FTempPending.empty()) return;
  int64_t at = FTempEnd - static_cast<int64_t>(FTempPending.size());
  FTempStream->SetPosition(at);
  FTempStream->WriteBuffer(FTempPending.data(), static_cast<int64_t>(FTempPending.size()));
  FTempPending.clear();
}

void TRLGraphicStorage::StorePage(TRLGraphicSurface* ASurface) {
  // The whole page record is built in memory and appended in one write.
  // The buffer of the previous page is reused: grown afresh for each
  // page, it would be copied several times over.
  TRLRecordWriter writer;
  writer.Data().swap(FPageRecord);
  writer.Clear();
  size_t lengthAt = writer.ReserveInt32();
  ASurface->SaveToRecord(writer);
  writer.PatchInt32(lengthAt, static_cast<int32_t>(writer.Size() - 4));
  int64_t at = AppendRecord(writer.Data());
  const auto length = static_cast<int32_t>(writer.Size() - 4);
  FPageRecord.swap(writer.Data());
  if (ASurface->PageIndex() == -1) ASurface->SetPageIndex(FPageAllocation.Add(at));
  SetPage(ASurface->PageIndex(), at, length);
}

void TRLGraphicStorage::SetPage(int APageIndex, int64_t AOffset, int32_t ALength) {
  FPageAllocation.SetItems(APageIndex, AOffset);
  if (static_cast<size_t>(APageIndex) >= FPageLengths.size()) FPageLengths.resize(static_cast<size_t>(APageIndex) + 1);
  FPageLengths[static_cast<size_t>(APageIndex)] = ALength;
}

void TRLGraphicStorage::Add(TRLGraphicSurface* ASurface) {
  // A page that comes from another store is a new page here.
  if (ASurface->Storage() != this) ASurface->SetPageIndex(-1);
  ASurface->AttachToStorage(this);
  StorePage(ASurface);
  // Its record now holds what it shows: it is written again only when it
  // changes.
  ASurface->SetModified(false);
  CachePage(ASurface);
}

void TRLGraphicStorage::Update(TRLGraphicSurface* ASurface) {
  StorePage(ASurface);
  ASurface->SetModified(false);
}

void TRLGraphicStorage::CachePage(TRLGraphicSurface* ASurface) {
  for (const auto& cached : FPageCache)
    if (cached.get() == ASurface) return;
  if (FPageCache.size() > 4) {
    TRLGraphicSurface* oldest = FPageCache.front().get();
    if (oldest->Modified()) Update(oldest);
    std::unique_ptr<TRLGraphicSurface> leaving = std::move(FPageCache.front());
    FPageCache.erase(FPageCache.begin());
  }
  FPageCache.emplace_back(ASurface);
}

void TRLGraphicStorage::RemoveFromCache(TRLGraphicSurface* ASurface) {
  for (auto it = FPageCache.begin(); it != FPageCache.end(); ++it) {
    if (it->get() != ASurface) continue;
    it->release();
    FPageCache.erase(it);
    return;
  }
}

void TRLGraphicStorage::FlushCache() {
  for (const auto& cached : FPageCache)
    if (cached->Modified()) Update(cached.get());
}

std::string TRLGraphicStorage::ReadPageRecord(int APageIndex) {
  int64_t at = FPageAllocation.Items(APageIndex);
  int32_t length = FPageLengths[static_cast<size_t>(APageIndex)];
  FlushTempStream();
  std::string record(static_cast<size_t>(length) + 4, '\0');
  FTempStream->SetPosition(at);
  FTempStream->ReadBuffer(record.data(), static_cast<int64_t>(record.size()));
  if (TRLRecordReader(record).ReadInt32() != length) RaiseReadError();
  record.erase(0, 4);
  return record;
}

TRLGraphicSurface* TRLGraphicStorage::GetPages(int APageIndex) {
  if (APageIndex < 0) return nullptr;
  for (const auto& cached : FPageCache)
    if (cached->PageIndex() == APageIndex) return cached.get();
  if (APageIndex >= PageCount() || !FTempStream) return nullptr;
  auto surface = std::make_unique<TRLGraphicSurface>();
  surface->AttachToStorage(this);
  surface->SetPageIndex(APageIndex);
  try {
    surface->LoadFromRecord(ReadPageRecord(APageIndex));
  } catch (const Exception&) {
    // A page that cannot be read shows as none.
    surface->AttachToStorage(nullptr);
    return nullptr;
  }
  // What was just read is what the file holds.
  surface->SetModified(false);
  TRLGraphicSurface* page = surface.release();
  CachePage(page);
  return page;
}

void TRLGraphicStorage::Clear() {
  if (FTempStream) {
    FTempPending.clear();
    FTempStream->SetSize(0);
    FTempEnd = 0;
  }
  FPageAllocation.Clear();
  FPageLengths.clear();
  std::vector<std::unique_ptr<TRLGraphicSurface>> cache = std::move(FPageCache);
  FPageCache.clear();
  cache.clear();
  FMacros->Clear();
}

void TRLGraphicStorage::SetFileVersion(int AValue) {
  if (AValue < 1 || AValue > 4) throw Exception(u"Invalid file version!");
  FFileVersion = AValue;
}

void TRLGraphicStorage::SaveToFile(const String& AFileName) {
  // The pages' records take at least as much room in the file as in the
  // temporary stream.
  if (FFileVersion < 4 && TempStreamSize() > INT32_MAX) FFileVersion = 4;
  try {
    TFileStream stream(AFileName, fmCreate);
    SaveToStream(stream);
  } catch (...) {
    // A file that could not be written whole is not left behind.
    DeleteFile(AFileName);
    throw;
  }
}

void TRLGraphicStorage::LoadFromFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

// ---- page properties -------------------------------------------------------

int TRLGraphicStorage::FirstPageNumber() const { return StrToIntDef(FMacros->Values(u"FirstPageNumber"), 0); }
void TRLGraphicStorage::SetFirstPageNumber(int AValue) { FMacros->SetValues(u"FirstPageNumber", IntToStr(AValue)); }
int TRLGraphicStorage::LastPageNumber() const { return StrToIntDef(FMacros->Values(u"LastPageNumber"), 0); }
void TRLGraphicStorage::SetLastPageNumber(int AValue) { FMacros->SetValues(u"LastPageNumber", IntToStr(AValue)); }
String TRLGraphicStorage::Title() const { return FMacros->Values(u"Title"); }
void TRLGraphicStorage::SetTitle(const String& AValue) { FMacros->SetValues(u"Title", AValue); }
String TRLGraphicStorage::JobTitle() const { return FMacros->Values(u"JobTitle"); }
void TRLGraphicStorage::SetJobTitle(const String& AValue) { FMacros->SetValues(u"JobTitle", AValue); }

uint8_t TRLGraphicStorage::Orientation() const {
  int value = 0;
  return TryStrToInt(FMacros->Values(u"Orientation"), value) ? static_cast<uint8_t>(value) : 1;
}

void TRLGraphicStorage::SetOrientation(uint8_t AValue) { FMacros->SetValues(u"Orientation", IntToStr(AValue)); }
double TRLGraphicStorage::PaperWidth() const { return TextToMillimetres(FMacros->Values(u"PaperWidth")); }
void TRLGraphicStorage::SetPaperWidth(double AValue) { FMacros->SetValues(u"PaperWidth", MillimetresToText(AValue)); }
double TRLGraphicStorage::PaperHeight() const { return TextToMillimetres(FMacros->Values(u"PaperHeight")); }
void TRLGraphicStorage::SetPaperHeight(double AValue) { FMacros->SetValues(u"PaperHeight", MillimetresToText(AValue)); }
int TRLGraphicStorage::Width() const { return MillimetresToPixels(PaperWidth()); }
int TRLGraphicStorage::Height() const { return MillimetresToPixels(PaperHeight()); }
double TRLGraphicStorage::OrientedPaperWidth() const { return Orientation() == 1 ? PaperWidth() : PaperHeight(); }
double TRLGraphicStorage::OrientedPaperHeight() const { return Orientation() == 1 ? PaperHeight() : PaperWidth(); }
int TRLGraphicStorage::OrientedWidth() const { return MillimetresToPixels(OrientedPaperWidth()); }
int TRLGraphicStorage::OrientedHeight() const { return MillimetresToPixels(OrientedPaperHeight()); }
