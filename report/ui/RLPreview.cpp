#include "report/ui/RLPreview.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Menus.h"
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Metafile.h"
#include "report/pages/RLGraphicStorage.h"
#include "report/pages/RLGraphicSurface.h"
#include "report/pages/RLUtils.h"
#include <algorithm>

namespace {
int Scaled(int value, double factor) { return static_cast<int>(Round(value * factor)); }

TRect ScaledBounds(const TRLGraphicObject* AObject, double AFactor) {
  const TRLMetaRect& r = AObject->BoundsRect();
  return TRect(Scaled(r.Left, AFactor), Scaled(r.Top, AFactor), Scaled(r.Right, AFactor), Scaled(r.Bottom, AFactor));
}

bool IsWordChar(char16_t c) { return IsCharAlphaNumericW(static_cast<WCHAR>(c)) != 0; }

// Where AText holds AWhat, from AFrom on, with a non-word character or the
// text's edge on both sides when whole words are asked for.
bool ContainsText(const String& AText, const String& AWhat, bool AWholeWords) {
  if (AWhat.empty()) return false;
  for (size_t at = AText.find(AWhat); at != String::npos; at = AText.find(AWhat, at + 1)) {
    if (!AWholeWords) return true;
    const size_t end = at + AWhat.size();
    const bool leftEdge = at == 0 || !IsWordChar(AText[at - 1]);
    const bool rightEdge = end == AText.size() || !IsWordChar(AText[end]);
    if (leftEdge && rightEdge) return true;
  }
  return false;
}
}  // namespace

// --- TRLPreviewBox -------------------------------------------------------

TRLPreviewBox::TRLPreviewBox(TRLPreview* APreview) : TCustomControl(nullptr), FPreview(APreview) {
  FControlStyle.Include(csOpaque);
  SetBounds(0, 0, 1, 1);
}

int TRLPreviewBox::Position() const {
  for (size_t i = 0; i < FPreview->FBoxes.size(); ++i)
    if (FPreview->FBoxes[i].get() == this) return static_cast<int>(i);
  return 0;
}

TRLGraphicSurface* TRLPreviewBox::Page() const {
  TRLGraphicStorage* pages = FPreview->Pages();
  if (!pages || FPreview->PageIndex() < 0) return nullptr;
  return pages->GetPages(FPreview->PageIndex() + Position());
}

TRLGraphicObject* TRLPreviewBox::ObjectAt(int AX, int AY) const {
  TRLGraphicSurface* page = Page();
  if (!page) return nullptr;
  const double factor = FPreview->ZoomFactor() / 100;
  const int x = static_cast<int>(Round(AX / factor)), y = static_cast<int>(Round(AY / factor));
  TRLGraphicObject* best = nullptr;
  int64_t bestArea = 0;
  for (int i = 0; i < page->ObjectCount(); ++i) {
    TRLGraphicObject* object = page->Objects(i);
    const TRLMetaRect& r = object->BoundsRect();
    if (x < r.Left || x > r.Right || y < r.Top || y > r.Bottom) continue;
    const int64_t area = static_cast<int64_t>(r.Right - r.Left) * (r.Bottom - r.Top);
    if (!best || area < bestArea) {
      best = object;
      bestArea = area;
    }
  }
  return best;
}

void TRLPreviewBox::Paint() {
  // Drawn off screen and put on the window in one copy: the window's own
  // canvas pays a round trip to the display for every object. Only what the
  // window shows is drawn: at 100% most of a page lies outside it.
  const TRect clip = Canvas()->ClipRect();
  if (clip.Width() <= 0 || clip.Height() <= 0) return;
  if (!FBuffer) FBuffer = std::make_unique<TBitmap>();
  if (FBuffer->Width() < clip.Width() || FBuffer->Height() < clip.Height())
    FBuffer->SetSize(std::max(FBuffer->Width(), clip.Width()), std::max(FBuffer->Height(), clip.Height()));
  TCanvas* canvas = FBuffer->Canvas();
  SetWindowOrgEx(canvas->Handle(), clip.Left, clip.Top, nullptr);
  PaintOn(canvas);
  BitBlt(Canvas()->Handle(), clip.Left, clip.Top, clip.Width(), clip.Height(), canvas->Handle(), clip.Left, clip.Top,
         SRCCOPY);
}

void TRLPreviewBox::PaintOn(TCanvas* canvas) {
  TRLGraphicSurface* page = Page();
  const TRect r(0, 0, Width() - kPreviewBoxExtra, Height() - kPreviewBoxExtra);
  // What shows around the frame and shadow; the page covers the rest.
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FPreview->Color());
  canvas->FillRect(TRect(r.Right, 0, Width(), Height()));
  canvas->FillRect(TRect(0, r.Bottom, r.Right, Height()));
  canvas->Brush()->SetColor(page ? clWhite : static_cast<TColor>(0x808080));
  canvas->Pen()->SetColor(clBlack);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetMode(pmCopy);
  canvas->Rectangle(r);
  if (page) {
    page->PaintTo(canvas, TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
  } else {
    canvas->MoveTo(r.Left, r.Top);
    canvas->LineTo(r.Right, r.Bottom);
    canvas->MoveTo(r.Right, r.Top);
    canvas->LineTo(r.Left, r.Bottom);
  }
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(static_cast<TColor>(0x808080));
  canvas->FillRect(TRect(r.Right, r.Top + 5, r.Right + 5, r.Bottom + 5));
  canvas->FillRect(TRect(r.Left + 5, r.Bottom, r.Right, r.Bottom + 5));
  if (!page) return;
  const double factor = FPreview->ZoomFactor() / 100;
  PaintGroupMarks(canvas, page, factor);
  PaintFindMark(canvas, page, factor);
}

void TRLPreviewBox::PaintGroupMarks(TCanvas* canvas, TRLGraphicSurface* APage, double AFactor) {
  if (!FSelected || FSelected->GroupId() == 0) return;
  const int32_t group = FSelected->GroupId();
  int members = 0;
  for (int i = 0; i < APage->ObjectCount(); ++i)
    if (APage->Objects(i)->GroupId() == group) ++members;
  canvas->Pen()->SetColor(clWhite);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetMode(pmCopy);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(members == 1 ? clBlack : static_cast<TColor>(0xC0C0C0));
  for (int i = 0; i < APage->ObjectCount(); ++i) {
    TRLGraphicObject* object = APage->Objects(i);
    if (object->GroupId() != group) continue;
    const TRect b = ScaledBounds(object, AFactor);
    const int midX = (b.Left + b.Right) / 2, midY = (b.Top + b.Bottom) / 2;
    const TPoint points[] = {{b.Left, b.Top},  {midX, b.Top},     {b.Right, b.Top}, {b.Right, midY},
                             {b.Right, b.Bottom}, {midX, b.Bottom}, {b.Left, b.Bottom}, {b.Left, midY}};
    for (const TPoint& p : points) canvas->Rectangle(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
  }
}

void TRLPreviewBox::PaintFindMark(TCanvas* canvas, TRLGraphicSurface* APage, double AFactor) {
  const TRLPreviewLastFind& find = FPreview->LastFind();
  if (!find.Found || APage->PageIndex() != find.PageIndex || find.ObjectIndex >= APage->ObjectCount()) return;
  canvas->Pen()->SetColor(clWhite);
  canvas->Pen()->SetWidth(3);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetMode(pmXor);
  canvas->Brush()->SetStyle(bsClear);
  const TRect b = ScaledBounds(APage->Objects(find.ObjectIndex), AFactor);
  canvas->Rectangle(b.Left - 3, b.Top - 3, b.Right + 3, b.Bottom + 3);
  canvas->Pen()->SetMode(pmCopy);
  canvas->Pen()->SetWidth(1);
}

void TRLPreviewBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FPreview->Editing()) {
    TRLGraphicObject* picked = ObjectAt(X, Y);
    if (picked != FSelected) {
      FSelected = picked;
      Repaint();
    }
  }
  if (Parent() == FPreview && Shift.Contains(ssCtrl)) FPreview->Capture(X, Y);
}

void TRLPreviewBox::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  FPreview->DragTo(X, Y);
}

void TRLPreviewBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FPreview->FinalizeCapture();
}

void TRLPreviewBox::Click() {
  TCustomControl::Click();
  if (FPreview->OnEnter) FPreview->OnEnter(FPreview);
}

void TRLPreviewBox::DblClick() {
  TCustomControl::DblClick();
  FPreview->ZoomPage(FPreview->PageIndex() + Position());
}

// --- TRLPreview ----------------------------------------------------------

TRLPreview::TRLPreview(TComponent* AOwner) : TScrollBox(AOwner), FPopup(std::make_unique<TPopupMenu>(nullptr)) {
  InstallPreviewCursors();
  SetBorderStyle(bsNone);
  auto* copyBitmap = new TMenuItem(nullptr);
  copyBitmap->SetCaption(u"Copiar como Bitmap");
  copyBitmap->OnClick = [this](TObject*) {
    auto* box = dynamic_cast<TRLPreviewBox*>(FPopup->PopupComponent());
    if (box) CopyAsBitmap(box);
  };
  FPopup->Items()->Add(copyBitmap);
  auto* copyMetafile = new TMenuItem(nullptr);
  copyMetafile->SetCaption(u"Copiar como MetaFile");
  copyMetafile->OnClick = [this](TObject*) {
    auto* box = dynamic_cast<TRLPreviewBox*>(FPopup->PopupComponent());
    if (box) CopyAsMetafile(box);
  };
  FPopup->Items()->Add(copyMetafile);
  for (int i = 0; i < 3; ++i) {
    auto box = std::make_unique<TRLPreviewBox>(this);
    box->SetParent(this);
    box->SetPopupMenu(FPopup.get());
    box->SetVisible(i == 0);
    FBoxes.push_back(std::move(box));
  }
}

TRLPreview::~TRLPreview() {
  // The boxes are children: they go with the window, as every child does.
  for (auto& box : FBoxes) {
    box->SetPopupMenu(nullptr);
    box.release();
  }
  if (FPages) {
    TRLGraphicStorage* pages = FPages;
    FPages = nullptr;
    pages->Unlink(this);
  }
}

void TRLPreview::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollBox::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FPages) {
    FPages = nullptr;
    FPageIndex = -1;
  }
}

void TRLPreview::SetPages(TRLGraphicStorage* AValue) {
  if (AValue == FPages) return;
  if (FPages) {
    TRLGraphicStorage* old = FPages;
    FPages = nullptr;
    old->Unlink(this);
  }
  FPages = AValue;
  FPageIndex = -1;
  FLastFind = TRLPreviewLastFind();
  ClearSelections();
  if (FPages) FPages->Link(this);
  LayoutBoxes();
  FirstPage();
}

void TRLPreview::SetPageIndex(int AValue) {
  if (!FPages || AValue < 0 || AValue >= FPages->PageCount() || AValue == FPageIndex) return;
  FPageIndex = AValue;
  ScrollTo(0, 0);
  LayoutBoxes();
}

void TRLPreview::FirstPage() { SetPageIndex(0); }

void TRLPreview::LastPage() {
  if (FPages) SetPageIndex(std::max(0, FPages->PageCount() - FVisibleBoxes));
}

void TRLPreview::NextPage() {
  if (FPages) SetPageIndex(std::min(FPageIndex + FVisibleBoxes, FPages->PageCount() - 1));
}

void TRLPreview::PriorPage() {
  if (FPages) SetPageIndex(std::max(FPageIndex - FVisibleBoxes, 0));
}

void TRLPreview::ScrollBy(int dx, int dy) {
  const TPoint range = ScrollRange();
  const TPoint pos = ScrollPos();
  ScrollTo(std::max(0, std::min(pos.X + dx, range.X)), std::max(0, std::min(pos.Y + dy, range.Y)));
}

void TRLPreview::PageTop() { ScrollTo(ScrollPos().X, 0); }
void TRLPreview::PageBottom() { ScrollTo(ScrollPos().X, ScrollRange().Y); }
void TRLPreview::PageLeft() { ScrollTo(0, ScrollPos().Y); }
void TRLPreview::PageRight() { ScrollTo(ScrollRange().X, ScrollPos().Y); }
void TRLPreview::HalfPageUp() { ScrollBy(0, -Height()); }
void TRLPreview::HalfPageDown() { ScrollBy(0, Height()); }
void TRLPreview::HalfPageLeft() { ScrollBy(-Width(), 0); }
void TRLPreview::HalfPageRight() { ScrollBy(Width(), 0); }
void TRLPreview::ScrollUp() { ScrollBy(0, -kPreviewScrollStep); }
void TRLPreview::ScrollDown() { ScrollBy(0, kPreviewScrollStep); }
void TRLPreview::ScrollLeft() { ScrollBy(-kPreviewScrollStep, 0); }
void TRLPreview::ScrollRight() { ScrollBy(kPreviewScrollStep, 0); }

void TRLPreview::SetZoomFactor(double AValue) {
  if (AValue < kPreviewMinZoom || AValue > kPreviewMaxZoom || AValue == FZoomFactor) return;
  FZoomFactor = AValue;
  LayoutBoxes();
}

void TRLPreview::ZoomIn(double aPercentual) {
  SetZoomFactor(FZoomFactor + (aPercentual == -1 ? kPreviewZoomStep : aPercentual));
}

void TRLPreview::ZoomOut(double aPercentual) {
  SetZoomFactor(FZoomFactor - (aPercentual == -1 ? kPreviewZoomStep : aPercentual));
}

TPoint TRLPreview::OrientedPageSize() const {
  if (!FPages) return TPoint(0, 0);
  if (FPages->OrientedWidth() > 0 && FPages->OrientedHeight() > 0)
    return TPoint(FPages->OrientedWidth(), FPages->OrientedHeight());
  if (FPages->PageCount() > 0)
    if (TRLGraphicSurface* first = FPages->GetPages(0))
      if (first->Width() > 0 && first->Height() > 0) return TPoint(first->Width(), first->Height());
  return TPoint(0, 0);
}

double TRLPreview::GetZoomFactorFullWidth() const {
  const TPoint size = OrientedPageSize();
  if (size.X <= 0) return 100;
  return static_cast<double>(Round((Width() * 100.0 - 700) / size.X));
}

double TRLPreview::GetZoomFactorFullPage() const {
  const TPoint size = OrientedPageSize();
  if (size.Y <= 0) return 100;
  return std::min(GetZoomFactorFullWidth(), static_cast<double>(Round((Height() * 100.0 - 700) / size.Y)));
}

double TRLPreview::GetZoomFactorMultiplePages() const {
  const TPoint size = OrientedPageSize();
  if (size.X <= 0 || size.Y <= 0) return 100;
  const double across = static_cast<double>(Round((Width() - 7.0) / FVisibleBoxes * 100 / size.X));
  return std::min(across, static_cast<double>(Round((Height() * 100.0 - 700) / size.Y)));
}

void TRLPreview::ZoomFullPage() {
  SetMultipleMode(false);
  SetZoomFactor(GetZoomFactorFullPage());
}

void TRLPreview::ZoomFullWidth() {
  SetMultipleMode(false);
  SetZoomFactor(GetZoomFactorFullWidth());
}

void TRLPreview::ZoomMultiplePages() {
  SetMultipleMode(true);
  SetZoomFactor(GetZoomFactorMultiplePages());
}

void TRLPreview::ZoomPage(int AIndex) {
  if (AIndex != FPageIndex) SetPageIndex(AIndex);
  if (MultipleMode())
    ZoomFullWidth();
  else
    ZoomMultiplePages();
}

void TRLPreview::SetMultipleMode(bool AValue) {
  FVisibleBoxes = AValue ? 3 : 1;
  for (size_t i = 0; i < FBoxes.size(); ++i) FBoxes[i]->SetVisible(static_cast<int>(i) < FVisibleBoxes);
}

void TRLPreview::ClearSelections() {
  for (int i = 0; i < FVisibleBoxes; ++i) {
    FBoxes[static_cast<size_t>(i)]->SetSelected(nullptr);
    FBoxes[static_cast<size_t>(i)]->Invalidate();
  }
}

void TRLPreview::SetEditing(bool AValue) {
  if (AValue == FEditing) return;
  FEditing = AValue;
  if (!FEditing) ClearSelections();
}

void TRLPreview::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TScrollBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (AWidth != FLastSize.X || AHeight != FLastSize.Y) {
    FLastSize = TPoint(AWidth, AHeight);
    LayoutBoxes();
  }
}

void TRLPreview::LayoutBoxes() {
  if (!FPages) return;
  const double factor = FZoomFactor / 100;
  const TPoint oriented = OrientedPageSize();
  const int w0 = Scaled(oriented.X, factor) + kPreviewBoxExtra, h0 = Scaled(oriented.Y, factor) + kPreviewBoxExtra;
  std::vector<TPoint> sizes;
  int sumW = 0, maxH = 0;
  for (int i = 0; i < FVisibleBoxes; ++i) {
    TRLGraphicSurface* page = FBoxes[static_cast<size_t>(i)]->Page();
    TPoint size = page ? TPoint(Scaled(page->Width(), factor) + kPreviewBoxExtra,
                                Scaled(page->Height(), factor) + kPreviewBoxExtra)
                       : TPoint(w0, h0);
    sizes.push_back(size);
    sumW += size.X;
    maxH = std::max(maxH, size.Y);
  }
  const int W = Width(), H = Height();
  int x, y;
  if (sumW < W) {
    ScrollTo(0, ScrollPos().Y);
    x = (W - sumW) / 2;
  } else {
    x = -ScrollPos().X;
  }
  if (maxH < H) {
    ScrollTo(ScrollPos().X, 0);
    y = (H - maxH) / 2;
  } else {
    y = -ScrollPos().Y;
  }
  std::vector<TRect> bounds;
  bool moved = false;
  for (int i = 0; i < FVisibleBoxes; ++i) {
    const TPoint size = sizes[static_cast<size_t>(i)];
    bounds.emplace_back(x, y + (maxH - size.Y) / 2, x + size.X, y + (maxH - size.Y) / 2 + size.Y);
    moved = moved || FBoxes[static_cast<size_t>(i)]->BoundsRect() != bounds.back();
    x += size.X;
  }
  // Turning to a page of the same size moves nothing, and the scroll bars
  // already fit: setting them again redraws them, which costs far more
  // than painting the page.
  if (moved) {
    DisableAlign();
    for (int i = 0; i < FVisibleBoxes; ++i) FBoxes[static_cast<size_t>(i)]->SetBoundsRect(bounds[static_cast<size_t>(i)]);
    EnableAlign();
    UpdateScrollBars();
  }
  for (int i = 0; i < FVisibleBoxes; ++i) FBoxes[static_cast<size_t>(i)]->Invalidate();
  if (OnChangeView) OnChangeView(this);
}

bool TRLPreview::FindText(const String& AText, bool AWholeWords, bool AMatchCase, bool AFindBackward) {
  if (!FPages) return false;
  const String wanted = AMatchCase ? AText : AnsiUpperCase(AText);
  const int step = AFindBackward ? -1 : 1;
  for (int pageIndex = std::max(FPageIndex, 0); pageIndex >= 0 && pageIndex < FPages->PageCount();
       pageIndex += step) {
    TRLGraphicSurface* page = FPages->GetPages(pageIndex);
    if (!page) continue;
    int objectIndex;
    if (pageIndex == FLastFind.PageIndex) {
      objectIndex = FLastFind.ObjectIndex + step;
    } else {
      FLastFind.PageIndex = -1;
      objectIndex = AFindBackward ? page->ObjectCount() - 1 : 0;
    }
    for (; objectIndex >= 0 && objectIndex < page->ObjectCount(); objectIndex += step) {
      auto* text = dynamic_cast<TRLTextObject*>(page->Objects(objectIndex));
      if (!text) continue;
      const String found = FromAnsiText(text->Text());
      if (!ContainsText(AMatchCase ? found : AnsiUpperCase(found), wanted, AWholeWords)) continue;
      FLastFind.PageIndex = pageIndex;
      FLastFind.ObjectIndex = objectIndex;
      FLastFind.Found = true;
      ClearSelections();
      SetPageIndex(pageIndex);
      return true;
    }
  }
  return false;
}

void TRLPreview::EnableCapture() {
  if (FCapturing) return;
  for (auto& box : FBoxes) box->SetCursor(crHandOpen);
  SetCursor(crHandOpen);
  FCapturing = true;
}

void TRLPreview::DisableCapture() {
  const TCursor cursor = FMoving ? crHandClosed : crDefault;
  for (auto& box : FBoxes) box->SetCursor(cursor);
  SetCursor(cursor);
  FCapturing = false;
}

void TRLPreview::Capture(int aX, int aY) {
  if (FMoving) return;
  FMoving = true;
  for (auto& box : FBoxes) box->SetCursor(crHandClosed);
  SetCursor(crHandClosed);
  FCapturedPoint = TPoint(aX, aY);
}

void TRLPreview::FinalizeCapture() {
  if (!FMoving) return;
  FMoving = false;
  const TCursor cursor = FCapturing ? crHandOpen : crDefault;
  for (auto& box : FBoxes) box->SetCursor(cursor);
  SetCursor(cursor);
}

void TRLPreview::DragTo(int aX, int aY) {
  if (FMoving) ScrollBy(FCapturedPoint.X - aX, FCapturedPoint.Y - aY);
}

void TRLPreview::CopyAsBitmap(TRLPreviewBox* ABox) {
  TRLGraphicSurface* page = ABox->Page();
  if (!page) return;
  // A bitmap of its own: the shared measuring bitmap must keep its size.
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(page->Width(), page->Height());
  bitmap.Canvas()->Brush()->SetColor(clWhite);
  bitmap.Canvas()->FillRect(TRect(0, 0, page->Width(), page->Height()));
  page->PaintTo(bitmap.Canvas(), TRect(0, 0, page->Width(), page->Height()));
  Clipboard()->SetAsBitmap(bitmap);
}

void TRLPreview::CopyAsMetafile(TRLPreviewBox* ABox) {
  TRLGraphicSurface* page = ABox->Page();
  if (!page) return;
  TMetafile metafile;
  metafile.SetWidth(page->Width());
  metafile.SetHeight(page->Height());
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    page->PaintTo(&canvas, TRect(0, 0, page->Width(), page->Height()));
  }
  Clipboard()->SetAsMetafile(metafile.Handle());
}
