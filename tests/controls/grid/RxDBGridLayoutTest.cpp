// Grid and field layouts stored in an INI file, on demand and through the
// form placement; widths fitted to content and the row height.
#include "RxDBGridTestSupport.h"
#include "controls/RxAppUtils.h"
#include "platform/classes/IniFiles.h"
#include <unistd.h>
#include <cstdio>

namespace {
struct TempIni {
  TempIni() {
    char pattern[] = "/tmp/brq-grid-XXXXXX";
    folder = mkdtemp(pattern);
    name = LinuxPathToWindows(folder + "/grid.ini");
  }
  ~TempIni() {
    std::remove((folder + "/grid.ini").c_str());
    rmdir(folder.c_str());
  }
  std::string folder;
  String name;
};

std::vector<std::string> ColumnOrder(TRxDBGrid* grid) {
  std::vector<std::string> order;
  for (int i = 0; i < grid->Columns()->Count(); ++i) order.push_back(Utf8(grid->Columns()->Items(i)->FieldName()));
  return order;
}
}  // namespace

class DbUiRxDBGridLayout : public RxGridFixture {
protected:
  void CustomColumns() {
    for (const char16_t* name : {u"CUPOM", u"RECEBIMENTO", u"VALOR", u"CHQ_DINH"})
      Grid->Columns()->Add()->SetFieldName(name);
  }
};

TEST_F(DbUiRxDBGridLayout, ColumnsSaveAfterErasingAndRestoreIgnoringBadValues) {
  TempIni temp;
  CustomColumns();
  Receipts();
  Show();
  Grid->Columns()->Items(0)->SetWidth(64);
  TIniFile ini(temp.name);
  ini.WriteString(u"TfrmSQL1RxDBGrid1", u"RxDBGrid1.STALE", u"9,9");
  Grid->SaveLayout(&ini);
  EXPECT_EQ(Utf8(ini.ReadString(u"TfrmSQL1RxDBGrid1", u"RxDBGrid1.STALE", u"gone")), "gone");
  EXPECT_EQ(Utf8(ini.ReadString(u"TfrmSQL1RxDBGrid1", u"RxDBGrid1.CUPOM", u"")), "0,64");

  const int valorWidth = Grid->Columns()->Items(2)->Width();
  const int chqWidth = Grid->Columns()->Items(3)->Width();
  struct Entry {
    const char16_t* field;
    const char16_t* value;
  };
  const Entry entries[] = {
      {u"CUPOM", u"1"},             // position only, width kept
      {u"RECEBIMENTO", u"0,,80"},   // empty words skipped: 80 is the width
      {u"VALOR", u"9,-5"},          // out of range and negative: both kept
      {u"CHQ_DINH", u"3,99999"},    // absurd width kept
  };
  for (const Entry& e : entries) ini.WriteString(u"TfrmSQL1RxDBGrid1", String(u"RxDBGrid1.") + e.field, e.value);
  const int cupomWidth = Grid->Columns()->Items(0)->Width();
  Grid->RestoreLayout(&ini);
  EXPECT_EQ(ColumnOrder(Grid), (std::vector<std::string>{"RECEBIMENTO", "CUPOM", "VALOR", "CHQ_DINH"}));
  EXPECT_EQ(Grid->Columns()->Items(0)->Width(), 80);
  EXPECT_EQ(Grid->Columns()->Items(1)->Width(), cupomWidth);
  EXPECT_EQ(Grid->Columns()->Items(2)->Width(), valorWidth);
  EXPECT_EQ(Grid->Columns()->Items(3)->Width(), chqWidth);
}

TEST_F(DbUiRxDBGridLayout, DefaultColumnsStoreTheFieldsAndThePlacementSavesThemWithTheForm) {
  TempIni temp;
  TFDQuery* q = Receipts();
  auto* placement = new TFormPlacement(Form);
  placement->SetIniFileName(temp.name);
  Grid->SetIniStorage(placement);
  placement->Loaded();
  Show();
  q->FieldByName(u"VALOR")->SetIndex(0);
  q->FieldByName(u"CHQ_DINH")->SetVisible(false);
  placement->SaveFormPlacement();

  TIniFile ini(temp.name);
  EXPECT_EQ(Utf8(ini.ReadString(u"TfrmSQL1", u"QrRecebimentosVALOR", u"")),
            "0," + std::to_string(q->FieldByName(u"VALOR")->DisplayWidth()) + ",1");
  EXPECT_EQ(Utf8(ini.ReadString(u"TfrmSQL1", u"QrRecebimentosCHQ_DINH", u"")).substr(0, 2), "3,");

  // The grid's restore never touches visibility; bad words keep the field.
  ini.WriteString(u"TfrmSQL1", u"QrRecebimentosCUPOM", u"3,-1,1");
  ini.WriteString(u"TfrmSQL1", u"QrRecebimentosVALOR", u"2,12,1");
  ini.WriteString(u"TfrmSQL1", u"QrRecebimentosCHQ_DINH", u"0,20,1");
  const int cupomWidth = q->FieldByName(u"CUPOM")->DisplayWidth();
  placement->RestoreFormPlacement();
  EXPECT_FALSE(q->FieldByName(u"CHQ_DINH")->Visible());
  EXPECT_EQ(q->FieldByName(u"CUPOM")->DisplayWidth(), cupomWidth);
  EXPECT_EQ(q->FieldByName(u"VALOR")->DisplayWidth(), 12);
  // Positions 0, 2 (VALOR before RECEBIMENTO, which also names 2) and 3
  // are given in turn; nothing claims 1, and VALOR moves back to it as
  // CUPOM takes 3.
  std::vector<std::string> order;
  for (int i = 0; i < q->FieldCount(); ++i) order.push_back(Utf8(q->Fields()[i]->FieldName()));
  EXPECT_EQ(order, (std::vector<std::string>{"CHQ_DINH", "VALOR", "RECEBIMENTO", "CUPOM"}));

  // A grid without a data set saves nothing.
  Grid->SetDataSource(nullptr);
  TIniFile empty(LinuxPathToWindows(temp.folder + "/none.ini"));
  Grid->SaveLayout(&empty);
  TStringList sections;
  empty.ReadSections(sections);
  EXPECT_EQ(sections.Count(), 0);
  // Freed while its INI file is still there: the form saves on its way out.
  Form->Free();
  Form = nullptr;
}

TEST_F(DbUiRxDBGridLayout, WidthsFollowTheWidestTextAndRowsHeightSetsTheRows) {
  TFDQuery* q = Receipts();
  Show();
  q->SetRecNo(3);
  Grid->SetGridColumnWidthsByContent(false);
  EXPECT_TRUE(q->Eof());
  TCanvas* canvas = Grid->Canvas();
  canvas->SetFont(Grid->Font());
  EXPECT_EQ(Grid->Columns()->Items(2)->Width(), canvas->TextWidth(u"123,45") + 10);
  EXPECT_EQ(Grid->Columns()->Items(3)->Width(), canvas->TextWidth(u"CHQ_DINH") + 10);
  EXPECT_EQ(Grid->Columns()->Items(1)->Width(), canvas->TextWidth(u"RECEBIMENTO") + 10);
  Grid->SetGridColumnWidthsByContent(true);
  EXPECT_EQ(q->RecNo(), 1);

  Grid->SetRowsHeight(30);
  EXPECT_EQ(Grid->RowHeights(1), 30);
  EXPECT_EQ(Grid->RowHeights(0), 32);
}
