#include "skin/engine/DialogNeighbours.h"
#include "skin/engine/CommonData.h"
#include "platform/ui/Forms.h"

TacProvider::~TacProvider() = default;
TacDialogWnd::~TacDialogWnd() = default;

std::function<void(TacDialogWnd* DialogWnd, bool Redraw)> UpdateDialogRegion;
