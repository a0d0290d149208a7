#include "skin/engine/Neighbours.h"

int (*ScrollBarSize)(TacScrollBar* Bar, bool Thickness, int Reserved) = nullptr;
TsSkinProvider* MainFormProvider = nullptr;
bool SessionEnding = false;
std::unique_ptr<TacDialogProviderList> DialogProviderList;
void (*FreeMenuWnds)() = nullptr;
