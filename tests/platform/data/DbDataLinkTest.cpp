// Data sources and links as grids, edits and reports follow them.
#include "DbTestUtil.h"
#include "platform/rtl/Exceptions.h"

namespace {
// Records what a control would hear.
class TRecorder : public TDataLink {
public:
  std::vector<std::string> Events;
  std::function<void()> OnUpdate;

protected:
  void ActiveChanged() override { Events.push_back(Active() ? "active" : "inactive"); }
  void DataSetChanged() override { Events.push_back("changed"); }
  void DataSetScrolled(int distance) override { Events.push_back("scrolled " + std::to_string(distance)); }
  void EditingChanged() override { Events.push_back(Editing() ? "editing" : "browsing"); }
  void RecordChanged(TField* field) override {
    Events.push_back("record " + (field ? Utf8(field->FieldName()) : std::string("-")));
  }
  void UpdateData() override {
    Events.push_back("update");
    if (OnUpdate) OnUpdate();
  }
};
}  // namespace

using DbDataLink = DbFixture;

TEST_F(DbDataLink, LinksHearOpeningScrollingEditingAndPosting) {
  auto t = Table(u"recebimentos", u"COD_AGENTE;CUPOM");
  t->SetCachedUpdates(true);
  TDataSource source(nullptr);
  int dataChanges = 0, stateChanges = 0;
  source.OnDataChange = [&](TObject*, TField*) { ++dataChanges; };
  source.OnStateChange = [&](TObject*) { ++stateChanges; };
  source.SetDataSet(t.get());
  TRecorder link;
  link.SetDataSource(&source);
  EXPECT_FALSE(link.Active());
  t->Open();
  EXPECT_TRUE(link.Active());
  EXPECT_EQ(source.State(), dsBrowse);
  EXPECT_EQ(link.Events, (std::vector<std::string>{"active", "changed"}));
  link.Events.clear();

  t->Next();
  EXPECT_EQ(link.Events, (std::vector<std::string>{"scrolled 1"}));
  link.Events.clear();
  link.OnUpdate = [&] { t->FieldByName(u"USUARIO")->SetAsString(u"TESTE"); };
  EXPECT_TRUE(link.Edit());
  EXPECT_EQ(source.State(), dsEdit);
  t->FieldByName(u"VALOR")->SetAsFloat(3);
  t->Post();
  EXPECT_EQ(link.Events, (std::vector<std::string>{"editing", "record VALOR", "update", "browsing", "changed"}));
  EXPECT_EQ(Utf8(t->FieldByName(u"USUARIO")->AsString()), "TESTE");  // written by the link before posting
  EXPECT_GT(dataChanges, 0);
  EXPECT_GE(stateChanges, 3);

  // Disabled controls hear nothing until enabled, then one change.
  link.Events.clear();
  t->DisableControls();
  EXPECT_TRUE(t->ControlsDisabled());
  for (t->First(); !t->Eof(); t->Next()) {
  }
  t->EnableControls();
  EXPECT_EQ(link.Events, (std::vector<std::string>{"changed"}));

  // A disabled source makes its links inactive.
  source.SetEnabled(false);
  EXPECT_FALSE(link.Active());
  source.SetEnabled(true);
  t->Close();
  EXPECT_FALSE(link.Active());
  EXPECT_EQ(source.State(), dsInactive);
}

TEST_F(DbDataLink, AGridReadsItsWindowOfRecords) {
  auto t = Table(u"recebimentos", u"COD_AGENTE;CUPOM");
  TDataSource source(nullptr);
  source.SetDataSet(t.get());
  TRecorder grid;
  grid.SetBufferCount(3);
  grid.SetDataSource(&source);
  t->Open();
  auto rows = [&] {
    std::string seen;
    const int current = grid.ActiveRecord();
    for (int i = 0; i < grid.RecordCount(); ++i) {
      grid.SetActiveRecord(i);
      seen += Utf8(t->FieldByName(u"CUPOM")->AsString()).substr(4) + " ";
    }
    grid.SetActiveRecord(current);
    return seen;
  };
  EXPECT_EQ(grid.RecordCount(), 3);
  EXPECT_EQ(grid.ActiveRecord(), 0);
  EXPECT_EQ(rows(), "01 02 03 ");
  t->Last();
  EXPECT_EQ(grid.ActiveRecord(), 2);
  EXPECT_EQ(rows(), "03 04 01 ");
  EXPECT_EQ(Utf8(t->FieldByName(u"COD_AGENTE")->AsString()), "002");  // the current record again
  t->MoveBy(-1);
  EXPECT_EQ(grid.ActiveRecord(), 1);
  t->First();
  EXPECT_EQ(grid.ActiveRecord(), 0);
  EXPECT_EQ(rows(), "01 02 03 ");
  t->SetFilter(u"COD_AGENTE = '002'");
  t->SetFiltered(true);
  EXPECT_EQ(grid.RecordCount(), 1);
}

TEST_F(DbDataLink, AFieldLinkFollowsItsField) {
  auto t = Table(u"usuario", u"NOME", u"COD_AGENTE = '001'");
  TDataSource source(nullptr);
  source.SetDataSet(t.get());
  TFieldDataLink edit;
  String shown;
  edit.OnDataChange = [&](TObject*) { shown = edit.Field() ? edit.Field()->Text() : String(); };
  edit.OnUpdateData = [&](TObject*) { edit.Field()->SetText(u"EDITADO"); };
  edit.SetFieldName(u"NOME");
  edit.SetDataSource(&source);
  EXPECT_EQ(edit.Field(), nullptr);
  t->Open();
  ASSERT_NE(edit.Field(), nullptr);
  EXPECT_EQ(Utf8(shown), "ADMIN");
  t->Next();
  EXPECT_EQ(Utf8(shown), "CAIXA");
  EXPECT_TRUE(edit.CanModify());
  ASSERT_TRUE(edit.Edit());
  edit.Modified();
  t->Post();
  EXPECT_EQ(Utf8(t->FieldByName(u"NOME")->AsString()), "EDITADO");
  source.SetAutoEdit(false);
  EXPECT_FALSE(edit.Edit());
  t->Close();
  EXPECT_EQ(edit.Field(), nullptr);
}

TEST_F(DbDataLink, ReferencesAreDroppedWhenComponentsGo) {
  auto t = Table(u"usuario");
  auto source = std::make_unique<TDataSource>(nullptr);
  source->SetDataSet(t.get());
  TRecorder link;
  link.SetDataSource(source.get());
  t->Open();
  EXPECT_TRUE(link.Active());
  t.reset();
  EXPECT_EQ(source->DataSet(), nullptr);
  EXPECT_FALSE(link.Active());
  source.reset();
  EXPECT_EQ(link.DataSource(), nullptr);
}
