// The grid at the mouse and the keyboard over real data sets.
#include "RxDBGridTestSupport.h"

namespace {
using GridTest::Center;
using GridTest::Key;
using GridTest::Pos;

std::vector<int> SelectedRecNos(TRxDBGrid* grid, TDataSet* ds) {
  std::vector<int> result;
  const TBookmark saved = ds->GetBookmark();
  for (int i = 0; i < grid->SelCount(); ++i) {
    grid->GotoSelection(i);
    result.push_back(ds->RecNo());
  }
  ds->GotoBookmark(saved);
  return result;
}
}  // namespace

class DbUiRxDBGridInput : public RxGridFixture {};

TEST_F(DbUiRxDBGridInput, TitleButtonsClickRefuseAndTrack) {
  Receipts();
  Grid->SetTitleButtons(true);
  std::vector<std::string> clicks;
  std::vector<std::string> downs;
  Grid->OnTitleBtnClick = [&](TObject*, int col, TField* field) {
    clicks.push_back(std::to_string(col) + ":" + Utf8(field->FieldName()));
  };
  Grid->OnCheckButton = [](TObject*, int col, TField*, bool& enabled) { enabled = col != 1; };
  Grid->OnGetBtnParams = [&](TObject*, TField* field, TFont*, TColor&, TSortMarker&, bool isDown) {
    if (isDown) downs.push_back(Utf8(field->FieldName()));
  };
  Show();
  HWND h = Grid->Handle();
  const TPoint cupom = Center(Grid->CellRect(1, 0));
  const TPoint data = Center(Grid->CellRect(2, 0));
  const TPoint valor = Center(Grid->CellRect(3, 0));

  GridTest::Click(Grid, cupom.X, cupom.Y);
  EXPECT_EQ(clicks, std::vector<std::string>{"0:CUPOM"});

  // Refused: nothing is pressed and nothing fires.
  GridTest::Click(Grid, data.X, data.Y);
  EXPECT_EQ(clicks.size(), 1u);

  // Pressed, dragged away and released elsewhere: no click.
  downs.clear();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pos(cupom.X, cupom.Y));
  Grid->Repaint();
  EXPECT_FALSE(downs.empty());
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pos(valor.X, valor.Y));
  downs.clear();
  Grid->Repaint();
  EXPECT_TRUE(downs.empty()) << "the button shows up while the pointer is away";
  SendMessageW(h, WM_LBUTTONUP, 0, Pos(valor.X, valor.Y));
  KeyInput::Pump();
  EXPECT_EQ(clicks.size(), 1u);

  // Away and back again before the release: a click.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Pos(valor.X, valor.Y));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pos(valor.X, valor.Y + 200));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Pos(valor.X + 2, valor.Y));
  SendMessageW(h, WM_LBUTTONUP, 0, Pos(valor.X + 2, valor.Y));
  KeyInput::Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"0:CUPOM", "2:VALOR"}));
}

TEST_F(DbUiRxDBGridInput, CtrlClicksToggleAndShiftArrowsExtendFromTheAnchor) {
  TFDQuery* q = Receipts();
  Grid->SetOptions(Grid->Options() + dgMultiSelect);
  EXPECT_TRUE(Grid->Options().Contains(dgMultiSelect));
  Show();
  auto ctrlClick = [&](int row) {
    const TPoint p = Center(Grid->CellRect(1, row));
    KeyInput::SetModifiers(TShiftState{ssCtrl});
    SendMessageW(Grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, Pos(p.X, p.Y));
    SendMessageW(Grid->Handle(), WM_LBUTTONUP, MK_CONTROL, Pos(p.X, p.Y));
    KeyInput::SetModifiers(TShiftState());
    KeyInput::Pump();
  };
  ctrlClick(2);
  ctrlClick(4);
  EXPECT_EQ(SelectedRecNos(Grid, q), (std::vector<int>{2, 4}));
  ctrlClick(2);
  EXPECT_EQ(SelectedRecNos(Grid, q), (std::vector<int>{4}));

  struct Step {
    WORD key;
    TShiftState shift;
    std::vector<int> selected;
    int recNo;
  };
  q->First();
  Grid->UnselectAll();
  const Step steps[] = {
      {VK_DOWN, TShiftState{ssShift}, {1, 2}, 2},
      {VK_DOWN, TShiftState{ssShift}, {1, 2, 3}, 3},
      {VK_UP, TShiftState{ssShift}, {1, 2}, 2},
      {VK_DOWN, TShiftState(), {}, 3},
  };
  for (const Step& s : steps) {
    Key(Grid, s.key, s.shift);
    EXPECT_EQ(SelectedRecNos(Grid, q), s.selected) << "after key " << s.key;
    EXPECT_EQ(q->RecNo(), s.recNo);
  }
  Grid->SetMultiSelect(false);
  EXPECT_EQ(Grid->SelCount(), 0);
}

TEST_F(DbUiRxDBGridInput, CtrlDeleteAsksByTheSelectionAndDeletesOnYes) {
  TFDTable* t = ReceiptsTable();
  Grid->SetMultiSelect(true);
  Show();
  struct Case {
    std::vector<int> select;  // record numbers selected first
    int answer;
    const char* question;
    int countAfter;
  };
  const Case cases[] = {
      {{}, IDNO, "Delete record?", 4},
      {{}, IDYES, "Delete record?", 3},
      {{1}, IDYES, "Delete record?", 2},
      {{1, 2}, IDYES, "Delete all selected records?", 0},
  };
  for (const Case& c : cases) {
    Grid->UnselectAll();
    for (int recNo : c.select) {
      t->SetRecNo(recNo);
      Grid->ToggleRowSelection();
    }
    UiTestSeam::ClearLog();
    UiTestSeam::QueueMessageBoxAnswer(c.answer);
    Key(Grid, VK_DELETE, TShiftState{ssCtrl});
    ASSERT_EQ(UiTestSeam::MessageBoxLog().size(), 1u);
    EXPECT_EQ(Utf8(UiTestSeam::MessageBoxLog()[0].Text), c.question);
    EXPECT_EQ(t->RecordCount(), c.countAfter);
  }
}

TEST_F(DbUiRxDBGridInput, DownOnTheLastRecordAppendsOnlyWithAutoAppend) {
  TFDTable* t = ReceiptsTable();
  Show();
  struct Case {
    bool autoAppend;
    TDataSetState state;
  };
  for (const Case& c : {Case{true, dsInsert}, Case{false, dsBrowse}}) {
    Grid->SetAutoAppend(c.autoAppend);
    t->Last();
    Key(Grid, VK_DOWN);
    EXPECT_EQ(t->State(), c.state) << c.autoAppend;
    if (t->State() == dsInsert) t->Cancel();
  }
}

TEST_F(DbUiRxDBGridInput, FixedColumnsKeepTheirPlaceForKeysAndSelectRowsOnClick) {
  TFDQuery* q = Receipts();
  Grid->SetFixedCols(2);
  Show();
  EXPECT_EQ(Grid->SelectedIndex(), 2) << "the current column leaves the fixed ones";
  Key(Grid, VK_RIGHT);
  EXPECT_EQ(Grid->SelectedIndex(), 3);
  Key(Grid, VK_LEFT, TShiftState{ssCtrl});
  EXPECT_EQ(Grid->SelectedIndex(), 2);
  Key(Grid, VK_LEFT);
  EXPECT_EQ(Grid->SelectedIndex(), 2);
  Key(Grid, VK_RIGHT);
  Key(Grid, VK_HOME);
  EXPECT_EQ(Grid->SelectedIndex(), 2);

  const TPoint fixedCell = Center(Grid->CellRect(1, 3));
  GridTest::Click(Grid, fixedCell.X, fixedCell.Y);
  EXPECT_EQ(q->RecNo(), 3);
  EXPECT_EQ(Grid->SelectedIndex(), 2);

  // Scrolling held back: the grid does not follow until released.
  Grid->DisableScroll();
  q->First();
  EXPECT_EQ(Grid->Row(), 3);
  Grid->EnableScroll();
  EXPECT_EQ(Grid->Row(), 1);

  // The wheel moves by one record.
  SendMessageW(Grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), Pos(100, 100));
  EXPECT_EQ(q->RecNo(), 2);
}

TEST_F(DbUiRxDBGridInput, BlobFieldsShowGlyphsWithoutEditorAndEditorChangesAreReported) {
  auto* utility = new TFDTable(Form);
  utility->SetConnection(Connection.get());
  utility->SetTableName(u"dbvorlent.concessionaria");
  utility->SetIndexFieldNames(u"COD_CONC");
  utility->SetCachedUpdates(true);
  Source->SetDataSet(utility);
  utility->Open();
  for (int i = 0; i < utility->FieldCount(); ++i) {
    const String name = utility->Fields()[i]->FieldName();
    utility->Fields()[i]->SetVisible(name == u"COD_CONC" || name == u"RAZAO_SOCIAL" || name == u"LOGOTIPO");
  }
  Grid->SetDataSource(Source);
  int changes = 0;
  Grid->OnEditChange = [&](TObject*) { ++changes; };
  Show();
  TField* logo = utility->FieldByName(u"LOGOTIPO");
  EXPECT_EQ(Grid->FieldGlyph(logo), logo->DataType() == ftGraphic ? 2 : 0);
  EXPECT_EQ(Grid->FieldGlyph(utility->FieldByName(u"RAZAO_SOCIAL")), -1);

  Grid->SetSelectedField(logo);
  Key(Grid, VK_F2);
  EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());

  Grid->SetShowGlyphs(false);
  EXPECT_EQ(Grid->FieldGlyph(logo), -1);

  Grid->SetSelectedField(utility->FieldByName(u"RAZAO_SOCIAL"));
  Key(Grid, VK_F2);
  ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
  GridTest::Type(Grid, u"XY");
  EXPECT_EQ(changes, 2);
}

TEST_F(DbUiRxDBGridInput, FixedColumnIsSizedFromItsTitleEdge) {
  Receipts();
  Grid->SetFixedCols(1);
  Show();
  const TRect title = Grid->CellRect(1, 0);
  GridTest::Drag(Grid, title.Right, title.Top + 5, title.Right + 30, title.Top + 5);
  EXPECT_EQ(Grid->ColWidths(1), title.Width() + 30);
  EXPECT_EQ(Grid->Columns()->Items(0)->Width(), title.Width() + 30);
}
