// Painting the library's data grid: row colours and cell hooks, field
// glyphs, selection marks, and title cells as buttons with sort markers.
#include "controls/RxDBCtrl.h"
#include "controls/RxVCLUtils.h"
#include "platform/ui/Forms.h"
#include <algorithm>
#include <array>

namespace {
constexpr TColor GlyphTransparent = static_cast<TColor>(0x00008080);
constexpr TColor MarkerTransparent = static_cast<TColor>(0x00FF00FF);

// The pictures are drawn here: a page for the field glyphs, triangles for
// the sort markers, a dot and an arrow for the selection marks.
std::unique_ptr<TBitmap> MakeImage(int width, int height, TColor background) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(width, height);
  b->Canvas()->Brush()->SetColor(background);
  b->Canvas()->FillRect(TRect(0, 0, width, height));
  return b;
}

std::unique_ptr<TBitmap> MakeFieldGlyph(int index) {
  auto b = MakeImage(18, 14, GlyphTransparent);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clWhite);
  c->Rectangle(4, 1, 14, 13);
  static const TColor marks[] = {clNavy, clGreen, clMaroon, clPurple, clTeal, clBlue, clBlack};
  c->Pen()->SetColor(marks[index % 7]);
  for (int y = 3 + index % 2; y < 11; y += 2) {
    c->MoveTo(6, y);
    c->LineTo(12, y);
  }
  return b;
}

std::unique_ptr<TBitmap> MakeSortMarker(bool down) {
  auto b = MakeImage(10, 9, MarkerTransparent);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clGray);
  c->Brush()->SetColor(clGray);
  const TPoint tri[] = {down ? TPoint(1, 2) : TPoint(1, 6), down ? TPoint(8, 2) : TPoint(8, 6),
                        down ? TPoint(4, 6) : TPoint(4, 2)};
  c->Polygon(tri, 3);
  return b;
}

std::unique_ptr<TBitmap> MakeSelectionMark(bool arrow) {
  auto b = MakeImage(6, 11, clWhite);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clBlack);
  if (arrow) {
    const TPoint tri[] = {TPoint(0, 1), TPoint(5, 5), TPoint(0, 9)};
    c->Polygon(tri, 3);
  } else {
    c->Ellipse(1, 3, 6, 8);
  }
  return b;
}

std::array<std::unique_ptr<TBitmap>, 9>& SharedImages() {
  static std::array<std::unique_ptr<TBitmap>, 9> images;
  return images;
}

TBitmap* SelectionMark(bool arrow) {
  static std::unique_ptr<TBitmap> dot, current;
  auto& slot = arrow ? current : dot;
  if (!slot) slot = MakeSelectionMark(arrow);
  return slot.get();
}
}  // namespace

TBitmap* GridImage(int index) {
  if (index < 0 || index > 8) return nullptr;
  auto& slot = SharedImages()[static_cast<size_t>(index)];
  if (!slot) slot = index >= 7 ? MakeSortMarker(index == 7) : MakeFieldGlyph(index);
  return slot.get();
}

String TRxDBGrid::ShortenCaption(TCanvas* canvas, const String& caption, int width) {
  if (canvas->TextWidth(caption) <= width) return caption;
  for (size_t cut = 2; cut <= caption.size(); ++cut) {
    const String candidate = caption.substr(0, caption.size() - cut) + u"...";
    if (canvas->TextWidth(candidate) <= width) return candidate;
  }
  return u"...";
}

void TRxDBGrid::DrawSelectionMark(const TRect& rect, bool current) {
  TBitmap* mark = SelectionMark(current);
  const int offs = Options().Contains(dgRowLines) && Options().Contains(dgColLines) ? 1 : 0;
  const int x = rect.Right - mark->Width() - 1 - offs;
  const int y = rect.Top + (rect.Height() - mark->Height()) / 2;
  DrawBitmapTransparent(Canvas(), x, y, mark, clWhite);
}

void TRxDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  const int dataCol = ACol - IndicatorOffset();
  const int dataRow = ARow - TitleOffset();
  if (dataRow < 0 && dataCol >= 0 && dataCol < Columns()->Count() && Options().Contains(dgTitles) &&
      (FTitleButtons || FFixedCols > 0)) {
    DrawTitleCell(ACol, ARect);
    return;
  }
  if (dataCol >= 0 && dataRow >= 0 && DataLink()->Active() && dataCol < Columns()->Count()) {
    DrawDataCellColoured(dataCol, dataRow, ARect, AState);
    return;
  }
  TCustomDBGrid::DrawCell(ACol, ARow, ARect, AState);
  if (dataCol < 0 && dataRow >= 0 && FMultiSelect && DataLink()->Active() &&
      DataLink()->DataSet()->State() == dsBrowse) {
    const int oldActive = DataLink()->ActiveRecord();
    DataLink()->SetActiveRecord(dataRow);
    const bool selected = SelectedRows()->CurrentRowSelected();
    DataLink()->SetActiveRecord(oldActive);
    if (selected) {
      TCanvas* canvas = Canvas();
      canvas->Brush()->SetColor(FixedColor());
      const int offs = Options().Contains(dgRowLines) && Options().Contains(dgColLines) ? 1 : 0;
      canvas->FillRect(TRect(ARect.Left + offs, ARect.Top + offs, ARect.Right - offs, ARect.Bottom - offs));
      DrawSelectionMark(ARect, dataRow == oldActive);
    }
  }
}

void TRxDBGrid::Paint() {
  TCustomDBGrid::Paint();
  if (!Options().Contains(dgRowSelect) || !FDefaultDrawing || !Focused() || !DataLink()->Active()) return;
  // The current row as a whole, from the first scrolling cell shown to
  // the last one.
  const TRect first = CellRect(std::max(LeftCol(), TCustomGrid::FixedCols()), Row());
  int last = ColCount() - 1;
  while (last > LeftCol() && CellRect(last, Row()).IsEmpty()) --last;
  const TRect end = CellRect(last, Row());
  if (!first.IsEmpty() && !end.IsEmpty()) Canvas()->DrawFocusRect(TRect(first.Left, first.Top, end.Right, end.Bottom));
}

void TRxDBGrid::DrawDataCellColoured(int dataCol, int dataRow, const TRect& rect, TGridDrawState state) {
  TColumn* column = Columns()->Items(dataCol);
  if (!column->Showing()) return;
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->SetFont(column->Font());
  const int oldActive = DataLink()->ActiveRecord();
  DataLink()->SetActiveRecord(dataRow);
  try {
    TField* field = column->Field();
    const String value = field ? field->DisplayText() : String();
    const bool highlight = HighlightCell(dataCol, dataRow, value, state);
    TColor background = column->Color();
    if (highlight) {
      background = clHighlight;
      canvas->Font()->SetColor(clHighlightText);
    }
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    // The colours stay with screen positions, not with records.
    if (FRowColorsUse && !highlight) background = dataRow % 2 == 0 ? FRowColor1 : FRowColor2;
    if (OnGetCellParams) {
      OnGetCellParams(this, field, canvas->Font(), background, highlight);
    } else if (OnGetCellProps) {
      if (highlight) {
        TColor scratch = background;
        const TColor fontColor = canvas->Font()->Color();
        OnGetCellProps(this, field, canvas->Font(), scratch);
        canvas->Font()->SetColor(fontColor);
      } else {
        OnGetCellProps(this, field, canvas->Font(), background);
      }
    }
    canvas->Brush()->SetColor(background);
    if (FDefaultDrawing) {
      const int glyph = FieldGlyph(field);
      if (glyph >= 0) {
        canvas->FillRect(rect);
        TBitmap* image = GridImage(glyph);
        DrawBitmapTransparent(canvas, (rect.Left + rect.Right - image->Width()) / 2,
                              (rect.Top + rect.Bottom - image->Height()) / 2, image, GlyphTransparent);
      } else {
        DefaultDrawColumnCell(rect, dataCol, column, state);
      }
    }
    if (Columns()->State() == csDefault || !FDefaultDrawing || (ComponentState() & csDesigning))
      DrawDataCell(rect, field, state);
    DrawColumnCell(rect, dataCol, column, state);
  } catch (...) {
    DataLink()->SetActiveRecord(oldActive);
    throw;
  }
  DataLink()->SetActiveRecord(oldActive);
  if (FDefaultDrawing && state.Contains(gdSelected) && (Focused() || Options().Contains(dgAlwaysShowSelection)) &&
      !Options().Contains(dgRowSelect)) {
    TCustomForm* form = GetParentForm(this);
    if (form && form->ActiveControl() == this) canvas->DrawFocusRect(rect);
  }
}

void TRxDBGrid::DrawTitleCell(int ACol, const TRect& ARect) {
  TCanvas* canvas = Canvas();
  const int dataCol = ACol - IndicatorOffset();
  TColumn* column = Columns()->Items(dataCol);
  if (!column->Showing()) return;
  TRect rect = ARect;
  const bool down = FPressed && FPressedCol == ACol;
  if (FTitleButtons || (Options().Contains(dgRowLines) && Options().Contains(dgColLines))) {
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    const UINT edge = down ? BDR_SUNKENINNER : BDR_RAISEDINNER;
    DrawEdge(canvas->Handle(), &r, edge, BF_BOTTOMRIGHT);
    DrawEdge(canvas->Handle(), &r, edge, BF_TOPLEFT);
    rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
  }
  canvas->SetFont(TitleFont());
  TColor background = FixedColor();
  canvas->SetFont(column->Title()->Font());
  background = column->Title()->Color();
  TSortMarker marker = smNone;
  if (FTitleButtons && OnGetBtnParams) OnGetBtnParams(this, column->Field(), canvas->Font(), background, marker, down);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(background);
  canvas->FillRect(rect);
  if (down) rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom);
  TRect textRect = rect;
  if (marker != smNone) {
    TBitmap* image = GridImage(marker == smDown ? 7 : 8);
    DrawBitmapTransparent(canvas, rect.Right - image->Width() - 3, (rect.Top + rect.Bottom - image->Height()) / 2,
                          image, MarkerTransparent);
    textRect.Right -= image->Width() + 6;
  }
  const String caption = ShortenCaption(canvas, column->Title()->Caption(), textRect.Width() - 4);
  WriteCellText(canvas, textRect, 2, 2, caption, column->Title()->Alignment(), false, false);
}

void TRxDBGrid::InvalidateTitles() {
  if (!HandleAllocated() || TitleOffset() == 0) return;
  for (int row = 0; row < TitleOffset(); ++row) InvalidateRow(row);
}
