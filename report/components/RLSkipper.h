#pragma once
// The part of a pager that walks the records it prints, from a data source
// or, without one, from an event, and lets the application use, skip,
// repeat or blank each record.
#include "report/components/RLPager.h"

class TDataSource;
class TDataSet;

enum TRLRecordRange : uint8_t { rrAllRecords, rrCurrentOnly, rrUntilEof, rrNextN };
using TRLDataCountEvent = std::function<void(TObject* Sender, int& DataCount)>;
using TRLDataRecordEvent =
    std::function<void(TObject* Sender, int RecNo, int CopyNo, bool& Eof, TRLRecordAction& RecordAction)>;
using TRLNeedDataEvent = std::function<void(TObject* Sender, bool& MoreData)>;

class TRLCustomSkipper : public TRLCustomPager {
public:
  using TRLCustomPager::TRLCustomPager;
  TRLCustomSkipper* AsSkipper() override { return this; }

  TRLRecordAction RecordAction() const { return FRecordAction; }
  void SetRecordAction(TRLRecordAction value) { FRecordAction = value; }
  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* value);
  // The data source's data set when it is open, else nullptr.
  TDataSet* ActiveDataSet() const;
  bool DataEof() const { return FDataEof; }
  int RecNo() const { return FRecNo; }
  int CopyNo() const { return FCopyNo; }
  bool RecordMoved() const { return FRecordMoved; }
  void SetRecordMoved(bool value) { FRecordMoved = value; }
  TRLRecordRange RecordRange() const { return FRecordRange; }
  void SetRecordRange(TRLRecordRange value) { FRecordRange = value; }
  int RangeCount() const { return FRangeCount; }
  void SetRangeCount(int value) { FRangeCount = value; }

  TRLDataCountEvent OnDataCount;
  TRLDataRecordEvent OnDataRecord;
  TRLNeedDataEvent OnNeedData;

  virtual int DataCount();
  virtual void DataFirst();
  virtual void DataNext();

  void EmitToSurface() override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The data loop of a document: every record through PrintDetails.
  void RunDataLoop();

private:
  enum class Move : uint8_t { First, Stay, Next };
  bool GetRecord(Move AMove);
  // Offers records until one is not ignored.
  void OfferRecords(bool AFirst, bool ARetained);

  TRLRecordAction FRecordAction = raUseIt;
  TDataSource* FDataSource = nullptr;
  bool FDataEof = true;
  int FRecNo = 0;
  int FCopyNo = 0;
  bool FRecordMoved = false;
  TRLRecordRange FRecordRange = rrAllRecords;
  int FRangeCount = 0;
};
