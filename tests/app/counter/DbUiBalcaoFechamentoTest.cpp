// The closing window's credit date of a movement that has none: its
// calendar opens on today's month, and the date shown stays as it was.
#include "app/uFecha.h"
#include "app/records/RecordsTestSupport.h"
#include "controls/RxToolEditDate.h"
#include "support/KeyInput.h"
#include <gtest/gtest.h>

namespace {

class DbUiBalcaoFechamento : public records::ProgramaAberto {
protected:
  void SetUp() override {
    ProgramaAberto::SetUp();
    SetClockForTesting([] { return EncodeDateTime(2024, 3, 6, 10, 0, 0, 0); });
    wchar_t pasta[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, pasta);
    PastaAnterior = reinterpret_cast<const char16_t*>(pasta);
    SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(Pasta.Path().c_str()));
  }
  void TearDown() override {
    ProgramaAberto::TearDown();
    ResetClockForTesting();
    SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(PastaAnterior.c_str()));
  }
  String PastaAnterior;
};

TEST_F(DbUiBalcaoFechamento, AnEmptyCreditDateOpensItsCalendarOnToday) {
  Abre();
  DM->Movimentos->Last();
  ASSERT_TRUE(DM->Movimentos->FieldByName(u"CREDITO")->IsNull());
  Responde();
  Application->CreateForm(frmFecha);
  frmFecha->Show();
  Application->ProcessMessages();
  TDateEdit* credito = frmFecha->DBEditCREDITO;
  ASSERT_EQ(credito->Text(), u"30/12/1899");

  credito->SetFocus();
  KeyInput::PressKey(VK_DOWN, TShiftState{ssAlt});
  KeyInput::Pump(50);
  auto* calendario = dynamic_cast<TPopupWindow*>(credito->Popup());
  ASSERT_NE(calendario, nullptr);
  EXPECT_TRUE(credito->PopupVisible());
  EXPECT_EQ(FormatDateTime(u"dd/mm/yyyy", calendario->ReadValue().AsDate()), u"06/03/2024");

  KeyInput::PressKey(VK_ESCAPE);
  KeyInput::Pump(50);
  EXPECT_FALSE(credito->PopupVisible());
  EXPECT_EQ(credito->Text(), u"30/12/1899") << "the stored rule sees the date as it was";
}

}  // namespace
