#pragma once
// A text of what only the report knows: the date and time of the run, page
// numbers (the last one as a macro resolved when the page is drawn), record
// and copy numbers, the title, and the texts printed where a report breaks
// off or goes on.
#include "report/components/RLLabel.h"

enum TRLInfoType : uint8_t {
  itCarbonCopy, itDate, itDetailCount, itFullDate, itHour, itJunction, itLastPageNumber, itMend, itNow,
  itPageNumber, itPagePreview, itTitle, itRecNo, itCopyNo
};

// "CarbonCopy", "Date", ...: the name a control not being prepared shows.
String InfoTypeDesignName(TRLInfoType value);

class TRLCustomSystemInfo : public TRLCustomLabel {
public:
  explicit TRLCustomSystemInfo(TComponent* AOwner);

  TRLInfoType Info() const { return FInfoType; }
  void SetInfo(TRLInfoType value);
  // "Folha: #"; after a "|", "continuation;end" for junction and mend texts.
  const String& Text() const { return FText; }
  void SetText(const String& value);
  bool PrintEndTextOnNextReport() const { return fPrintEndTextOnNextReport; }
  void SetPrintEndTextOnNextReport(bool value) { fPrintEndTextOnNextReport = value; }

  void BuildCaptionText(String& Text) override;

private:
  String InfoValue();
  // The two texts after the first "|" of Text, split at ";".
  void AlternativeTexts(String& First, String& Second) const;
  String JunctionText();
  String MendText();

  TRLInfoType FInfoType = itDate;
  String FText;
  bool fPrintEndTextOnNextReport = false;
};

class TRLSystemInfo : public TRLCustomSystemInfo {
public:
  using TRLCustomSystemInfo::TRLCustomSystemInfo;
};
