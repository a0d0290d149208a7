#include "platform/rtl/Exceptions.h"
#include "platform/ui/ExtCtrls.h"

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  FControlStyle.Exclude(csAcceptsControls);
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->OnChange = nullptr;
  BeginDestroy();
}

TRadioButton* TCustomRadioGroup::Buttons(int index) const {
  if (index < 0 || index >= ButtonCount()) throw EListError(u"List index out of bounds");
  return FButtons[static_cast<size_t>(index)];
}

void TCustomRadioGroup::ItemsChanged() {
  if (IsDestroying()) return;
  int count = FItems->Count();
  while (static_cast<int>(FButtons.size()) > count) {
    TRadioButton* button = FButtons.back();
    FButtons.pop_back();
    delete button;
  }
  while (static_cast<int>(FButtons.size()) < count) {
    auto* button = new TRadioButton(nullptr);
    int index = static_cast<int>(FButtons.size());
    button->OnClick = [this, index](TObject*) { ButtonClicked(index); };
    button->SetParent(this);
    FButtons.push_back(button);
  }
  FUpdating = true;
  for (int i = 0; i < count; ++i) {
    FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Strings(i));
    FButtons[static_cast<size_t>(i)]->SetChecked(i == FItemIndex);
  }
  FUpdating = false;
  if (FItemIndex >= count) FItemIndex = -1;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  int count = ButtonCount();
  if (count == 0) return;
  TCanvas measure;
  HDC dc = GetDC(nullptr);
  measure.SetHandle(dc);
  measure.Font()->Assign(*Font());
  int textHeight = measure.TextHeight(u"0");
  measure.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int columns = std::max(1, FColumns);
  int perColumn = (count + columns - 1) / columns;
  int buttonWidth = (Width() - 10) / columns;
  int space = Height() - textHeight - 5;
  int buttonHeight = space / perColumn;
  int topMargin = textHeight + 1 + (space % perColumn) / 2;
  for (int i = 0; i < count; ++i)
    FButtons[static_cast<size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                buttonHeight);
}

void TCustomRadioGroup::ButtonClicked(int index) {
  if (FUpdating) return;
  FItemIndex = index;
  Click();
}

void TCustomRadioGroup::SetItemIndex(int value) {
  if (value < -1) value = -1;
  if (value >= ButtonCount()) value = ButtonCount() - 1;
  if (FItemIndex == value) return;
  if (FItemIndex >= 0) {
    FUpdating = true;
    FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
    FUpdating = false;
  }
  FItemIndex = value;
  if (value >= 0) FButtons[static_cast<size_t>(value)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int value) {
  value = std::max(1, std::min(value, 16));
  if (FColumns == value) return;
  FColumns = value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::Resize() {
  ArrangeButtons();
  TCustomGroupBox::Resize();
}

void TCustomRadioGroup::WndProc(TMessage& m) {
  TCustomGroupBox::WndProc(m);
  switch (m.Msg) {
    case WM_SETFOCUS: {
      // The group passes the focus to its checked (or first) button.
      int index = FItemIndex >= 0 ? FItemIndex : 0;
      if (index < ButtonCount() && FButtons[static_cast<size_t>(index)]->CanFocus())
        FButtons[static_cast<size_t>(index)]->SetFocus();
      break;
    }
    case CM_FONTCHANGED:
      ArrangeButtons();
      break;
    case CM_ENABLEDCHANGED:
      for (TRadioButton* b : FButtons) b->SetEnabled(Enabled());
      break;
    default:
      break;
  }
}
