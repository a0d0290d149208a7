#pragma once
// The library's grid on a shown form over the test database.
#include "controls/RxDBCtrl.h"
#include "platform/data/DataSource.h"
#include "platform/data/FDDataSet.h"
#include "platform/dbctrls/GridTestSupport.h"
#include "platform/ui/FormImage.h"
#include "platform/ui/TestSeam.h"
#include "support/TestDatabase.h"
#include <gtest/gtest.h>
#include <memory>

// Named like the receipts query form, whose grid sections begin so.
class TfrmSQL1 : public TForm {
public:
  using TForm::TForm;
};

class RxGridFixture : public ::testing::Test {
protected:
  void SetUp() override {
    // A failure the component reports instead of raising fails the test
    // (a message box would wait for a person).
    Application->OnException = [](TObject*, const Exception& e) { ADD_FAILURE() << StringToUtf8(e.Message()); };
    UiTestSeam::Reset();
    TestDatabase::Reset();
    Connection = TestDatabase::Connect();
    Form = new TfrmSQL1(Application);
    Form->SetBounds(40, 40, 640, 420);
    Source = new TDataSource(Form);
    Grid = new TRxDBGrid(Form);
    Grid->SetName(u"RxDBGrid1");
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 600, 200);
  }
  void TearDown() override {
    if (Form) Form->Free();
    KeyInput::Pump();
    Connection.reset();
    UiTestSeam::Reset();
    Application->OnException = nullptr;
  }

  TFDQuery* Receipts() {
    auto* query = new TFDQuery(Form);
    query->SetName(u"QrRecebimentos");
    query->SetConnection(Connection.get());
    query->SQL().Add(u"SELECT CUPOM, RECEBIMENTO, VALOR, CHQ_DINH FROM RECEBIMENTOS WHERE COD_AGENTE = '001' "
                     u"ORDER BY CUPOM");
    Source->SetDataSet(query);
    query->Open();
    Grid->SetDataSource(Source);
    return query;
  }

  TFDTable* ReceiptsTable() {
    auto* table = new TFDTable(Form);
    table->SetName(u"TbRecebimentos");
    table->SetConnection(Connection.get());
    table->SetTableName(u"dbvorlent.recebimentos");
    table->SetIndexFieldNames(u"CUPOM");
    table->SetFilter(u"COD_AGENTE = '001'");
    table->SetFiltered(true);
    table->SetCachedUpdates(true);
    Source->SetDataSet(table);
    table->Open();
    Grid->SetDataSource(Source);
    return table;
  }

  void Show() {
    Form->Show();
    Grid->SetFocus();
    KeyInput::Pump(50);
  }

  // The colour at a client point of the grid, as the grid paints itself.
  TColor PixelAt(int x, int y) {
    std::unique_ptr<TBitmap> picture = PaintControlImage(*Grid);
    RECT frame{};
    GetWindowRect(Grid->Handle(), &frame);
    const TPoint origin = Grid->ClientToScreen(TPoint(0, 0));
    return ColorToRGB(picture->Canvas()->Pixels(origin.X - frame.left + x, origin.Y - frame.top + y));
  }
  // A spot of the cell where no text is drawn (left-aligned texts).
  TColor CellColour(int col, int row) {
    const TRect r = Grid->CellRect(col, row);
    return PixelAt(r.Right - 3, r.Bottom - 3);
  }

  std::unique_ptr<TFDConnection> Connection;
  TfrmSQL1* Form = nullptr;
  TDataSource* Source = nullptr;
  TRxDBGrid* Grid = nullptr;
};

inline std::string Utf8(const String& s) { return StringToUtf8(s); }
