#pragma once
// A data text that accumulates its field or formula over the detail records
// of a report or group and prints their count, sum, average, extremes, the
// first or last value, or the latest one. Formulas may call the aggregate
// functions ("sum", "count", ...), each call with its own running state.
#include "report/components/RLDBText.h"
#include "report/parser/RLParserBuiltIns.h"

enum TRLResultInfo : uint8_t {
  riAverage, riCount, riFirst, riLast, riMax, riMin, riSum, riFirstText, riLastText, riSimple
};

using TRLOnComputeEvent = std::function<void(TObject* Sender, Variant& Value, String& Text, bool& ComputeIt)>;

// The empty value of a field's type: 0 for numbers and dates, the empty
// text for texts and large objects, null without a field.
Variant NullValueForField(const TField* Field);

class TRLCustomDBResult : public TRLCustomDBText {
public:
  explicit TRLCustomDBResult(TComponent* AOwner);

  TRLResultInfo Info() const { return FInfo; }
  void SetInfo(TRLResultInfo value);
  bool ComputeNulls() const { return FComputeNulls; }
  void SetComputeNulls(bool value) { FComputeNulls = value; }
  bool ResetAfterPrint() const { return FResetAfterPrint; }
  void SetResetAfterPrint(bool value) { FResetAfterPrint = value; }
  TRLOnComputeEvent OnCompute;

  // What the control shows by Info.
  Variant Value() const;
  // The state of each aggregate function call of the formula.
  const TRLBuiltInRegisters& BuiltInRegisters() const { return FBuiltInRegs; }

  void Initialize() override;
  void ComputeDetail(TRLCustomControl* ACaller) override;
  void ReadDataText(String& Text) override;
  void EmitToSurface() override;
  void GetAttribute(const String& Name, Variant& Value) override;
  // Unassigned for a name that is no aggregate function.
  void EvaluateBuiltIn(const String& Name, const Variant& Params, Variant& Result);
  TRLCustomDBResult* AsDBResult() override { return this; }

private:
  // The record's value, and its text when WithText: a record's text is only
  // kept for the first and last texts, or handed to OnCompute.
  void FetchValue(String& Text, Variant& Value, bool WithText = true);
  bool NeedsRecordText() const { return OnCompute || FInfo == riFirstText || FInfo == riLastText; }

  int32_t FCount = 0;
  Variant FMax;
  Variant FMin;
  double FSum = 0;
  TRLResultInfo FInfo = riSimple;
  Variant FFirst;
  Variant FLast;
  String FFirstText;
  String FLastText;
  Variant FSimple;
  Variant FNullValue;
  bool FResetAfterPrint = false;
  bool FMustResetValue = false;
  TRLBuiltInRegisters FBuiltInRegs;
  bool FComputeNulls = true;
};

class TRLDBResult : public TRLCustomDBResult {
public:
  using TRLCustomDBResult::TRLCustomDBResult;
};
