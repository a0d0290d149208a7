#include "report/ui/RLPreviewForm.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include "report/output/RLFilters.h"
#include "report/output/RLPrinters.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLLocaleStrings.h"
#include "report/ui/RLPreviewGlyphs.h"
#include "report/ui/RLPrintDialog.h"
#include "report/ui/RLSaveDialog.h"
#include "report/ui/RLSavePages.h"
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <sstream>

namespace {
String T(const String& AText) { return ReportText(AText); }

constexpr int kRepeatDelay = 500;
constexpr int kRepeatInterval = 100;

template <typename C> C* Make(TRLPreviewForm* AForm, TWinControl* AParent, C*& AField, const char16_t* AName) {
  AField = new C(AForm);
  AField->SetName(AName);
  AField->SetParent(AParent);
  return AField;
}

// A typed zoom: "%" dropped, "," read as ".", 0 when it is no number.
double TypedZoom(const String& AText) {
  std::string text;
  for (char16_t c : AText) {
    if (c == u'%') continue;
    if (c > 127) return 0;
    text += c == u',' ? '.' : static_cast<char>(c);
  }
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = 0;
  in >> value;
  if (in.fail()) return 0;
  in >> std::ws;
  return in.eof() ? value : 0;
}

// Blanks and control characters trimmed, then what a file name cannot hold
// removed.
String CleanFileTitle(const String& ATitle) {
  String trimmed = Trim(ATitle);
  String result;
  for (char16_t c : trimmed) {
    if (c < 32 || c == 127) continue;
    if (String(u"\"*./:<>?\\|").find(c) != String::npos) continue;
    result += c;
  }
  return result;
}

bool LeftButtonHeld() {
  const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetAsyncKeyState(button) & 0x8000) != 0;
}
}  // namespace

TRLPreviewDefaults& PreviewDefaults() {
  static TRLPreviewDefaults defaults;
  return defaults;
}

TRLPreviewForm::TRLPreviewForm(TComponent* AOwner) : TForm(AOwner), RepeatButtonHeld(LeftButtonHeld) {
  BuildControls();
  AssignAccelerators();
  AddPreview();
  ArrangePreviews();
}

TRLPreviewForm::~TRLPreviewForm() {
  // The previews are children of the container: they leave it before the
  // window takes its children down with it.
  FPreviewList.clear();
  FFindDialog.reset();
}

void TRLPreviewForm::BuildControls() {
  const TRLLocaleStrings& ls = CurrentReportTexts;
  SetCaption(T(ls.LS_PreviewStr));
  SetBounds(0, 0, 815, 375);
  SetKeyPreview(true);
  SetColor(clBtnFace);

  TimerRepeat = new TTimer(this);
  TimerRepeat->SetName(u"TimerRepeat");
  TimerRepeat->SetInterval(kRepeatInterval);
  TimerRepeat->OnTimer = [this](TObject*) { RepeatTick(); };

  Make(this, this, PanelContainer, u"PanelContainer");
  PanelContainer->SetBevelOuter(bvNone);
  PanelContainer->SetCaption(String());
  Make(this, this, PanelTools, u"PanelTools");
  PanelTools->SetAlign(alTop);
  PanelTools->SetHeight(23);
  PanelTools->SetBevelOuter(bvNone);
  PanelTools->SetBorderWidth(1);
  PanelTools->SetCaption(String());
  PanelContainer->SetAlign(alClient);

  auto button = [this](TSpeedButton*& AField, const char16_t* AName, int ALeft, int AWidth, const String& AHint) {
    Make(this, PanelTools, AField, AName)->SetBounds(ALeft, 1, AWidth, 22);
    AField->SetFlat(true);
    AField->SetHint(AHint);
    AField->SetShowHint(true);
    return AField;
  };
  auto picture = [this](TSpeedButton* AButton, TRLPreviewGlyph AKind) {
    FGlyphs.push_back(PreviewGlyph(AKind));
    AButton->SetGlyph(FGlyphs.back().get());
  };
  auto bevel = [this](TBevel*& AField, const char16_t* AName, int ALeft) {
    Make(this, PanelTools, AField, AName)->SetBounds(ALeft, 1, 2, 22);
    AField->SetShape(bsLeftLine);
  };

  button(SpeedButtonPrint, u"SpeedButtonPrint", 1, 50, T(ls.LS_PrintStr))->SetCaption(T(ls.LS_PrintStr));
  SpeedButtonPrint->OnClick = [this](TObject*) { PrintPages(); };
  picture(button(SpeedButtonFirst, u"SpeedButtonFirst", 209, 22, T(ls.LS_FirstPageStr)), TRLPreviewGlyph::First);
  SpeedButtonFirst->OnClick = [this](TObject*) { Preview()->FirstPage(); };
  picture(button(SpeedButtonPrior, u"SpeedButtonPrior", 231, 22, T(ls.LS_PriorPageStr)), TRLPreviewGlyph::Prior);
  picture(button(SpeedButtonNext, u"SpeedButtonNext", 392, 22, T(ls.LS_NextPageStr)), TRLPreviewGlyph::Next);
  for (TSpeedButton* repeating : {SpeedButtonPrior, SpeedButtonNext}) {
    repeating->OnMouseDown = [this, repeating](TObject*, TMouseButton b, TShiftState, int, int) {
      RepeatButtonDown(repeating, b);
    };
    repeating->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { RepeatButtonUp(b); };
  }
  picture(button(SpeedButtonLast, u"SpeedButtonLast", 414, 22, T(ls.LS_LastPageStr)), TRLPreviewGlyph::Last);
  SpeedButtonLast->OnClick = [this](TObject*) { Preview()->LastPage(); };
  picture(button(SpeedButtonZoomDown, u"SpeedButtonZoomDown", 447, 22, T(ls.LS_ZoomHint)), TRLPreviewGlyph::ZoomDown);
  SpeedButtonZoomDown->OnClick = [this](TObject*) { ZoomDown(); };
  picture(button(SpeedButtonZoomUp, u"SpeedButtonZoomUp", 469, 22, T(ls.LS_ZoomHint)), TRLPreviewGlyph::ZoomUp);
  SpeedButtonZoomUp->OnClick = [this](TObject*) { ZoomUp(); };
  button(SpeedButtonClose, u"SpeedButtonClose", 151, 49, T(ls.LS_CloseStr))->SetCaption(T(ls.LS_CloseStr));
  SpeedButtonClose->OnClick = [this](TObject*) { Close(); };
  bevel(Bevel1, u"Bevel1", 204);
  bevel(Bevel3, u"Bevel3", 441);
  bevel(Bevel4, u"Bevel4", 640);
  button(SpeedButtonSave, u"SpeedButtonSave", 51, 50, T(ls.LS_SaveToFileStr))->SetCaption(T(ls.LS_SaveStr));
  SpeedButtonSave->OnClick = [this](TObject*) { SavePages(); };
  picture(button(SpeedButtonViews, u"SpeedButtonViews", 646, 22, T(ls.LS_DivideScreenStr)), TRLPreviewGlyph::Views);
  SpeedButtonViews->OnClick = [this](TObject*) {
    if (PreviewCount() == 1)
      AddPreview();
    else
      RemovePreview();
    ArrangePreviews();
  };
  bevel(Bevel5, u"Bevel5", 672);

  Make(this, PanelTools, PanelPages, u"PanelPages")->SetBounds(256, 1, 134, 22);
  PanelPages->SetBevelOuter(bvNone);
  PanelPages->SetCaption(String());
  Make(this, PanelPages, LabelPage, u"LabelPage")->SetBounds(0, 4, 33, 13);
  LabelPage->SetCaption(T(ls.LS_PageStr));
  Make(this, PanelPages, LabelOf, u"LabelOf")->SetBounds(80, 4, 12, 13);
  LabelOf->SetCaption(T(ls.LS_OfStr));
  Make(this, PanelPages, EditPageNo, u"EditPageNo")->SetBounds(40, 0, 37, 21);
  EditPageNo->OnChange = [this](TObject*) { EditPageNoChange(); };
  LabelPage->SetFocusControl(EditPageNo);
  Make(this, PanelTools, PanelZoom, u"PanelZoom")->SetBounds(492, 1, 145, 22);
  PanelZoom->SetBevelOuter(bvNone);
  PanelZoom->SetCaption(String());
  Make(this, PanelZoom, ComboBoxZoom, u"ComboBoxZoom")->SetBounds(0, 0, 145, 21);
  ComboBoxZoom->SetDropDownCount(11);
  for (const char16_t* item : {u"500%", u"200%", u"150%", u"100%", u"75%", u"50%", u"25%", u"10%"})
    ComboBoxZoom->Items()->Add(item);
  ComboBoxZoom->Items()->Add(T(ls.LS_EntireWidthStr));
  ComboBoxZoom->Items()->Add(T(ls.LS_EntirePageStr));
  ComboBoxZoom->Items()->Add(T(ls.LS_MultiplePagesStr));
  ComboBoxZoom->OnChange = [this](TObject*) { ComboBoxZoomChange(); };
  Make(this, PanelPages, PanelPageCount, u"PanelPageCount")->SetBounds(96, 0, 37, 21);
  PanelPageCount->SetBevelOuter(bvLowered);
  PanelPageCount->SetAlignment(taLeftJustify);
  PanelPageCount->SetCaption(u"0");

  Make(this, PanelTools, PanelCopyright, u"PanelCopyright")->SetWidth(22);
  PanelCopyright->SetAlign(alRight);
  PanelCopyright->SetBevelOuter(bvNone);
  PanelCopyright->SetCaption(String());
  Make(this, PanelCopyright, SpeedButtonCopyright, u"SpeedButtonCopyright")->SetBounds(0, 0, 22, 22);
  SpeedButtonCopyright->SetFlat(true);
  SpeedButtonCopyright->SetHint(u"Brenquia Relatórios 1.0");
  SpeedButtonCopyright->SetShowHint(true);
  picture(SpeedButtonCopyright, TRLPreviewGlyph::Copyright);
  picture(button(SpeedButtonEdit, u"SpeedButtonEdit", 677, 22, T(ls.LS_EditStr)), TRLPreviewGlyph::Edit);
  SpeedButtonEdit->SetGroupIndex(1);
  SpeedButtonEdit->SetAllowAllUp(true);
  SpeedButtonEdit->OnClick = [this](TObject*) { Preview()->SetEditing(SpeedButtonEdit->Down()); };
  bevel(Bevel6, u"Bevel6", 703);
  button(SpeedButtonSend, u"SpeedButtonSend", 101, 50, T(ls.LS_SendToStr))->SetCaption(T(ls.LS_SendStr));
  // No send service exists in this system.
  SpeedButtonSend->SetEnabled(false);

  OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
  OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) { FormKeyUp(Key, Shift); };
  OnMouseWheel = [this](TObject*, TShiftState Shift, int WheelDelta, TPoint, bool& Handled) {
    FormMouseWheel(Shift, WheelDelta, Handled);
  };
}

void TRLPreviewForm::AssignAccelerators() {
  String taken;
  for (TSpeedButton* b : {SpeedButtonPrint, SpeedButtonClose, SpeedButtonSave, SpeedButtonSend}) {
    String caption = b->Caption();
    for (size_t i = 0; i < caption.size(); ++i) {
      const String upper = AnsiUpperCase(caption.substr(i, 1));
      const char16_t c = upper[0];
      const bool usable = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
      if (!usable || taken.find(c) != String::npos) continue;
      taken += c;
      b->SetCaption(caption.substr(0, i) + u"&" + caption.substr(i));
      break;
    }
  }
}

TSplitter* TRLPreviewForm::SplitterOf(TRLPreview* APreview) const {
  return reinterpret_cast<TSplitter*>(APreview->Tag());
}

void TRLPreviewForm::AddPreview() {
  auto preview = std::make_unique<TRLPreview>(nullptr);
  preview->SetWidth(0);
  preview->OnChangeView = [this](TObject* Sender) { ChangeView(Sender); };
  TRLPreview* raw = preview.get();
  preview->OnEnter = [this, raw](TObject*) { SelectPreview(raw); };
  preview->SetParent(PanelContainer);
  auto* splitter = new TSplitter(this);
  splitter->SetWidth(0);
  splitter->SetAutoSnap(false);
  splitter->SetParent(PanelContainer);
  preview->SetTag(reinterpret_cast<intptr_t>(splitter));
  FPreviewList.push_back(std::move(preview));
  if (FPreviewList.size() > 1) raw->SetPages(FPreviewList.front()->Pages());
}

void TRLPreviewForm::RemovePreview() {
  if (FPreviewList.size() < 2) return;
  std::unique_ptr<TRLPreview> last = std::move(FPreviewList.back());
  FPreviewList.pop_back();
  // Its splitter goes with it: left behind it would stay on screen.
  delete SplitterOf(last.get());
  last.reset();
  if (FPreviewIndex >= PreviewCount()) SelectPreview(FPreviewList.back().get());
}

void TRLPreviewForm::ArrangePreviews() {
  PanelContainer->DisableAlign();
  for (auto& preview : FPreviewList) {
    preview->SetAlign(alNone);
    SplitterOf(preview.get())->SetAlign(alNone);
  }
  const int height = PanelContainer->ClientHeight() / PreviewCount();
  int top = 0;
  for (size_t i = 0; i < FPreviewList.size(); ++i) {
    TRLPreview* preview = FPreviewList[i].get();
    TSplitter* splitter = SplitterOf(preview);
    if (i + 1 < FPreviewList.size()) {
      preview->SetBounds(0, top, PanelContainer->ClientWidth(), height);
      preview->SetAlign(alTop);
      top += height;
      splitter->SetBounds(0, top, PanelContainer->ClientWidth(), 3);
      splitter->SetAlign(alTop);
      splitter->SetCursor(crVSplit);
      splitter->SetVisible(true);
      top += 3;
    } else {
      splitter->SetVisible(false);
      preview->SetBounds(0, top, PanelContainer->ClientWidth(), std::max(0, PanelContainer->ClientHeight() - top));
      preview->SetAlign(alClient);
    }
  }
  PanelContainer->EnableAlign();
}

void TRLPreviewForm::SelectPreview(TRLPreview* APreview) {
  for (size_t i = 0; i < FPreviewList.size(); ++i)
    if (FPreviewList[i].get() == APreview) FPreviewIndex = static_cast<int>(i);
  UpdatePageNoText();
  UpdateZoomText();
}

void TRLPreviewForm::ChangeView(TObject*) {
  TRLGraphicStorage* pages = Preview()->Pages();
  PanelPageCount->SetCaption(IntToStr(pages ? pages->PageCount() : 0));
  UpdatePageNoText();
  UpdateZoomText();
}

void TRLPreviewForm::UpdateZoomText() {
  if (FEditingZoom) return;
  TNotifyEvent change = std::move(ComboBoxZoom->OnChange);
  ComboBoxZoom->OnChange = nullptr;
  ComboBoxZoom->SetItemIndex(-1);
  ComboBoxZoom->SetText(FloatToStr(Preview()->ZoomFactor()) + u"%");
  ComboBoxZoom->OnChange = std::move(change);
}

void TRLPreviewForm::UpdatePageNoText() {
  if (FEditingPageNo) return;
  TNotifyEvent change = std::move(EditPageNo->OnChange);
  EditPageNo->OnChange = nullptr;
  EditPageNo->SetText(IntToStr(Preview()->PageIndex() + 1));
  EditPageNo->OnChange = std::move(change);
}

void TRLPreviewForm::ComboBoxZoomChange() {
  FEditingZoom = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FEditingZoom};
  const String text = ComboBoxZoom->Text();
  int choice = ComboBoxZoom->Items()->IndexOf(text);
  double number = 0;
  if (choice < 0) {
    number = TypedZoom(text);
    choice = ComboBoxZoom->ItemIndex();
  }
  TRLPreview* preview = Preview();
  if (number >= kPreviewMinZoom) {
    preview->SetZoomFactor(number);
    return;
  }
  static constexpr double kListed[] = {500, 200, 150, 100, 75, 50, 25, 10};
  if (choice >= 0 && choice <= 7)
    preview->SetZoomFactor(kListed[choice]);
  else if (choice == 8)
    preview->ZoomFullWidth();
  else if (choice == 9)
    preview->ZoomFullPage();
  else if (choice == 10)
    preview->ZoomMultiplePages();
}

void TRLPreviewForm::EditPageNoChange() {
  FEditingPageNo = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{FEditingPageNo};
  const int number = StrToIntDef(EditPageNo->Text(), Preview()->PageNumber());
  Preview()->SetPageIndex(number - 1);
}

void TRLPreviewForm::ZoomDown() {
  Preview()->SetZoomFactor(std::max(Preview()->ZoomFactor() - kPreviewZoomStep, kPreviewMinZoom));
  UpdateZoomText();
}

void TRLPreviewForm::ZoomUp() {
  Preview()->SetZoomFactor(Preview()->ZoomFactor() + kPreviewZoomStep);
  UpdateZoomText();
}

void TRLPreviewForm::RepeatButtonDown(TSpeedButton* AButton, TMouseButton AMouseButton) {
  if (AMouseButton != mbLeft) return;
  AButton->SetTag(1);
  TimerRepeat->SetTag(0);
  if (AButton == SpeedButtonPrior)
    Preview()->PriorPage();
  else
    Preview()->NextPage();
}

void TRLPreviewForm::RepeatButtonUp(TMouseButton AMouseButton) {
  if (AMouseButton != mbLeft) return;
  SpeedButtonPrior->SetTag(0);
  SpeedButtonNext->SetTag(0);
}

void TRLPreviewForm::RepeatTick() {
  const bool prior = SpeedButtonPrior->Tag() == 1, next = SpeedButtonNext->Tag() == 1;
  // A release the buttons never saw (a lost capture) must not page on.
  if ((prior || next) && !(RepeatButtonHeld && RepeatButtonHeld())) {
    SpeedButtonPrior->SetTag(0);
    SpeedButtonNext->SetTag(0);
    return;
  }
  if (TimerRepeat->Tag() > kRepeatDelay) {
    if (prior == next) return;
    if (prior)
      Preview()->PriorPage();
    else
      Preview()->NextPage();
  }
  TimerRepeat->SetTag(TimerRepeat->Tag() + kRepeatInterval);
}

void TRLPreviewForm::RestoreFocus(TWinControl* AControl) {
  TWinControl* target = dynamic_cast<TCustomEdit*>(AControl) || dynamic_cast<TCustomComboBox*>(AControl)
                             ? AControl
                             : static_cast<TWinControl*>(EditPageNo);
  if (target->CanFocus()) target->SetFocus();
}

void TRLPreviewForm::PrintPages() {
  TRLGraphicStorage* pages = Preview()->Pages();
  if (!pages) return;
  TRLPrinterWrapper* printer = SharedPrinterWrapper();
  printer->SetOddEven(odAllPages);
  // Copies below 1 count as 1, as on the report's own print road.
  if (printer->Copies() <= 0) printer->SetCopies(1);
  TWinControl* focused = ActiveControl();
  int from = 0, to = 0;
  String ranges;
  bool accepted;
  {
    TRLPrintDialog dialog;
    dialog.SetMaxPage(pages->PageCount());
    dialog.SetOrientation(pages->Orientation() == 2 ? poLandscape : poPortrait);
    accepted = dialog.Execute();
    if (accepted) {
      from = dialog.FromPage();
      to = dialog.ToPage();
      ranges = dialog.PageRanges();
    }
  }
  RestoreFocus(focused);
  if (!accepted) return;
  int oddEven = 0;
  if (printer->OddEven() == odOddPagesOnly) oddEven = 1;
  else if (printer->OddEven() == odEvenPagesOnly) oddEven = 2;
  RunFilterOrDefault(pages, nullptr, from, to, ranges, oddEven);
}

void TRLPreviewForm::SavePages() {
  TRLGraphicStorage* pages = Preview()->Pages();
  if (!pages) return;
  TWinControl* focused = ActiveControl();
  int from = 0, to = 0;
  String fileName;
  bool accepted;
  {
    TRLSaveDialog dialog;
    dialog.SetMaxPage(pages->PageCount());
    const String title = CleanFileTitle(pages->Title());
    dialog.SetFileName(title.empty() ? String() : ExpandFileName(title));
    accepted = dialog.Execute();
    if (accepted) {
      from = dialog.FromPage();
      to = dialog.ToPage();
      fileName = dialog.FileName();
      if (ExtractFileExt(fileName).empty()) dialog.ApplyExt(fileName);
    }
  }
  RestoreFocus(focused);
  if (!accepted) return;
  if (FileExists(fileName) &&
      MessageDlg(u"O arquivo \"" + fileName + u"\" já existe. Deseja substituí-lo?", mtConfirmation,
                 {mbYes, mbNo}) != mrYes)
    return;
  // No file-writing filter exists in this system: the page file is written.
  SavePagesToFile(pages, from, to, fileName);
}

void TRLPreviewForm::ShowFindDialog() {
  if (!FFindDialog) {
    FFindDialog = std::make_unique<TfrmRLFindDialog>(nullptr);
    FFindDialog->SetOnFind([this](TObject*, const String& Text, TRLFindOptions Options, bool& Found) {
      Found = Preview()->FindText(Text, Options.Contains(foWholeWords), Options.Contains(foMatchCase),
                                  Options.Contains(foFindBackward));
    });
  }
  FFindDialog->SetActiveControl(FFindDialog->EditTextToFind);
  FFindDialog->Show();
  if (FFindDialog->EditTextToFind->CanFocus()) FFindDialog->EditTextToFind->SetFocus();
}

void TRLPreviewForm::FormKeyDown(WORD& Key, TShiftState Shift) {
  TRLPreview* p = Preview();
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_CONTROL: p->EnableCapture(); break;
    case VK_ESCAPE: SpeedButtonClose->Click(); break;
    case VK_PRIOR: ctrl ? p->PageTop() : p->PriorPage(); break;
    case VK_NEXT: ctrl ? p->PageBottom() : p->NextPage(); break;
    case VK_END: ctrl ? p->LastPage() : p->PageRight(); break;
    case VK_HOME: ctrl ? p->FirstPage() : p->PageLeft(); break;
    case VK_LEFT: ctrl ? p->HalfPageLeft() : p->ScrollLeft(); break;
    case VK_UP: ctrl ? p->HalfPageUp() : p->ScrollUp(); break;
    case VK_RIGHT: ctrl ? p->HalfPageRight() : p->ScrollRight(); break;
    case VK_DOWN: ctrl ? p->HalfPageDown() : p->ScrollDown(); break;
    case '0':
      if (ctrl) p->SetZoomFactor(PreviewDefaults().ZoomFactor);
      break;
    case VK_ADD:
    case VK_OEM_PLUS:
      if (ctrl) p->ZoomIn(kPreviewZoomStep);
      break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      if (ctrl) p->ZoomOut(kPreviewZoomStep);
      break;
    case 'F':
    case VK_F3:
      if (!ctrl) return;
      ShowFindDialog();
      break;
    default: return;
  }
  Key = 0;
}

void TRLPreviewForm::FormKeyUp(WORD& Key, TShiftState) {
  if (Key == VK_CONTROL) Preview()->DisableCapture();
}

void TRLPreviewForm::FormMouseWheel(TShiftState Shift, int WheelDelta, bool& Handled) {
  TRLPreview* p = Preview();
  if (Shift.Contains(ssCtrl)) {
    if (WheelDelta > 0) p->ZoomIn(kPreviewZoomStep);
    else if (WheelDelta < 0) p->ZoomOut(kPreviewZoomStep);
  } else {
    if (WheelDelta > 0) p->ScrollUp();
    else if (WheelDelta < 0) p->ScrollDown();
  }
  Handled = true;
}

void TRLPreviewForm::DoClose(TCloseAction& Action) {
  TForm::DoClose(Action);
  // A window left minimized would bring the next preview up invisible.
  const TWindowState state = WindowState();
  PreviewDefaults().WindowState = state == wsMinimized ? wsNormal : state;
  Action = caFree;
}

TRLPreviewForm* ShowPreview(TRLGraphicStorage* APages, bool AShowModal, TFormStyle AFormStyle, const String& ACaption,
                            int AHelpContext, const String& AHelpFile, TBorderIcons ABorderIcons,
                            TWindowState AWindowState, TPosition APosition) {
  auto* form = new TRLPreviewForm(nullptr);
  TRLPreview* preview = form->Preview();
  preview->SetPages(APages);
  const double zoom = PreviewDefaults().ZoomFactor;
  if (zoom == -1)
    preview->ZoomFullWidth();
  else if (zoom == -2)
    preview->ZoomFullPage();
  else if (zoom == -3)
    preview->ZoomMultiplePages();
  else if (zoom > 0)
    preview->SetZoomFactor(zoom);
  form->UpdateZoomText();
  form->SetPosition(APosition);
  form->SetWindowState(AWindowState);
  form->SetBorderIcons(ABorderIcons);
  form->SetHelpFile(AHelpFile);
  form->SetHelpContext(AHelpContext);
  if (!ACaption.empty()) form->SetCaption(ACaption);
  form->SetFormStyle(AFormStyle);
  if (AShowModal) {
    form->ShowModal();
    return nullptr;
  }
  if (form->Visible())
    form->BringToFront();
  else
    form->Show();
  return form;
}
