#pragma once
// A report built in code whose bands hold text controls; the tests read
// the text objects the controls recorded back from the pages.
#include "../engine/EngineFixture.h"

#include "report/components/RLDBText.h"
#include "report/components/RLControlUtils.h"
#include "report/components/RLLabel.h"
#include "report/components/RLSystemInfo.h"

struct RecordedText {
  TRLTextObject* object;
  int page;  // 0-based
  // The text as recorded, macros unresolved.
  std::string Text() const { return object->Text(); }
  // The text as drawn: macros of its page and of the store resolved.
  std::string Shown() const { return object->DisplayText(); }
};

class TTextFixture : public TEngineFixture {
public:
  // A band that draws nothing of its own; bands of one type print in the
  // order they are made.
  TRLBand* PlainBand(TRLBandType type, int height = 20, TRLCustomSite* parent = nullptr) {
    const int top = 1000 + ++order;
    auto* band = f.Make<TRLBand>(parent ? parent : report, TRect(0, top, 700, top + height));
    band->SetBandType(type);
    band->SetBounds(band->Left(), band->Top(), band->Width(), height);
    return band;
  }

  // Each text at a left of its own, by which its recorded objects are
  // found again.
  template <typename T>
  T* Text(TRLCustomSite* band, int left = -1, int top = 2) {
    if (left < 0) left = 10 + textCount;
    ++textCount;
    return f.Make<T>(band, TRect(left, top, left + 65, top + 17));
  }

  // Every text object of every page, in page order.
  std::vector<RecordedText> Recorded() const {
    std::vector<RecordedText> texts;
    TRLGraphicStorage* store = report->Pages();
    for (int p = 0; p < store->PageCount(); ++p) {
      TRLGraphicSurface* page = store->GetPages(p);
      for (int i = 0; i < page->ObjectCount(); ++i)
        if (auto* text = dynamic_cast<TRLTextObject*>(page->Objects(i))) texts.push_back({text, p});
    }
    return texts;
  }

  // The texts, as drawn, that one control recorded: those whose rectangle
  // starts at its left on the page. Borderless left-aligned texts only.
  std::vector<std::string> ShownBy(const TRLCustomControl* control) const {
    const int left = AbsoluteLeft(control) - AbsoluteLeft(report);
    std::vector<std::string> shown;
    for (const RecordedText& t : Recorded())
      if (t.object->BoundsRect().Left == left) shown.push_back(t.Shown());
    return shown;
  }

  int textCount = 0;
};
