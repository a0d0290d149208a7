#pragma once
// Report controls for the tests: a plain control whose natural size the
// test chooses, and a form that is never shown to put them on.
#include "platform/ui/Forms.h"
#include "report/components/RLSiteKinds.h"

#include <memory>

// A plain report control measuring itself as NaturalWidth x NaturalHeight
// when it sizes itself.
class TSizedControl : public TRLCustomControl {
public:
  explicit TSizedControl(TComponent* AOwner) : TRLCustomControl(AOwner) {}
  int NaturalWidth = 0;
  int NaturalHeight = 0;
  void MeasureNaturalSize(int& Width, int& Height) override {
    TRLCustomControl::MeasureNaturalSize(Width, Height);
    if (!AutoSize()) return;
    Width = NaturalWidth;
    Height = NaturalHeight;
  }
};

// Owns a form nobody shows; controls made through it belong to the form.
class TReportForm {
public:
  TReportForm() : FForm(std::make_unique<TForm>(nullptr)) { FForm->SetBounds(0, 0, 800, 600); }
  TForm* Form() const { return FForm.get(); }

  template <typename T>
  T* Make(TWinControl* parent, TRect bounds) {
    auto* control = new T(FForm.get());
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    control->SetParent(parent ? parent : FForm.get());
    return control;
  }

private:
  std::unique_ptr<TForm> FForm;
};
