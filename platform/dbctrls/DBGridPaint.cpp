// Drawing the data grid's cells: titles, the record indicator, and the
// data cells with the display texts of their fields.
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/Forms.h"
#include <algorithm>

void TCustomDBGrid::WriteText(const TRect& ARect, int DX, int DY, const String& Text, TAlignment Alignment) {
  TCanvas* canvas = Canvas();
  int left = ARect.Left + DX;
  switch (Alignment) {
  case taRightJustify: left = ARect.Right - canvas->TextWidth(Text) - 3; break;
  case taCenter: left = ARect.Left + ARect.Width() / 2 - canvas->TextWidth(Text) / 2; break;
  default: break;
  }
  canvas->TextRect(ARect, left, ARect.Top + DY, Text);
}

// Marks of the current record: 0 browsing (an arrow), 1 editing (an
// I-beam), 2 inserting (an asterisk), 3 a selected row, 4 the current
// selected row.
void TCustomDBGrid::DrawIndicator(const TRect& rect, int kind) {
  TCanvas* canvas = Canvas();
  const int cx = rect.Left + rect.Width() / 2;
  const int cy = rect.Top + rect.Height() / 2;
  canvas->Pen()->SetColor(clBlack);
  canvas->Brush()->SetColor(clBlack);
  canvas->Brush()->SetStyle(bsSolid);
  switch (kind) {
  case 0:
  case 4: {
    const TPoint arrow[] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
    canvas->Polygon(arrow, 3);
    break;
  }
  case 1:
    canvas->MoveTo(cx - 2, cy - 5);
    canvas->LineTo(cx + 3, cy - 5);
    canvas->MoveTo(cx, cy - 5);
    canvas->LineTo(cx, cy + 5);
    canvas->MoveTo(cx - 2, cy + 5);
    canvas->LineTo(cx + 3, cy + 5);
    break;
  case 2:
    canvas->MoveTo(cx - 3, cy);
    canvas->LineTo(cx + 4, cy);
    canvas->MoveTo(cx, cy - 3);
    canvas->LineTo(cx, cy + 4);
    canvas->MoveTo(cx - 2, cy - 2);
    canvas->LineTo(cx + 3, cy + 3);
    canvas->MoveTo(cx + 2, cy - 2);
    canvas->LineTo(cx - 3, cy + 3);
    break;
  default:
    canvas->Ellipse(cx - 2, cy - 2, cx + 2, cy + 2);
    break;
  }
}

void TCustomDBGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* canvas = Canvas();
  TRect rect = ARect;
  const int dataRow = ARow - FTitleOffset;
  const int dataCol = ACol - FIndicatorOffset;
  const bool framed = AState.Contains(gdFixed) && FOptions.Contains(dgRowLines) && FOptions.Contains(dgColLines);
  int frameOffs = 2;
  if (framed) {
    rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    frameOffs = 1;
  }
  canvas->Brush()->SetStyle(bsSolid);
  if (AState.Contains(gdFixed) && dataCol < 0) {
    canvas->Brush()->SetColor(FixedColor());
    canvas->FillRect(rect);
    if (FDataLink->Active() && dataRow >= 0) {
      bool multiSelected = false;
      if (FOptions.Contains(dgMultiSelect)) {
        const int oldActive = FDataLink->ActiveRecord();
        FDataLink->SetActiveRecord(dataRow);
        multiSelected = FBookmarks->CurrentRowSelected();
        FDataLink->SetActiveRecord(oldActive);
      }
      if (dataRow == FDataLink->ActiveRecord() || multiSelected) {
        int kind = 0;
        switch (FDataLink->DataSet()->State()) {
        case dsEdit: kind = 1; break;
        case dsInsert: kind = 2; break;
        case dsBrowse:
          if (multiSelected) kind = dataRow != FDataLink->ActiveRecord() ? 3 : 4;
          break;
        default: break;
        }
        const int glyph = 10;
        DrawIndicator(TRect(rect.Right - glyph - frameOffs, rect.Top, rect.Right - frameOffs, rect.Bottom), kind);
        if (dataRow == FDataLink->ActiveRecord()) FSelRow = ARow;
      }
    }
  } else if (dataCol >= 0 && dataCol < FColumns->Count()) {
    TColumn* column = FColumns->Items(dataCol);
    if (!column->Showing()) return;
    if (!AState.Contains(gdFixed)) {
      canvas->SetFont(column->Font());
      canvas->Brush()->SetColor(column->Color());
    }
    if (dataRow < 0) {
      canvas->SetFont(column->Title()->Font());
      canvas->Brush()->SetColor(column->Title()->Color());
      WriteText(rect, frameOffs, frameOffs, column->Title()->Caption(), column->Title()->Alignment());
    } else if (!FDataLink->Active()) {
      canvas->FillRect(rect);
    } else {
      const int oldActive = FDataLink->ActiveRecord();
      try {
        FDataLink->SetActiveRecord(dataRow);
        TField* field = column->Field();
        const String value = field ? field->DisplayText() : String();
        if (HighlightCell(dataCol, dataRow, value, AState)) {
          canvas->Brush()->SetColor(clHighlight);
          canvas->Font()->SetColor(clHighlightText);
        }
        if (!Enabled()) canvas->Font()->SetColor(clGrayText);
        if (FDefaultDrawing) WriteText(rect, 2, 2, value, column->Alignment());
        if (FColumns->State() == csDefault) DrawDataCell(rect, field, AState);
        DrawColumnCell(rect, dataCol, column, AState);
      } catch (...) {
        FDataLink->SetActiveRecord(oldActive);
        throw;
      }
      FDataLink->SetActiveRecord(oldActive);
      if (FDefaultDrawing && AState.Contains(gdSelected) &&
          (FOptions.Contains(dgAlwaysShowSelection) || Focused()) && !FOptions.Contains(dgRowSelect) &&
          UpdateLock() == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->ActiveControl() == this) canvas->DrawFocusRect(rect);
      }
    }
  } else {
    canvas->Brush()->SetColor(AState.Contains(gdFixed) ? FixedColor() : Color());
    canvas->FillRect(rect);
  }
  if (framed) {
    RECT r{ARect.Left, ARect.Top, ARect.Right, ARect.Bottom};
    DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, BF_TOPLEFT);
  }
}

bool TCustomDBGrid::HighlightCell(int, int, const String&, TGridDrawState AState) {
  // Rows in the bookmark list are selected rows, whoever put them there.
  if (FDataLink->Active() && FBookmarks->Count() > 0 && FBookmarks->CurrentRowSelected()) return true;
  return AState.Contains(gdSelected) && (FOptions.Contains(dgAlwaysShowSelection) || Focused()) &&
         (UpdateLock() == 0 || FOptions.Contains(dgRowSelect));
}

void TCustomDBGrid::DrawDataCell(const TRect& Rect, TField* Field, TGridDrawState State) {
  FireEvent(OnDrawDataCell, this, Rect, Field, State);
}

void TCustomDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State) {
  FireEvent(OnDrawColumnCell, this, Rect, DataCol, Column, State);
}

void TCustomDBGrid::DefaultDrawColumnCell(const TRect& Rect, int, TColumn* Column, TGridDrawState) {
  TField* field = Column ? Column->Field() : nullptr;
  WriteText(Rect, 2, 2, field ? field->DisplayText() : String(), Column ? Column->Alignment() : taLeftJustify);
}

void TCustomDBGrid::DefaultDrawDataCell(const TRect& Rect, TField* Field, TGridDrawState) {
  WriteText(Rect, 2, 2, Field ? Field->DisplayText() : String(), Field ? Field->Alignment() : taLeftJustify);
}
