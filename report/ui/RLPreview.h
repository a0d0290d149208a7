#pragma once
// The scrolling control that shows the pages of a page store: one page or
// three side by side, at a zoom in percent, each page in a box with a frame
// and a shadow. It pages, scrolls, lets the user drag the page by hand,
// finds texts and marks the group of the object picked in editing mode.
#include "platform/ui/Controls.h"
#include "platform/ui/ScrollBox.h"
#include <memory>
#include <vector>

// FindText is the name of a member here, not the system dialog.
#undef FindText

class TBitmap;
class TPopupMenu;
class TRLGraphicObject;
class TRLGraphicStorage;
class TRLGraphicSurface;
class TRLPreview;

// Screen cursors of the hand drag, registered by InstallPreviewCursors.
constexpr int crHandOpen = 1;
constexpr int crHandClosed = 2;
void InstallPreviewCursors();

// Every box is this much wider and taller than its page: the frame, the
// shadow and the gap.
constexpr int kPreviewBoxExtra = 7;
constexpr double kPreviewZoomStep = 10;
constexpr double kPreviewMinZoom = 10;
// A larger zoom would overflow the box sizes.
constexpr double kPreviewMaxZoom = 1000;
constexpr int kPreviewScrollStep = 10;

struct TRLPreviewLastFind {
  int PageIndex = -1;
  int ObjectIndex = 0;
  bool Found = false;
};

class TRLPreviewBox : public TCustomControl {
public:
  explicit TRLPreviewBox(TRLPreview* APreview);

  // The page this box shows, or nullptr past the last page.
  TRLGraphicSurface* Page() const;
  TRLGraphicObject* Selected() const { return FSelected; }
  void SetSelected(TRLGraphicObject* AValue) { FSelected = AValue; }
  // The smallest object under box point (AX, AY), or nullptr.
  TRLGraphicObject* ObjectAt(int AX, int AY) const;

  void DblClick() override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;

private:
  int Position() const;
  void PaintOn(TCanvas* canvas);
  void PaintGroupMarks(TCanvas* canvas, TRLGraphicSurface* APage, double AFactor);
  void PaintFindMark(TCanvas* canvas, TRLGraphicSurface* APage, double AFactor);

  TRLPreview* FPreview;
  TRLGraphicObject* FSelected = nullptr;
  std::unique_ptr<TBitmap> FBuffer;
};

class TRLPreview : public TScrollBox {
public:
  explicit TRLPreview(TComponent* AOwner);
  ~TRLPreview() override;

  TRLGraphicStorage* Pages() const { return FPages; }
  void SetPages(TRLGraphicStorage* AValue);
  int PageIndex() const { return FPageIndex; }
  void SetPageIndex(int AValue);
  int PageNumber() const { return FPages ? FPageIndex + 1 : 0; }
  void SetPageNumber(int AValue) { SetPageIndex(AValue - 1); }
  double ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(double AValue);
  bool Editing() const { return FEditing; }
  void SetEditing(bool AValue);
  bool MultipleMode() const { return FVisibleBoxes > 1; }
  void SetMultipleMode(bool AValue);
  int VisibleBoxes() const { return FVisibleBoxes; }
  TRLPreviewBox* Boxes(int AIndex) const { return FBoxes[static_cast<size_t>(AIndex)].get(); }
  const TRLPreviewLastFind& LastFind() const { return FLastFind; }
  TPopupMenu* Popup() const { return FPopup.get(); }

  void FirstPage();
  void LastPage();
  void NextPage();
  void PriorPage();
  void PageTop();
  void PageBottom();
  void PageLeft();
  void PageRight();
  void HalfPageUp();
  void HalfPageDown();
  void HalfPageLeft();
  void HalfPageRight();
  void ScrollUp();
  void ScrollDown();
  void ScrollLeft();
  void ScrollRight();

  void ZoomIn(double aPercentual = -1);
  void ZoomOut(double aPercentual = -1);
  double GetZoomFactorFullPage() const;
  double GetZoomFactorFullWidth() const;
  double GetZoomFactorMultiplePages() const;
  void ZoomFullPage();
  void ZoomFullWidth();
  void ZoomMultiplePages();
  void ZoomPage(int AIndex);

  bool FindText(const String& AText, bool AWholeWords, bool AMatchCase, bool AFindBackward);

  void EnableCapture();
  void DisableCapture();
  void Capture(int aX, int aY);
  void FinalizeCapture();
  void DragTo(int aX, int aY);
  bool Capturing() const { return FCapturing; }
  bool Moving() const { return FMoving; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void LayoutBoxes();

  TNotifyEvent OnChangeView;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TRLPreviewBox;
  // The store's oriented page size, or the first page's when the store
  // knows no paper (first-version files); 0 when nothing is known.
  TPoint OrientedPageSize() const;
  void ScrollBy(int dx, int dy);
  void ClearSelections();
  void CopyAsBitmap(TRLPreviewBox* ABox);
  void CopyAsMetafile(TRLPreviewBox* ABox);

  std::vector<std::unique_ptr<TRLPreviewBox>> FBoxes;
  int FVisibleBoxes = 1;
  double FZoomFactor = 100;
  TRLGraphicStorage* FPages = nullptr;
  int FPageIndex = -1;
  TPoint FLastSize;
  bool FEditing = false;
  std::unique_ptr<TPopupMenu> FPopup;
  TRLPreviewLastFind FLastFind;
  bool FCapturing = false;
  bool FMoving = false;
  TPoint FCapturedPoint;
};
