#pragma once
// A detail band that prints its records side by side in cells of a fixed
// size, filling rows or columns.
#include "report/components/RLBand.h"

enum TRLDetailGridOrganization : uint8_t { goInRows, goInColumns };

class TRLCustomDetailGrid : public TRLCustomBand {
public:
  explicit TRLCustomDetailGrid(TComponent* AOwner);

  int ColIndex() const { return FColIndex; }
  int RowIndex() const { return FRowIndex; }
  int ColCount() const { return FColCount; }
  void SetColCount(int value);
  double ColSpacing() const { return FColSpacing; }
  void SetColSpacing(double value);
  double ColWidth() const { return FColWidth; }
  void SetColWidth(double value);
  TRLDetailGridOrganization Organization() const { return FOrganization; }
  void SetOrganization(TRLDetailGridOrganization value) { FOrganization = value; }

  TRect CellBounds(int Col, int Row);

  void Initialize() override;
  bool FitsInSpace(int Height, int& Space) override;
  void MoveToNextSlot() override;
  void AdvanceAfterSlice(int Width, int Height) override;
  String GetKindCaption() const override { return u"DetailGrid"; }

protected:
  void PrepareSurfaceOpen() override;
  void ComputePrintPlacement() override;
  void SettleClosedSurface() override;
  int FitHeight() override { return CellBounds(FColIndex, FRowIndex).Height(); }

private:
  void Changed();
  int FColIndex = 0;
  int FColCount = 1;
  double FColSpacing = 0;
  double FColWidth = 0;
  int FRowIndex = 0;
  int FTopRow = 0;
  int FBottomRow = 0;
  TRLDetailGridOrganization FOrganization = goInRows;
};

class TRLDetailGrid : public TRLCustomDetailGrid {
public:
  using TRLCustomDetailGrid::TRLCustomDetailGrid;
};
