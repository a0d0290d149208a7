// The grid's own painting over a real query: row colours by screen
// position, the cell hooks, title captions and the screenshot artefact.
#include "RxDBGridTestSupport.h"
#include <cstdlib>

namespace {
constexpr TColor Pink = 0x00C0C0FF;
constexpr TColor Mint = 0x00C0FFC0;
constexpr TColor Gold = 0x0000D7FF;
}  // namespace

class DbUiRxDBGrid : public RxGridFixture {};

TEST_F(DbUiRxDBGrid, RowColoursFollowScreenPositionsAndCellHooksHaveTheLastWord) {
  Receipts();
  Grid->SetRowColor1(Pink);
  Grid->SetRowColor2(Mint);
  Show();
  // Switched off, the two colours change nothing.
  EXPECT_EQ(CellColour(1, 2), ColorToRGB(clWindow));
  EXPECT_EQ(CellColour(1, 3), ColorToRGB(clWindow));

  Grid->SetRowColorsUse(true);
  KeyInput::Pump();
  // The current row (the first) is highlighted; the others alternate.
  EXPECT_EQ(CellColour(1, 1), ColorToRGB(clHighlight));
  EXPECT_EQ(CellColour(2, 1), Pink);
  EXPECT_EQ(CellColour(1, 2), Mint);
  EXPECT_EQ(CellColour(1, 3), Pink);
  EXPECT_EQ(CellColour(1, 4), Mint);

  std::vector<bool> highlights;
  Grid->OnGetCellParams = [&](TObject*, TField* field, TFont*, TColor& background, bool highlight) {
    if (field->FieldName() == u"CHQ_DINH") {
      highlights.push_back(highlight);
      if (field->AsString() == u"Cheque") background = Gold;
    }
  };
  Grid->Invalidate();
  KeyInput::Pump();
  EXPECT_EQ(CellColour(4, 2), Gold);  // 000002 Cheque
  EXPECT_EQ(CellColour(4, 3), Pink);  // 000003 Dinheiro keeps its row colour
  EXPECT_EQ(CellColour(4, 4), Gold);

  // OnGetCellProps may not recolour a highlighted cell.
  Grid->OnGetCellParams = nullptr;
  Grid->OnGetCellProps = [](TObject*, TField*, TFont*, TColor& background) { background = Gold; };
  Grid->Invalidate();
  KeyInput::Pump();
  EXPECT_EQ(CellColour(1, 1), ColorToRGB(clHighlight));
  EXPECT_EQ(CellColour(1, 2), Gold);
}

TEST_F(DbUiRxDBGrid, LongTitlesEndInDotsWithAtLeastTwoCharactersGone) {
  TCanvas* canvas = Grid->Canvas();
  Grid->HandleNeeded();
  const String caption = u"Recebimento";
  const int full = canvas->TextWidth(caption);
  struct Case {
    int width;
    const char* expected;
  };
  const Case cases[] = {{full, "Recebimento"},
                        {full - 1, nullptr},
                        {canvas->TextWidth(u"Rec..."), "Rec..."},
                        {canvas->TextWidth(u"...") , "..."},
                        {1, "..."}};
  for (const Case& c : cases) {
    const std::string shown = Utf8(TRxDBGrid::ShortenCaption(canvas, caption, c.width));
    if (c.expected) {
      EXPECT_EQ(shown, c.expected) << c.width;
    } else {
      EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    }
    if (shown != "Recebimento") {
      EXPECT_LE(shown.size(), caption.size() + 1);
    }
  }
}

TEST_F(DbUiRxDBGrid, ScreenshotOfColouredRowsSortMarkerAndSelection) {
  TFDQuery* q = Receipts();
  Grid->SetRowColorsUse(true);
  Grid->SetRowColor2(static_cast<TColor>(0x00F0CAA6));
  Grid->SetTitleButtons(true);
  Grid->SetOptions(Grid->Options() + dgMultiSelect);
  Grid->SetFixedCols(1);
  Grid->OnGetBtnParams = [](TObject*, TField* field, TFont*, TColor&, TSortMarker& marker, bool) {
    if (field->FieldName() == u"VALOR") marker = smDown;
  };
  Show();
  q->SetRecNo(2);
  Grid->ToggleRowSelection();
  q->SetRecNo(4);
  Grid->ToggleRowSelection();
  KeyInput::Pump(100);
  const char* folder = std::getenv("BRQ_ARTIFACTS");
  ASSERT_NE(folder, nullptr);
  SaveControlImage(*Form, LinuxPathToWindows(std::string(folder) + "/rxdbgrid.png"));
  CaptureDisplayImage(*Form, std::string(folder) + "/rxdbgrid-screen.png");
  // The sort marker stands at the right of the VALOR title.
  const TRect title = Grid->CellRect(3, 0);
  EXPECT_EQ(PixelAt(title.Right - 8, (title.Top + title.Bottom) / 2), ColorToRGB(clGray));
  EXPECT_EQ(Grid->SelCount(), 2);
  // Selected rows are highlighted wherever they stand; the others keep
  // their row colour.
  EXPECT_EQ(CellColour(2, 2), ColorToRGB(clHighlight));
  EXPECT_EQ(CellColour(2, 1), ColorToRGB(clInfoBk));
  EXPECT_EQ(CellColour(2, 3), ColorToRGB(clInfoBk));
}
