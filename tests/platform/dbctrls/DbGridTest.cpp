// The data grid over real data sets: what it shows, and how the grid and
// the data set move each other.
#include "DbControlsFixture.h"
#include "GridTestSupport.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/ui/FormImage.h"
#include "platform/ui/grids/InplaceEdit.h"
#include <cstdlib>
#include <map>
#include <vector>

namespace {
class DbUiDBGrid : public DbControlsFixture {
protected:
  TDBGrid* NewGrid(int height = 200) {
    auto* grid = new TDBGrid(Form);
    grid->SetParent(Form);
    grid->SetBounds(8, 8, 600, height);
    grid->SetDataSource(Source);
    return grid;
  }

  // The texts the grid draws, row by row, as its drawing event sees them.
  std::vector<std::vector<std::string>> DrawnRows(TDBGrid* grid) {
    std::map<int, std::map<int, std::string>> cells;
    grid->OnDrawColumnCell = [&](TObject*, const TRect& rect, int dataCol, TColumn* column, TGridDrawState) {
      const TGridCoord cell = grid->MouseCoord(rect.Left + 1, rect.Top + 1);
      cells[cell.Y][dataCol] = Utf8(column->Field() ? column->Field()->DisplayText() : String());
    };
    grid->Repaint();
    grid->OnDrawColumnCell = nullptr;
    std::vector<std::vector<std::string>> rows;
    for (auto& [row, cols] : cells) {
      std::vector<std::string> texts;
      for (auto& [col, text] : cols) texts.push_back(text);
      rows.push_back(texts);
    }
    return rows;
  }

  std::string FirstShownCupom(TDBGrid* grid) {
    auto rows = DrawnRows(grid);
    return rows.empty() ? std::string() : rows.front().front();
  }
};
}  // namespace

TEST_F(DbUiDBGrid, ShowsTheVisibleFieldsWithTheirLabelsAndDisplayTexts) {
  auto* q = Query(u"SELECT CUPOM, RECEBIMENTO, VALOR, CHQ_DINH, ESTORNADO FROM RECEBIMENTOS "
                  u"WHERE COD_AGENTE = '001' ORDER BY CUPOM");
  q->Open();
  q->FieldByName(u"CUPOM")->SetDisplayLabel(u"Nº Cupom");
  q->FieldByName(u"RECEBIMENTO")->SetDisplayLabel(u"Recebimento");
  dynamic_cast<TFloatField*>(q->FieldByName(u"VALOR"))->SetDisplayFormat(u"#,###,##0.00");
  q->FieldByName(u"ESTORNADO")->SetVisible(false);
  auto* grid = NewGrid();
  ShowForm();

  TDBGridColumns* columns = grid->Columns();
  EXPECT_EQ(columns->State(), csDefault);
  ASSERT_EQ(columns->Count(), 4);
  std::vector<std::string> titles;
  for (int i = 0; i < columns->Count(); ++i) titles.push_back(Utf8(columns->Items(i)->Title()->Caption()));
  EXPECT_EQ(titles, (std::vector<std::string>{"Nº Cupom", "Recebimento", "VALOR", "CHQ_DINH"}));
  EXPECT_EQ(columns->Items(2)->Alignment(), taRightJustify);
  EXPECT_EQ(grid->ColCount(), 5);  // the indicator and four columns
  EXPECT_EQ(grid->RowCount(), 5);  // the title and four records

  EXPECT_EQ(DrawnRows(grid), (std::vector<std::vector<std::string>>{
                                 {"000001", "04/03/2024", "50,00", "Dinheiro"},
                                 {"000002", "04/03/2024", "25,50", "Cheque"},
                                 {"000003", "05/03/2024", "123,45", "Dinheiro"},
                                 {"000004", "05/03/2024", "80,00", "Cheque"},
                             }));

  // A field hidden while open leaves the grid; a changed value repaints.
  q->FieldByName(u"RECEBIMENTO")->SetVisible(false);
  EXPECT_EQ(columns->Count(), 3);
  q->SetRecNo(2);
  q->Edit();
  q->FieldByName(u"VALOR")->SetAsFloat(1234.5);
  EXPECT_EQ(DrawnRows(grid)[1], (std::vector<std::string>{"000002", "1.234,50", "Cheque"}));
  q->Cancel();

  // Columns of the program's own replace the defaults and keep their
  // settings when the data set opens again.
  TColumn* valor = columns->Add();
  valor->SetFieldName(u"VALOR");
  valor->Title()->SetCaption(u"Valor");
  valor->SetWidth(90);
  TColumn* cupom = columns->Add();
  cupom->SetFieldName(u"CUPOM");
  EXPECT_EQ(columns->State(), csCustomized);
  q->Close();
  q->Open();
  ASSERT_EQ(columns->Count(), 2);
  EXPECT_EQ(grid->ColWidths(1), 90);
  EXPECT_EQ(valor->Field(), q->FieldByName(u"VALOR"));
  EXPECT_EQ(Utf8(cupom->Title()->Caption()), "CUPOM");
  EXPECT_EQ(DrawnRows(grid)[0], (std::vector<std::string>{"50", "000001"}));
  // Closing empties the grid but keeps the columns.
  q->Close();
  EXPECT_EQ(columns->Count(), 2);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_TRUE(DrawnRows(grid).empty());
}

TEST_F(DbUiDBGrid, KeysMoveTheRecordAndTheRecordMovesTheGrid) {
  auto* t = Table(u"recebimentos", u"COD_AGENTE;CUPOM");
  t->Open();
  for (int i = 0; i < t->FieldCount(); ++i) t->Fields()[i]->SetVisible(t->Fields()[i]->FieldName() == u"CUPOM" ||
                                                                       t->Fields()[i]->FieldName() == u"COD_AGENTE");
  // Room for the title and three records.
  auto* grid = NewGrid(10);
  grid->SetReadOnly(true);
  ShowForm();
  const int rowHeight = grid->DefaultRowHeight();
  grid->SetClientHeight(grid->RowHeights(0) + 1 + 3 * (rowHeight + 1) + 2);
  grid->SetFocus();
  UiTest::Pump();
  ASSERT_EQ(grid->VisibleRowCount(), 3);
  ASSERT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Row(), 1);

  GridTest::Key(grid, VK_DOWN);
  EXPECT_EQ(t->RecNo(), 2);
  EXPECT_EQ(grid->Row(), 2);
  GridTest::Key(grid, VK_DOWN);
  GridTest::Key(grid, VK_DOWN);
  EXPECT_EQ(t->RecNo(), 4);
  EXPECT_EQ(grid->Row(), 3);  // the last shown row: the records scrolled
  EXPECT_EQ(DrawnRows(grid).front(), (std::vector<std::string>{"000002", "001"}));
  EXPECT_EQ(GetScrollPos(grid->Handle(), SB_VERT), 4);

  // Down on the last record of a read-only grid appends nothing.
  GridTest::Key(grid, VK_END, {ssCtrl});
  EXPECT_EQ(t->RecNo(), 5);
  GridTest::Key(grid, VK_DOWN);
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_EQ(t->RecordCount(), 5);
  GridTest::Key(grid, VK_PRIOR);
  EXPECT_EQ(t->RecNo(), 2);
  GridTest::Key(grid, VK_HOME, {ssCtrl});
  EXPECT_EQ(t->RecNo(), 1);

  // Moving the data set moves the grid.
  t->Last();
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(DrawnRows(grid).front(), (std::vector<std::string>{"000003", "001"}));
  t->First();
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(FirstShownCupom(grid), "000001");
  t->SetRecNo(3);
  EXPECT_EQ(grid->Row(), 3);
  // The scroll bar moves the record.
  SendMessageW(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(t->RecNo(), 5);

  // An editable grid appends at the end and drops the unchanged new
  // record when going back up.
  grid->SetReadOnly(false);
  GridTest::Key(grid, VK_DOWN);
  EXPECT_EQ(t->State(), dsInsert);
  GridTest::Key(grid, VK_UP);
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_EQ(t->RecordCount(), 5);

  // Ctrl+Delete asks first and deletes only on OK.
  UiTestSeam::QueueMessageBoxAnswer(IDCANCEL);
  GridTest::Key(grid, VK_DELETE, {ssCtrl});
  EXPECT_EQ(t->RecordCount(), 5);
  UiTestSeam::QueueMessageBoxAnswer(IDOK);
  GridTest::Key(grid, VK_DELETE, {ssCtrl});
  EXPECT_EQ(t->RecordCount(), 4);
  ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 2u);
  EXPECT_EQ(Utf8(UiTestSeam::MessageBoxLog()[1].Text), "Delete record?");
}

TEST_F(DbUiDBGrid, ClicksSelectTheRecordAndRaiseCellAndTitleEvents) {
  auto* q = Query(u"SELECT CUPOM, VALOR, CHQ_DINH FROM RECEBIMENTOS WHERE COD_AGENTE = '001' ORDER BY CUPOM");
  q->Open();
  auto* grid = NewGrid();
  grid->SetOptions(grid->Options() - dgColumnResize);
  ShowForm();
  std::vector<std::string> cellClicks;
  std::vector<std::string> titleClicks;
  int dblClicks = 0;
  grid->OnCellClick = [&](TColumn* column) {
    cellClicks.push_back(Utf8(column->FieldName() + u"=" + column->Field()->AsString()));
  };
  grid->OnTitleClick = [&](TColumn* column) { titleClicks.push_back(Utf8(column->FieldName())); };
  grid->OnDblClick = [&](TObject*) { ++dblClicks; };

  TPoint p = GridTest::Center(grid->CellRect(3, 3));
  GridTest::Click(grid, p.X, p.Y);
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_EQ(grid->SelectedIndex(), 2);
  EXPECT_EQ(grid->SelectedField(), q->FieldByName(u"CHQ_DINH"));
  p = GridTest::Center(grid->CellRect(1, 1));
  GridTest::Click(grid, p.X, p.Y);
  EXPECT_EQ(q->RecNo(), 1);
  EXPECT_EQ(cellClicks, (std::vector<std::string>{"CHQ_DINH=Dinheiro", "CUPOM=000001"}));

  // A title click names its column and leaves the record alone.
  p = GridTest::Center(grid->CellRect(2, 0));
  GridTest::Click(grid, p.X, p.Y);
  EXPECT_EQ(titleClicks, (std::vector<std::string>{"VALOR"}));
  EXPECT_EQ(q->RecNo(), 1);
  // With column resizing the title's edge sizes the column instead.
  grid->SetOptions(grid->Options() + dgColumnResize);
  const TRect title = grid->CellRect(2, 0);
  GridTest::Drag(grid, title.Right, title.Top + 3, title.Right + 30, title.Top + 3);
  EXPECT_EQ(grid->Columns()->Items(1)->Width(), title.Width() + 30);
  EXPECT_EQ(titleClicks.size(), 1u);

  p = GridTest::Center(grid->CellRect(1, 2));
  SendMessageW(grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, GridTest::Pos(p.X, p.Y));
  SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, GridTest::Pos(p.X, p.Y));
  UiTest::Pump();
  EXPECT_EQ(dblClicks, 1);
}

TEST_F(DbUiDBGrid, TypingIntoACellWritesTheFieldWhenTheRecordIsLeft) {
  auto* t = Table(u"recebimentos", u"COD_AGENTE;CUPOM", u"COD_AGENTE = '001'");
  t->Open();
  for (int i = 0; i < t->FieldCount(); ++i) t->Fields()[i]->SetVisible(t->Fields()[i]->FieldName() == u"CUPOM" ||
                                                                       t->Fields()[i]->FieldName() == u"USUARIO");
  auto* grid = NewGrid();
  ShowForm();
  grid->SetFocus();
  UiTest::Pump();
  GridTest::Key(grid, VK_RIGHT);
  EXPECT_EQ(grid->SelectedField(), t->FieldByName(u"USUARIO"));
  GridTest::Type(grid, u"MARIA");
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_TRUE(grid->InplaceEditor()->Visible());
  EXPECT_EQ(t->State(), dsEdit);
  GridTest::Key(grid, VK_DOWN);
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_EQ(t->RecNo(), 2);
  t->ApplyUpdates(0);
  t->CommitUpdates();
  EXPECT_EQ(Utf8(TestDatabase::Scalar(u"SELECT USUARIO FROM recebimentos WHERE COD_AGENTE = '001' AND CUPOM = '000001'")),
            "MARIA");
  // Esc takes the typed text back.
  GridTest::Type(grid, u"JOSE");
  GridTest::Key(grid, VK_ESCAPE);
  GridTest::Key(grid, VK_ESCAPE);
  EXPECT_EQ(t->State(), dsBrowse);
  EXPECT_FALSE(t->UpdatesPending());
}

// A form laid out like the movements window, pictured for a person to look
// at: $BRQ_ARTIFACTS/dbgrid-form.png (drawn by the library) and
// dbgrid-form-screen.png (taken from the display).
TEST_F(DbUiDBGrid, PictureOfTwoGridsOnAForm) {
  auto* mov = Table(u"movimentos", u"ABERTURA", u"COD_AGENTE = '001'");
  mov->Open();
  struct Label {
    const char16_t* Field;
    const char16_t* Text;
  } movLabels[] = {{u"ABERTURA", u"Abertura"},         {u"FECHAMENTO", u"Fechamento"},
                   {u"CREDITO", u"Crédito"},           {u"QUANTIDADE", u"Quantidade"},
                   {u"DINHEIRO", u"Total em Dinheiro"}, {u"CHEQUE", u"Total em Cheques"},
                   {u"CODIGOBARRAS", u"Código de Barras"}, {u"USUARIO", u"Usuário"}};
  for (const Label& l : movLabels) mov->FieldByName(l.Field)->SetDisplayLabel(l.Text);
  for (const char16_t* f : {u"DINHEIRO", u"CHEQUE"})
    dynamic_cast<TFloatField*>(mov->FieldByName(f))->SetDisplayFormat(u"#,###,##0.00");
  mov->FieldByName(u"ID")->SetVisible(false);
  auto* movGrid = NewGrid(120);
  movGrid->SetReadOnly(true);
  movGrid->SetOptions(movGrid->Options() - dgEditing);

  auto* recSource = new TDataSource(Form);
  auto* rec = new TFDQuery(Form);
  rec->SetConnection(Connection.get());
  rec->SQL().Add(u"SELECT CUPOM, RECEBIMENTO, HORA, VALOR, TROCO, CHQ_DINH, CODIGOBARRAS FROM RECEBIMENTOS "
                 u"WHERE COD_AGENTE = '001' ORDER BY CUPOM");
  recSource->SetDataSet(rec);
  rec->Open();
  rec->FieldByName(u"CUPOM")->SetDisplayLabel(u"Nº Cupom");
  rec->FieldByName(u"VALOR")->SetDisplayLabel(u"Valor da Conta");
  rec->FieldByName(u"HORA")->SetEditMask(u"!99:99:99;0;_");
  dynamic_cast<TFloatField*>(rec->FieldByName(u"VALOR"))->SetDisplayFormat(u"#,###,##0.00");
  dynamic_cast<TFloatField*>(rec->FieldByName(u"TROCO"))->SetDisplayFormat(u"#,###,##0.00");
  auto* recGrid = new TDBGrid(Form);
  recGrid->SetParent(Form);
  recGrid->SetBounds(8, 140, 600, 180);
  recGrid->SetDataSource(recSource);
  Form->SetCaption(u"Brenquia - Movimentos");
  ShowForm();
  recGrid->SetFocus();
  rec->SetRecNo(3);
  UiTest::Pump(200);

  const char* folder = std::getenv("BRQ_ARTIFACTS");
  ASSERT_NE(folder, nullptr);
  const std::string base = std::string(folder) + "/dbgrid-form";
  SaveControlImage(*Form, LinuxPathToWindows(base + ".png"));
  CaptureDisplayImage(*Form, base + "-screen.png");
  std::unique_ptr<TBitmap> picture = PaintControlImage(*Form);
  EXPECT_EQ(picture->Width(), Form->Width());
  // The title row of the receipts' grid is in the fixed colour, its
  // current cell highlighted.
  RECT frame{};
  GetWindowRect(Form->Handle(), &frame);
  const TPoint gridOrigin = recGrid->ClientToScreen(TPoint(0, 0));
  const int gx = gridOrigin.X - frame.left;
  const int gy = gridOrigin.Y - frame.top;
  const TRect title = recGrid->CellRect(3, 0);
  EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(gx + title.Right - 3, gy + title.Top + 3)), ColorToRGB(clBtnFace));
  const TRect current = recGrid->CellRect(recGrid->Col(), recGrid->Row());
  EXPECT_EQ(ColorToRGB(picture->Canvas()->Pixels(gx + current.Left + 3, gy + current.Top + 3)),
            ColorToRGB(clHighlight));
}
