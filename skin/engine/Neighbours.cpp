#include "skin/engine/Neighbours.h"
#include "platform/ui/Forms.h"

int (*ScrollBarSize)(TacScrollBar* Bar, bool Thickness, int Reserved) = nullptr;
TsSkinProvider* MainFormProvider = nullptr;
bool SessionEnding = false;

TacBorderForm::~TacBorderForm() = default;
TsSkinProvider::~TsSkinProvider() = default;

int WndBorderWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin) {
  (void)CheckSkin;
  if (BorderForm) return BorderForm->ExBorderWidth();
  // The system frame: the distance from the window's edge to its client.
  RECT wr{}, cr{};
  if (!Wnd || !GetWindowRect(Wnd, &wr) || !GetClientRect(Wnd, &cr)) return 0;
  POINT origin{0, 0};
  ClientToScreen(Wnd, &origin);
  return origin.x - wr.left;
}

int FormSysCaptionHeight(TCustomForm* Form) {
  if (!Form) return 0;
  const bool tool = Form->HandleAllocated() && (GetWindowLongW(Form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  return GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
}

int ExTitleHeightOf(TacBorderForm* BorderForm) { return BorderForm ? BorderForm->ExTitleHeight() : 0; }
int ExBorderWidthOf(TacBorderForm* BorderForm) { return BorderForm ? BorderForm->ExBorderWidth() : 0; }
int ExtraTitleHeight(TacBorderForm* BorderForm) { return BorderForm ? BorderForm->ExtraTitleHeight() : 0; }
int ExtraBorderWidth(TacBorderForm* BorderForm) { return BorderForm ? BorderForm->ExtraBorderWidth() : 0; }

HRGN MakeFormRgn(TsSkinProvider* Provider, int X, int Y) {
  if (!Provider || !Provider->Form()) return nullptr;
  TCustomForm* form = Provider->Form();
  HRGN rgn = CreateRectRgn(X, Y, X + form->Width(), Y + form->Height());
  for (const TRect& r : Provider->ArOR) {
    HRGN cut = CreateRectRgn(X + r.Left, Y + r.Top, X + r.Right, Y + r.Bottom);
    CombineRgn(rgn, rgn, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return rgn;
}

std::function<std::unique_ptr<TCustomForm>(HWND Wnd)> MakeCoverForm;

std::unique_ptr<TacDialogProviderList> DialogProviderList;
void (*FreeMenuWnds)() = nullptr;
