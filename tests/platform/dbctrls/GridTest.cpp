// The grid control on a real window: where its cells are, how keys, the
// mouse and the scroll bar move the current cell and the view, and what it
// hands to its drawing event.
#include "GridTestSupport.h"
#include "platform/ui/grids/Grids.h"
#include <map>
#include <set>

namespace {
class UiDrawGrid : public UiFixture {
protected:
  void SetUp() override {
    UiFixture::SetUp();
    Form = new TForm(Application);
    Form->SetBounds(50, 50, 500, 400);
    Grid = new TDrawGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    // 5 x 5 cells of 64 x 24 with 1-pixel lines: 325 x 125 pixels.
    Grid->SetBounds(0, 0, 325, 125);
    Form->Show();
    Grid->SetFocus();
    UiTest::Pump();
  }
  void TearDown() override {
    Form->Free();
    UiTest::Pump();
    UiFixture::TearDown();
  }
  TGridCoord Current() const { return {Grid->Col(), Grid->Row()}; }

  TForm* Form = nullptr;
  TDrawGrid* Grid = nullptr;
};
}  // namespace

TEST_F(UiDrawGrid, CellsSitAfterTheirLinesAndPointsFindTheirCells) {
  EXPECT_EQ(Grid->CellRect(0, 0), TRect(0, 0, 64, 24));
  EXPECT_EQ(Grid->CellRect(1, 1), TRect(65, 25, 129, 49));
  EXPECT_EQ(Grid->CellRect(4, 4), TRect(260, 100, 324, 124));
  EXPECT_EQ(Grid->VisibleColCount(), 4);
  EXPECT_EQ(Grid->VisibleRowCount(), 4);
  struct Case {
    int X, Y, Col, Row;
  } cases[] = {
      {0, 0, 0, 0},     {70, 30, 1, 1},  {128, 48, 1, 1},
      {129, 49, 1, 1},  // the line right of and below a cell belongs to it
      {130, 50, 2, 2},  {324, 124, 4, 4}, {325, 10, -1, -1}, {-1, 10, -1, -1},
  };
  for (const Case& c : cases) {
    int col = 0;
    int row = 0;
    Grid->MouseToCell(c.X, c.Y, col, row);
    EXPECT_EQ(col, c.Col) << c.X << "," << c.Y;
    EXPECT_EQ(row, c.Row) << c.X << "," << c.Y;
  }
  // A hidden column takes no room, its line included.
  Grid->SetColWidths(2, -1);
  EXPECT_TRUE(Grid->CellRect(2, 1).IsEmpty());
  EXPECT_EQ(Grid->CellRect(3, 1), TRect(130, 25, 194, 49));
  EXPECT_EQ(Grid->MouseCoord(140, 30), (TGridCoord{3, 1}));
  // Without lines the cells touch.
  Grid->SetOptions(TGridOptions());
  EXPECT_EQ(Grid->CellRect(1, 1), TRect(64, 24, 128, 48));
  EXPECT_THROW(Grid->SetFixedCols(5), EInvalidGridOperation);
}

TEST_F(UiDrawGrid, KeysMoveTheCurrentCellWithinTheScrollingCells) {
  Grid->SetOptions(Grid->Options() + goTabs);
  int clicks = 0;
  Grid->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  struct Step {
    WORD Key;
    TShiftState Shift;
    TGridCoord After;
  } steps[] = {
      {VK_RIGHT, {}, {2, 1}},     {VK_DOWN, {}, {2, 2}},   {VK_END, {}, {4, 2}},
      {VK_RIGHT, {}, {4, 2}},     // stays at the edge
      {VK_TAB, {}, {1, 3}},       // wraps to the next row
      {VK_TAB, {ssShift}, {4, 2}}, {VK_HOME, {}, {1, 2}}, {VK_LEFT, {}, {1, 2}},
      {VK_END, {ssCtrl}, {4, 4}}, {VK_HOME, {ssCtrl}, {1, 1}}, {VK_UP, {}, {1, 1}},
  };
  for (const Step& s : steps) {
    GridTest::Key(Grid, s.Key, s.Shift);
    EXPECT_EQ(Current(), s.After) << "key " << s.Key;
  }
  EXPECT_EQ(clicks, 8);  // one per move of the current cell
  // A refused cell keeps the current one.
  Grid->OnSelectCell = [](TObject*, int ACol, int, bool& can) { can = ACol != 2; };
  GridTest::Key(Grid, VK_RIGHT);
  EXPECT_EQ(Current(), (TGridCoord{1, 1}));
  // Whole rows with row selection.
  Grid->OnSelectCell = nullptr;
  Grid->SetOptions(Grid->Options() + goRowSelect);
  GridTest::Key(Grid, VK_DOWN);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 2, 4, 2}));
}

TEST_F(UiDrawGrid, ScrollingKeepsTheCurrentRowInView) {
  Grid->SetRowCount(20);
  Grid->SetScrollBars(ssVertical);
  UiTest::Pump();
  EXPECT_EQ(Grid->TopRow(), 1);
  const int visible = Grid->VisibleRowCount();
  ASSERT_GE(visible, 2);
  for (int i = 0; i < visible; ++i) GridTest::Key(Grid, VK_DOWN);
  EXPECT_EQ(Grid->Row(), 1 + visible);
  EXPECT_EQ(Grid->TopRow(), 2);
  EXPECT_EQ(GetScrollPos(Grid->Handle(), SB_VERT), 2);
  GridTest::Key(Grid, VK_END, {ssCtrl});
  EXPECT_EQ(Grid->Row(), 19);
  EXPECT_EQ(Grid->TopRow(), 20 - visible);
  EXPECT_EQ(Grid->Col(), 4);
  EXPECT_FALSE(Grid->CellRect(4, 19).IsEmpty());
  EXPECT_EQ(Grid->LeftCol(), 2);  // the scroll bar left no room for four columns
  // The scroll bar moves the view, not the current cell.
  SendMessageW(Grid->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(Grid->TopRow(), 1);
  EXPECT_EQ(Grid->Row(), 19);
  SendMessageW(Grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Grid->TopRow(), 2);
  EXPECT_TRUE(Grid->CellRect(2, 1).IsEmpty());
  EXPECT_FALSE(Grid->CellRect(2, 2).IsEmpty());
  EXPECT_FALSE(Grid->CellRect(0, 0).IsEmpty());  // fixed cells stay
}

TEST_F(UiDrawGrid, MouseSelectsCellsAndSizesColumnsFromTheFixedRow) {
  int clicks = 0;
  Grid->OnClick = [&](TObject*) { ++clicks; };
  const TPoint p = GridTest::Center(Grid->CellRect(3, 2));
  GridTest::Click(Grid, p.X, p.Y);
  EXPECT_EQ(Current(), (TGridCoord{3, 2}));
  EXPECT_EQ(clicks, 1);
  // The fixed cells are not selectable.
  GridTest::Click(Grid, 10, 10);
  EXPECT_EQ(Current(), (TGridCoord{3, 2}));
  // Dragging over cells selects a range from the first one.
  GridTest::Drag(Grid, GridTest::Center(Grid->CellRect(1, 1)).X, GridTest::Center(Grid->CellRect(1, 1)).Y,
                 GridTest::Center(Grid->CellRect(2, 3)).X, GridTest::Center(Grid->CellRect(2, 3)).Y);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 3}));
  // Without goColSizing the title's edge is just a cell.
  GridTest::Drag(Grid, 129, 10, 150, 10);
  EXPECT_EQ(Grid->ColWidths(1), 64);
  Grid->SetOptions(Grid->Options() + goColSizing);
  GridTest::Drag(Grid, 129, 10, 150, 10);
  EXPECT_EQ(Grid->ColWidths(1), 85);
  EXPECT_EQ(Grid->CellRect(2, 1).Left, 151);
  // Only from the fixed rows.
  GridTest::Drag(Grid, 150, 30, 170, 30);
  EXPECT_EQ(Grid->ColWidths(1), 85);
}

TEST_F(UiDrawGrid, DrawCellSeesEveryShownCellWithItsState) {
  std::map<std::pair<int, int>, TGridDrawState> drawn;
  Grid->OnDrawCell = [&](TObject*, int c, int r, const TRect& rect, TGridDrawState state) {
    EXPECT_EQ(rect, Grid->CellRect(c, r));
    drawn[{c, r}] = state;
  };
  Grid->SetCol(2);
  Grid->Repaint();
  ASSERT_EQ(drawn.size(), 25u);
  EXPECT_TRUE(drawn[std::make_pair(0, 3)].Contains(gdFixed));
  EXPECT_TRUE(drawn[std::make_pair(3, 0)].Contains(gdFixed));
  EXPECT_FALSE(drawn[std::make_pair(1, 1)].Contains(gdFixed));
  EXPECT_TRUE(drawn[std::make_pair(2, 1)].Contains(gdSelected));
  EXPECT_TRUE(drawn[std::make_pair(2, 1)].Contains(gdFocused));
  EXPECT_FALSE(drawn[std::make_pair(1, 1)].Contains(gdSelected));
  // The default drawing fills the focused cell of a focused grid with the
  // window colour; with goDrawFocusSelected, with the highlight.
  TColor brush = clNone;
  Grid->OnDrawCell = [&](TObject*, int c, int r, const TRect&, TGridDrawState) {
    if (c == 2 && r == 1) brush = Grid->Canvas()->Brush()->Color();
  };
  Grid->Repaint();
  EXPECT_EQ(brush, clWindow);
  Grid->SetOptions(Grid->Options() + goDrawFocusSelected);
  Grid->Repaint();
  EXPECT_EQ(brush, clHighlight);
}

namespace {
// Counts the frame paints that reach the system.
class TFramePaintCountingGrid : public TDrawGrid {
public:
  using TDrawGrid::TDrawGrid;
  int FramePaints = 0;
  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == WM_NCPAINT) ++FramePaints;
    TDrawGrid::DefaultHandler(Message);
  }
};
}  // namespace

TEST_F(UiDrawGrid, BothScrollBarsComingOrGoingPaintTheFrameOnce) {
  auto* grid = new TFramePaintCountingGrid(Form);
  grid->SetParent(Form);
  grid->SetBorderStyle(bsNone);
  grid->SetBounds(0, 200, 400, 150);  // room to spare for the 5 x 5 cells
  UiTest::Pump();
  auto bars = [&] { return GetWindowLongW(grid->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL); };
  auto paintsOfResize = [&](int width, int height) {
    grid->FramePaints = 0;
    grid->SetBounds(0, 200, width, height);
    const int paints = grid->FramePaints;
    UiTest::Pump();
    return paints;
  };
  ASSERT_EQ(bars(), 0);
  // What a resize paints by itself, growing and shrinking, with no bar.
  const int growing = paintsOfResize(420, 170);
  const int shrinking = paintsOfResize(400, 150);
  ASSERT_EQ(bars(), 0);
  // One pixel short of the columns' width they need a bar, whose height
  // the rows then miss: both bars come in one update, and go in one.
  EXPECT_EQ(paintsOfResize(324, 125), shrinking + 1);
  EXPECT_EQ(bars(), WS_HSCROLL | WS_VSCROLL);
  EXPECT_EQ(paintsOfResize(400, 150), growing + 1);
  EXPECT_EQ(bars(), 0);
}
