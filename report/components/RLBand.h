#pragma once
// A horizontal strip of a report. It records its controls into its own
// surface first, then decides where that goes on the page: it breaks the
// page, goes down to its bottom row, or is cut at free rows over pages.
#include "report/components/RLBandSet.h"

// Scoped: the UI library's panel bevels take the name pbNone.
enum class TRLPageBreaking : uint8_t { pbNone, pbBeforePrint, pbAfterPrint };
constexpr TRLPageBreaking pbBeforePrint = TRLPageBreaking::pbBeforePrint;
constexpr TRLPageBreaking pbAfterPrint = TRLPageBreaking::pbAfterPrint;
enum TRLCompletionType : uint8_t { ctNone, ctFullPage, ctMaxBands, ctMinBands };
enum TRLBandOption : uint8_t { boOptimisticPageBreak };
using TRLBandOptions = TEnumSet<TRLBandOption>;
using TRLComputeEvent = std::function<void(TObject* Sender, bool& ComputeIt)>;

class TRLCustomBand : public TRLCustomBandSet {
public:
  explicit TRLCustomBand(TComponent* AOwner);
  TRLCustomBand* AsBand() override { return this; }

  TRLBandType BandType() const { return FBandType; }
  void SetBandType(TRLBandType value);
  bool Computable() const { return FComputable; }
  void SetComputable(bool value) { FComputable = value; }
  TRLPageBreaking PageBreaking() const { return FPageBreaking; }
  void SetPageBreaking(TRLPageBreaking value) { FPageBreaking = value; }
  TRLCompletionType Completion() const { return FCompletion; }
  void SetCompletion(TRLCompletionType value) { FCompletion = value; }
  bool AlignToBottom() const { return FAlignToBottom; }
  void SetAlignToBottom(bool value) { FAlignToBottom = value; }
  int CarbonCopies() const { return FCarbonCopies; }
  // Shared by the other bands of the parent with the same group index.
  void SetCarbonCopies(int value);
  int CarbonIndex() const { return FCarbonIndex; }
  void SetCarbonIndex(int value) { FCarbonIndex = value; }
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool value) { FIntegralHeight = value; }
  TRLBandOptions Options() const { return FOptions; }
  void SetOptions(TRLBandOptions value) { FOptions = value; }
  bool GreenBarPrint() const { return FGreenBarPrint; }
  void SetGreenBarPrint(bool value) { FGreenBarPrint = value; }
  TColor GreenBarColor() const { return FGreenBarColor; }
  void SetGreenBarColor(TColor value) { FGreenBarColor = value; }
  bool GreenBarFlag() const { return FGreenBarFlag; }
  // The pager is printing completion bands.
  bool Completing() const;
  TRLComputeEvent OnCompute;

  // Computable as the OnCompute handler decides for this print.
  bool ComputableTest();
  // Runs before printing unless the band is optimistic: a band that does
  // not fit moves on.
  void CheckFitBeforePrint();

  virtual bool FitsInSpace(int Height, int& Space);
  virtual void MoveToNextSlot();
  virtual void AdvanceAfterSlice(int Width, int Height);
  virtual String GetKindCaption() const;

  void EmitToSurface() override;
  void SetParent(TWinControl* AParent) override;
  int AlignSortKey() const override { return (FBandType + 1) * 10; }
  int AlignGroupIndex() const override { return FGroupIndex; }

protected:
  void ComputePrintPlacement() override;
  void DeliverSurface() override;
  void SettleClosedSurface() override;
  // The height the fit check measures.
  virtual int FitHeight() { return Height(); }
  bool PrintingBlank() const;
  // The platform's controls carry no size constraints.
  int MinHeightConstraint() const { return 0; }
  TRLCustomPager* Pager() const { return RequestParentPager(); }

private:
  bool MustMoveWhole(int Space);
  TRLBandType FBandType = btDetail;
  bool FComputable = true;
  TRLPageBreaking FPageBreaking = TRLPageBreaking::pbNone;
  TRLCompletionType FCompletion = ctNone;
  bool FAlignToBottom = false;
  int FCarbonCopies = 1;
  int FCarbonIndex = 0;
  int FGroupIndex = 0;
  bool FIntegralHeight = true;
  TRLBandOptions FOptions;
  bool FGreenBarPrint = false;
  TColor FGreenBarColor = 0xE5E5E5;
  bool FGreenBarFlag = false;
};

class TRLBand : public TRLCustomBand {
public:
  using TRLCustomBand::TRLCustomBand;
};
