#pragma once
// A pager nested in a report or another group that prints its own bands
// for a run of records sharing a key, and ends the run when the key
// changes.
#include "report/components/RLSkipper.h"

using TRLGetBreakEvent = std::function<void(TObject* Sender, bool& BreakIt)>;

class TRLCustomGroup : public TRLCustomPager {
public:
  explicit TRLCustomGroup(TComponent* AOwner);
  TRLCustomGroup* AsGroup() override { return this; }

  const String& DataFields() const { return FDataFields; }
  void SetDataFields(const String& value);
  const String& DataFormula() const { return FDataFormula; }
  void SetDataFormula(const String& value);
  TRLGetBreakEvent OnGetBreak;

  String ComputeGroupKey();
  bool TestGroupBreak();
  void EmitToSurface() override;
  void ComputeDetail(TRLCustomControl* ACaller) override;
  int AlignSortKey() const override { return 32; }

private:
  String FDataFields;
  String FDataFormula;
  String FLastKey;
  bool FBroken = false;
};

class TRLGroup : public TRLCustomGroup {
public:
  using TRLCustomGroup::TRLCustomGroup;
};
