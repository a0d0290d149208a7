#pragma once
// Every output of prepared pages goes through a filter: it walks the pages
// of a store over a range, a selection text and an odd/even rule, repeats
// them for emulated copies, shows progress with Cancel, and hands each page
// to its descendant. The library keeps every live filter in a registry and
// one selected filter for the next output.
#include "platform/classes/Component.h"
#include "platform/classes/Strings.h"
#include "report/components/RLTypes.h"
#include "platform/ui/EnumSet.h"
#include <climits>
#include <memory>
#include <vector>

class TRLGraphicStorage;
class TRLGraphicSurface;
class TfrmRLFeedBack;

enum TRLFilterClassOption : uint8_t { foEmulateCopies };
using TRLFilterClassOptions = TEnumSet<TRLFilterClassOption>;

class TRLCustomFilter : public TComponent {
public:
  explicit TRLCustomFilter(TComponent* AOwner);
  ~TRLCustomFilter() override;

  String DisplayName() const { return FDisplayName.empty() ? Name() : FDisplayName; }
  void SetDisplayName(const String& value) { FDisplayName = value; }
  TRLGraphicStorage* Pages() const { return FPages; }
  void SetPages(TRLGraphicStorage* value);
  bool ShowProgress() const { return FShowProgress; }
  void SetShowProgress(bool value) { FShowProgress = value; }
  bool Canceled() const { return FCanceled; }
  void SetCanceled(bool value) { FCanceled = value; }
  TRLFilterClassOptions ClassOptions() const { return FClassOptions; }
  TfrmRLFeedBack* ProgressForm() const { return FProgress.get(); }

  void BeginDoc() { DoBeginDoc(); }
  void EndDoc();
  void NewPage() { DoNewPage(); }
  void DrawPage(TRLGraphicSurface* APage) { DoDrawPage(APage); }

  void FilterPages(TRLGraphicStorage* APages) { FilterPages(APages, 1, INT_MAX, String(), 0); }
  // Positions count from 1; ALastPage -1 or past the end means the last
  // page; AOddPages 0 all, 1 odd only, 2 even only.
  void FilterPages(TRLGraphicStorage* APages, int AFirstPage, int ALastPage, const String& APageSelection,
                   int AOddPages);

  virtual String GetDisplayLabel() const { return DisplayName(); }
  // Whether it writes files, and with which extension ("" for none).
  virtual String DefaultExt() const { return String(); }

protected:
  virtual void DoBeginDoc() = 0;
  virtual void DoEndDoc() = 0;
  virtual void DoNewPage() = 0;
  virtual void DoDrawPage(TRLGraphicSurface* APage) = 0;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TRLFilterClassOptions FClassOptions;

private:
  void StartProgress(int64_t ASteps);
  void RunPages(int AFirstPage, int ALastPage, const String& APageSelection, int AOddPages, int ACopies);

  String FDisplayName;
  TRLGraphicStorage* FPages = nullptr;
  std::unique_ptr<TfrmRLFeedBack> FProgress;
  bool FShowProgress = true;
  bool FCanceled = false;
};

// A filter the print dialog lists, with options of its own.
class TRLCustomPrintFilter : public TRLCustomFilter {
public:
  using TRLCustomFilter::TRLCustomFilter;
  virtual String GetOptionsLabel() const { return String(); }
  // nullptr when the filter has no options.
  virtual TStrings* GetOptions() { return nullptr; }
  virtual int GetOptionIndex() const { return -1; }
  virtual void SetOptionIndex(int) {}
  virtual void SetOrientation(TRLPageOrientation) {}
  String OptionsLabel() const { return GetOptionsLabel(); }
  TStrings* Options() { return GetOptions(); }
  int OptionIndex() const { return GetOptionIndex(); }
};

// The selection text test: "1;3;5-12", a missing or wrong bound counts as -1.
bool PageInSelection(int APageNo, const String& APageSelection);

// Every live filter, in creation order.
const std::vector<TRLCustomFilter*>& FilterRegistry();
TRLCustomFilter* SelectedFilter();
void SetSelectedFilter(TRLCustomFilter* AFilter);

// FilterPages on AFilter, else on the selected filter, else on the shared
// spool filter.
void RunFilterOrDefault(TRLGraphicStorage* APages, TRLCustomFilter* AFilter, int AFirstPage, int ALastPage,
                        const String& APageSelection, int AOddPages);
// The first file-writing filter whose extension is that of AFileName.
TRLCustomFilter* FilterByExtension(const String& AFileName);
