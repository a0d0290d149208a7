// Form placements under a registry key of the Wine prefix.
#include "PlacementTestSupport.h"
#include "platform/classes/Registry.h"

namespace {
String TestKey(const char* name) {
  return u"Software\\BrqPlacementTest\\" + AsciiToString(name) + IntToStr(GetCurrentProcessId());
}

bool KeyExists(HKEY root, const String& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, reinterpret_cast<LPCWSTR>(key.c_str()), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

void DeleteTree(HKEY root, const String& key) { RegDeleteTreeW(root, reinterpret_cast<LPCWSTR>(key.c_str())); }
}  // namespace

class UiFormPlacementRegistry : public PlacementFixture {};

TEST_F(UiFormPlacementRegistry, RoundTripUnderTheChosenRoot) {
  struct Case {
    const char* name;
    TPlacementRegRoot root;
    HKEY hkey;
  };
  const Case cases[] = {{"current user", prCurrentUser, HKEY_CURRENT_USER},
                        {"local machine", prLocalMachine, HKEY_LOCAL_MACHINE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const String key = TestKey(c.name[0] == 'c' ? "User" : "Machine");
    TForm1* form = NewForm();
    placement->SetUseRegistry(true);
    placement->SetRegistryRoot(c.root);
    placement->SetIniFileName(key);
    Ready();
    form->Show();
    KeyInput::Pump();
    form->SetBounds(130, 140, 380, 290);
    KeyInput::Pump();
    form->Close();
    form->Free();
    ASSERT_TRUE(KeyExists(c.hkey, key + u"\\TForm1"));
    if (c.root != prCurrentUser) {
      EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));
    }

    TRegIniFile reg(String(), KEY_READ);
    reg.SetRootKey(c.hkey);
    ASSERT_TRUE(reg.OpenKey(key, false));
    EXPECT_EQ(Utf8(reg.ReadString(u"TForm1", u"NormPos", String())), "130,140,510,430");

    TForm1* again = NewForm();
    placement->SetUseRegistry(true);
    placement->SetRegistryRoot(c.root);
    placement->SetIniFileName(key);
    Ready();
    again->Show();
    KeyInput::Pump();
    EXPECT_EQ(again->BoundsRect(), TRect(130, 140, 510, 430));
    again->Free();
    DeleteTree(c.hkey, key);
  }
}

TEST_F(UiFormPlacementRegistry, ReadOnlyOpenCreatesNoKeyAndDynDataIsAnError) {
  const String key = TestKey("Absent");
  TForm1* form = NewForm();
  placement->SetUseRegistry(true);
  placement->SetIniFileName(key);
  placement->RestoreFormPlacement();
  EXPECT_EQ(Utf8(placement->ReadString(u"Anything", u"default")), "default");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));

  placement->SetRegistryRoot(prDynData);
  EXPECT_THROW(placement->RestoreFormPlacement(), Exception);
  form->Free();
}
