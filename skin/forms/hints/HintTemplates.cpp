#include "skin/forms/hints/HintTemplates.h"
#include "skin/forms/hints/HintArt.h"
#include <algorithm>

void AlphaHintsChanged(TsAlphaHints* Hints);

namespace {
// Guards the change notification of the sizes against re-entry.
bool SizesNotifying = false;
}  // namespace

// ---- Sizes ------------------------------------------------------------------

int TacBordersSizes::GetByIndex(int Index) const {
  int value = 0;
  switch (Index) {
    case 0: value = FTop; break;
    case 1: value = FLeft; break;
    case 2: value = FBottom; break;
    case 3: value = FRight; break;
    default: return 0;
  }
  return std::max(value, 0);
}

void TacBordersSizes::SetInteger(int Index, int Value) {
  if (!CheckSize || !FOwner) {
    switch (Index) {
      case 0: FTop = Value; break;
      case 1: FLeft = Value; break;
      case 2: FBottom = Value; break;
      case 3: FRight = Value; break;
      default: return;
    }
  } else {
    const int h = FOwner->ImageHeight(), w = FOwner->ImageWidth();
    switch (Index) {
      case 0:
        FTop = std::min(Value, h - 1);
        FBottom = std::min(FBottom, h - (FTop + 1));
        break;
      case 2:
        FBottom = std::min(Value, h - 1);
        FTop = std::min(FTop, h - (FBottom + 1));
        break;
      case 1:
        FLeft = std::min(Value, w - 1);
        FRight = std::min(FRight, w - (FLeft + 1));
        break;
      case 3:
        FRight = std::min(Value, w - 1);
        FLeft = std::min(FLeft, w - (FRight + 1));
        break;
      default: return;
    }
  }
  if (!SizesNotifying && FOwner) {
    SizesNotifying = true;
    FOwner->NotifyOwner();
    SizesNotifying = false;
  }
}

void TacBordersSizes::SetValues(int ALeft, int ATop, int ARight, int ABottom) {
  SetInteger(1, ALeft);
  SetInteger(0, ATop);
  SetInteger(3, ARight);
  SetInteger(2, ABottom);
}

void TacBordersSizes::AssignTo(TPersistent& Dest) const {
  if (auto* d = dynamic_cast<TacBordersSizes*>(&Dest)) {
    d->SetValues(Left(), Top(), Right(), Bottom());
    return;
  }
  TPersistent::AssignTo(Dest);
}

// ---- Draw modes ---------------------------------------------------------------

TacBorderDrawMode TacBorderDrawModes::Get(int Index) const {
  const uint8_t values[5] = {FTop, FLeft, FBottom, FRight, FCenter};
  return Index >= 0 && Index < 5 ? static_cast<TacBorderDrawMode>(values[Index]) : dmStretch;
}

void TacBorderDrawModes::Set(int Index, TacBorderDrawMode Value) {
  uint8_t* fields[5] = {&FTop, &FLeft, &FBottom, &FRight, &FCenter};
  if (Index < 0 || Index >= 5) return;
  *fields[Index] = static_cast<uint8_t>(Value);
  if (FOwner) FOwner->NotifyOwner();
}

void TacBorderDrawModes::AssignTo(TPersistent& Dest) const {
  if (auto* d = dynamic_cast<TacBorderDrawModes*>(&Dest)) {
    for (int i = 0; i < 5; ++i) d->Set(i, Get(i));
    return;
  }
  TPersistent::AssignTo(Dest);
}

// ---- Image ------------------------------------------------------------------

TacHintImage::TacHintImage(TacHintTemplate* AOwner) : FOwner(AOwner), FImage(std::make_unique<TPNGGraphic>()) {}
TacHintImage::~TacHintImage() = default;

void TacHintImage::SetImage(const TBitmap& Value) {
  FImage->Assign(Value);
  ImageChanged();
  NotifyOwner();
}

void TacHintImage::ImageChanged() {
  const int w = ImageWidth(), h = ImageHeight();
  const int x = (w - 1) / 2, y = (h - 1) / 2;
  FBordersWidths.FLeft = FBordersWidths.FRight = FClientMargins.FLeft = FClientMargins.FRight = x;
  FBordersWidths.FTop = FBordersWidths.FBottom = FClientMargins.FTop = FClientMargins.FBottom = y;
}

bool TacHintImage::StreamChanged() {
  if (FImageData.Size() == 0) return false;
  try {
    TPNGGraphic png;
    FImageData.SetPosition(0);
    png.LoadFromStream(FImageData);
    FImage->Assign(png);
  } catch (const Exception&) {
    return false;
  }
  NotifyOwner();
  return true;
}

void TacHintImage::NotifyOwner() const {
  if (FOwner && FOwner->Owner()) AlphaHintsChanged(FOwner->Owner()->FOwner);
}

void TacHintImage::AssignTo(TPersistent& Dest) const {
  auto* d = dynamic_cast<TacHintImage*>(&Dest);
  if (!d) {
    TPersistent::AssignTo(Dest);
    return;
  }
  d->FImage->Assign(*FImage);
  d->FImageData.Clear();
  if (const_cast<TMemoryStream&>(FImageData).Size() > 0) {
    auto& source = const_cast<TMemoryStream&>(FImageData);
    d->FImageData.Write(source.Memory(), source.Size());
    d->FImageData.SetPosition(0);
  }
  d->FClientMargins.Assign(FClientMargins);
  d->FBorderDrawModes.Assign(FBorderDrawModes);
  d->FBordersWidths.Assign(FBordersWidths);
  d->FShadowSizes.Assign(FShadowSizes);
}

// ---- Template -----------------------------------------------------------------

TacHintTemplate::TacHintTemplate(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>()),
      FOwner(dynamic_cast<TacHintTemplates*>(Collection)) {
  for (auto& image : FImages) image = std::make_unique<TacHintImage>(this);
}

TacHintTemplate::~TacHintTemplate() = default;

TacHintImage* TacHintTemplate::Images(int Index) const {
  return Index >= 0 && Index < 4 ? FImages[Index].get() : nullptr;
}

void TacHintTemplate::SetImages(int Index, const TacHintImage& Value) {
  if (Index >= 0 && Index < 4) FImages[Index]->Assign(Value);
}

void TacHintTemplate::SetFont(const TFont& Value) {
  FFont->Assign(Value);
  if (FOwner) AlphaHintsChanged(FOwner->FOwner);
}

void TacHintTemplate::AssignTo(TPersistent& Dest) const {
  auto* d = dynamic_cast<TacHintTemplate*>(&Dest);
  if (!d) {
    TCollectionItem::AssignTo(Dest);
    return;
  }
  for (int i = 0; i < 4; ++i) d->SetImages(i, *FImages[i]);
  d->SetFont(*FFont);
  d->SetName(FName);
}

TacHintTemplates::TacHintTemplates(TsAlphaHints* AOwner)
    : TCollection([](TCollection* c) { return new TacHintTemplate(c); }), FOwner(AOwner) {}

// ---- Default template ---------------------------------------------------------

TacHintTemplate& DefaultHintTemplate() {
  static const std::unique_ptr<TacHintTemplate> instance = [] {
    auto t = std::make_unique<TacHintTemplate>(nullptr);
    TacHintImage* image = t->ImageDefault();
    TStringStream data(AcHintPng());
    try {
      image->Image()->LoadFromStream(data);
    } catch (const Exception&) {
      // A picture that does not decode leaves the default template empty.
    }
    image->BordersWidths().SetValues(11, 10, 14, 15);
    image->ShadowSizes().SetValues(6, 5, 7, 8);
    image->ClientMargins().SetValues(11, 8, 16, 15);
    return t;
  }();
  return *instance;
}
