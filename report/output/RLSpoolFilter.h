#pragma once
// The filter that prints: each page replays onto the printer canvas, its
// 96-dpi pixels turned into printer dots and shifted by the unprintable
// margins, in a job titled after the report; a page on other paper ends
// the job and starts another.
#include "report/output/RLFilters.h"
#include "platform/ui/graphics/Geometry.h"

class TRLSpoolFilter : public TRLCustomPrintFilter {
public:
  explicit TRLSpoolFilter(TComponent* AOwner);

  // Makes the open job fit the paper: a new paper ends it and opens another.
  void SetDocumentPaper(uint8_t AOrientation, double APaperWidthMM, double APaperHeightMM);
  const TRect& PrinterRect() const { return FPrinterRect; }
  bool DocStarted() const { return FDocStarted; }

protected:
  void DoBeginDoc() override;
  void DoEndDoc() override;
  void DoNewPage() override;
  void DoDrawPage(TRLGraphicSurface* APage) override;

private:
  String JobTitle() const;

  TRect FPrinterRect;
  bool FDocStarted = false;
  // A break asked for before the next page; taken only when that page
  // lands in the same job.
  bool FBreakPending = false;
  double FPaperWidth = 0;
  double FPaperHeight = 0;
  uint8_t FOrientation = 0;
};

TRLSpoolFilter* SharedSpoolFilter();
void FreeSharedSpoolFilter();
