#pragma once
// The handlers the menu skinning puts on items: types of their own, so that
// an item's handler is known as this object's and the application's own
// handlers are never taken for them.
#include "skin/engine/SkinnedMenus.h"

struct TPopupDrawHandler {
  TsSkinableMenus* Owner;
  void operator()(TObject* S, TCanvas* C, TRect R, TOwnerDrawState St) const { Owner->sAdvancedDrawItem(S, C, R, St); }
};
struct TPopupMeasureHandler {
  TsSkinableMenus* Owner;
  void operator()(TObject* S, TCanvas* C, int& W, int& H) const { Owner->sMeasureItem(S, C, W, H); }
};
struct TLineDrawHandler {
  TsSkinableMenus* Owner;
  void operator()(TObject* S, TCanvas* C, TRect R, TOwnerDrawState St) const {
    Owner->sAdvancedDrawLineItem(S, C, R, St);
  }
};
struct TLineMeasureHandler {
  TsSkinableMenus* Owner;
  void operator()(TObject* S, TCanvas* C, int& W, int& H) const { Owner->sMeasureLineItem(S, C, W, H); }
};

template <class Handler, class Event>
bool IsHandlerOf(const Event& E, const TsSkinableMenus* Owner) {
  const Handler* h = E.template target<Handler>();
  return h && h->Owner == Owner;
}
