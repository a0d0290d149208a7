#pragma once
// The page store: prepared pages go to a temporary file of the store's own
// as surface records, a few stay in memory, and page N comes back by
// number. It also carries the report-wide macros and page properties, and
// reads and writes the report page file. It frees itself when the last
// component linked to it lets go.
#include "report/pages/RLGraphicSurface.h"
#include "platform/classes/Component.h"
#include "platform/classes/Strings.h"
#include <memory>
#include <vector>

class THandleStream;
class TStream;

// The position of each page's record in the temporary stream.
class TRLPageAllocation {
public:
  int Count() const { return FCount; }
  // Raises EListError for an index outside 0 .. Count - 1.
  int64_t Items(int AIndex) const;
  void SetItems(int AIndex, int64_t AValue);
  int Add(int64_t AOffset);
  void Clear();

private:
  std::vector<int64_t> FOffsets;
  int FCount = 0;
};

class TRLGraphicStorage : public TComponent {
public:
  // The store itself has no owner; AOwner, when given, is linked.
  explicit TRLGraphicStorage(TComponent* AOwner = nullptr);
  ~TRLGraphicStorage() override;

  void Link(TComponent* AComponent);
  // Frees the store when no component stays linked.
  void Unlink(TComponent* AComponent);

  // Takes the page; the store owns it from now on.
  void Add(TRLGraphicSurface* ASurface);
  // Writes a cached page again.
  void Update(TRLGraphicSurface* ASurface);
  // nullptr for an index outside the pages or a page that cannot be read.
  // The surface belongs to the cache: use it at once, never keep or free it.
  TRLGraphicSurface* GetPages(int APageIndex);
  TRLGraphicSurface* Pages(int APageIndex) { return GetPages(APageIndex); }
  void Clear();

  void SaveToStream(TStream& AStream);
  void LoadFromStream(TStream& AStream);
  // Writes FileVersion, or version 4 (which becomes the FileVersion) when
  // the pages reach past the 32-bit offsets of the older versions. A failed
  // save leaves no file behind.
  void SaveToFile(const String& AFileName);
  void LoadFromFile(const String& AFileName);

  int PageCount() const { return FPageAllocation.Count(); }
  int FileVersion() const { return FFileVersion; }
  // Raises "Invalid file version!" outside 1 .. 4.
  void SetFileVersion(int AValue);
  TStringList* Macros() const { return FMacros.get(); }

  int FirstPageNumber() const;
  void SetFirstPageNumber(int AValue);
  int LastPageNumber() const;
  void SetLastPageNumber(int AValue);
  String Title() const;
  void SetTitle(const String& AValue);
  String JobTitle() const;
  void SetJobTitle(const String& AValue);
  uint8_t Orientation() const;
  void SetOrientation(uint8_t AValue);
  double PaperWidth() const;
  void SetPaperWidth(double AValue);
  double PaperHeight() const;
  void SetPaperHeight(double AValue);
  int Width() const;
  int Height() const;
  double OrientedPaperWidth() const;
  double OrientedPaperHeight() const;
  int OrientedWidth() const;
  int OrientedHeight() const;

  // What the page index and the temporary file hold, for the page file
  // and for tests.
  const TRLPageAllocation& PageAllocation() const { return FPageAllocation; }
  const String& TempFileName() const { return FTempFileName; }
  // Bytes in the temporary file (0 before the first page).
  int64_t TempStreamSize() const;
  int CachedPageCount() const { return static_cast<int>(FPageCache.size()); }

  // Used by a surface that leaves the cache.
  void RemoveFromCache(TRLGraphicSurface* ASurface);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TRLPageFileWriter;
  friend class TRLPageFileReader;
  void EnsureTempStream();
  void StorePage(TRLGraphicSurface* ASurface);
  void CachePage(TRLGraphicSurface* ASurface);
  void FlushCache();
  // Appends a page record (int32 length and the surface record) to the
  // temporary stream; returns where it starts.
  int64_t AppendRecord(const std::string& ARecordWithLength);
  // Writes what waits, before the file is read or cut.
  void FlushTempStream();
  void SetPage(int APageIndex, int64_t AOffset, int32_t ALength);
  // The surface record of page APageIndex, read from the temporary stream.
  std::string ReadPageRecord(int APageIndex);

  std::vector<std::unique_ptr<TRLGraphicSurface>> FPageCache;
  TRLPageAllocation FPageAllocation;
  // The length of each page's surface record, beside its offset.
  std::vector<int32_t> FPageLengths;
  // The bytes of the page record last written, kept for their capacity.
  std::string FPageRecord;
  std::unique_ptr<THandleStream> FTempStream;
  // Records appended lately wait here and reach the file in large writes;
  // FTempEnd counts them.
  std::string FTempPending;
  int64_t FTempEnd = 0;
  String FTempFileName;
  int FFileVersion = 3;
  std::unique_ptr<TStringList> FMacros;
  std::vector<TComponent*> FReferenceList;
};
