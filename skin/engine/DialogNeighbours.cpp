#include "skin/engine/DialogNeighbours.h"
#include "skin/engine/CommonData.h"
#include "platform/ui/Forms.h"

TacProvider::~TacProvider() = default;
HWND TacProvider::DialogWnd() const { return ListSW ? ListSW->CtrlHandle : nullptr; }
TacDialogWnd::~TacDialogWnd() = default;

std::function<void(TacDialogWnd* DialogWnd, bool Redraw)> UpdateDialogRegion;
