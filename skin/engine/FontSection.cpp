#include "skin/engine/FontSection.h"
#include "platform/ui/Controls.h"

int AskFontSection(TControl* Control, int Default, TsSkinManager* Manager) {
  if (!Control) return Default;
  TacFontSectionRequest request;
  request.SkinIndex = -1;
  request.Bounds = Control->BoundsRect();
  request.SkinManager = Manager;
  if (ControlSkinCmd(Control, SKC_GETFONTSECTION, reinterpret_cast<LPARAM>(&request)) != 0)
    return static_cast<int>(request.SkinIndex);
  return Default;
}

LRESULT PassFontSection(TControl* Control, TacFontSectionRequest& Request) {
  if (!Control) return 0;
  if (Control->Parent()) {
    Request.Bounds.Left += Control->Left();
    Request.Bounds.Right += Control->Left();
    Request.Bounds.Top += Control->Top();
    Request.Bounds.Bottom += Control->Top();
  }
  return ControlSkinCmd(Control, SKC_GETFONTSECTION, reinterpret_cast<LPARAM>(&Request));
}
