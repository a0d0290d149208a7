#pragma once
// The window in which the user looks at prepared pages before printing
// them: a toolbar of printing, saving, paging, zooming, split view and
// editing over one or two previews, with keys, the wheel and repeating
// page buttons for quick paging.
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/StdCtrls.h"
#include "report/ui/RLFindDialog.h"
#include "report/ui/RLPreview.h"
#include <memory>
#include <vector>

class TRLGraphicStorage;

// Library-wide window settings of the previews that use the defaults.
struct TRLPreviewDefaults {
  TWindowState WindowState = wsMaximized;
  TFormStyle FormStyle = fsNormal;
  bool ShowModal = false;
  TPosition Position = poScreenCenter;
  TBorderIcons BorderIcons{biSystemMenu, biMinimize, biMaximize};
  String HelpFile;
  int HelpContext = 0;
  String Caption;
  // In percent; -1 full width, -2 full page, -3 multiple pages.
  double ZoomFactor = 100;
};
TRLPreviewDefaults& PreviewDefaults();

class TRLPreviewForm : public TForm {
public:
  explicit TRLPreviewForm(TComponent* AOwner);
  ~TRLPreviewForm() override;

  // The preview every toolbar action works on.
  TRLPreview* Preview() const { return FPreviewList[static_cast<size_t>(FPreviewIndex)].get(); }
  int PreviewCount() const { return static_cast<int>(FPreviewList.size()); }
  TRLPreview* Previews(int AIndex) const { return FPreviewList[static_cast<size_t>(AIndex)].get(); }
  TSplitter* SplitterOf(TRLPreview* APreview) const;
  TfrmRLFindDialog* FindDialog() const { return FFindDialog.get(); }
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& AValue) { FHelpFile = AValue; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int AValue) { FHelpContext = AValue; }

  void UpdateZoomText();
  void UpdatePageNoText();
  void ShowFindDialog();
  void AddPreview();
  void RemovePreview();
  void ArrangePreviews();
  void SelectPreview(TRLPreview* APreview);
  // One tick of the repeat timer.
  void RepeatTick();
  // Whether the mouse button that pages is still down; replaceable so
  // that a test can stand in for the hand on the mouse.
  std::function<bool()> RepeatButtonHeld;

  TTimer* TimerRepeat = nullptr;
  TPanel* PanelContainer = nullptr;
  TPanel* PanelTools = nullptr;
  TSpeedButton* SpeedButtonPrint = nullptr;
  TSpeedButton* SpeedButtonFirst = nullptr;
  TSpeedButton* SpeedButtonPrior = nullptr;
  TSpeedButton* SpeedButtonNext = nullptr;
  TSpeedButton* SpeedButtonLast = nullptr;
  TSpeedButton* SpeedButtonZoomDown = nullptr;
  TSpeedButton* SpeedButtonZoomUp = nullptr;
  TSpeedButton* SpeedButtonClose = nullptr;
  TBevel* Bevel1 = nullptr;
  TBevel* Bevel3 = nullptr;
  TBevel* Bevel4 = nullptr;
  TSpeedButton* SpeedButtonSave = nullptr;
  TSpeedButton* SpeedButtonViews = nullptr;
  TBevel* Bevel5 = nullptr;
  TPanel* PanelPages = nullptr;
  TLabel* LabelPage = nullptr;
  TLabel* LabelOf = nullptr;
  TEdit* EditPageNo = nullptr;
  TPanel* PanelZoom = nullptr;
  TComboBox* ComboBoxZoom = nullptr;
  TPanel* PanelPageCount = nullptr;
  TPanel* PanelCopyright = nullptr;
  TSpeedButton* SpeedButtonCopyright = nullptr;
  TSpeedButton* SpeedButtonEdit = nullptr;
  TBevel* Bevel6 = nullptr;
  TSpeedButton* SpeedButtonSend = nullptr;

protected:
  void DoClose(TCloseAction& Action) override;

private:
  void BuildControls();
  void AssignAccelerators();
  void ComboBoxZoomChange();
  void EditPageNoChange();
  void ChangeView(TObject* Sender);
  void ZoomDown();
  void ZoomUp();
  void RepeatButtonDown(TSpeedButton* AButton, TMouseButton AMouseButton);
  void RepeatButtonUp(TMouseButton AMouseButton);
  void PrintPages();
  void SavePages();
  void RestoreFocus(TWinControl* AControl);
  void FormKeyDown(WORD& Key, TShiftState Shift);
  void FormKeyUp(WORD& Key, TShiftState Shift);
  void FormMouseWheel(TShiftState Shift, int WheelDelta, bool& Handled);

  int FPreviewIndex = 0;
  std::vector<std::unique_ptr<TRLPreview>> FPreviewList;
  bool FEditingZoom = false;
  bool FEditingPageNo = false;
  std::unique_ptr<TfrmRLFindDialog> FFindDialog;
  String FHelpFile;
  int FHelpContext = 0;
  std::vector<std::unique_ptr<TBitmap>> FGlyphs;
};

// Opens a preview window over APages. Returns the window when it stays
// open (not modal), nullptr after a modal one has closed.
TRLPreviewForm* ShowPreview(TRLGraphicStorage* APages, bool AShowModal, TFormStyle AFormStyle, const String& ACaption,
                            int AHelpContext, const String& AHelpFile, TBorderIcons ABorderIcons,
                            TWindowState AWindowState, TPosition APosition);
