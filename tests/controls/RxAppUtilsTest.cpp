// The storage routines without windows: section names, the quoting rule
// and the words of stored values.
#include "controls/RxAppUtils.h"
#include "platform/classes/IniFiles.h"
#include "platform/ui/FormImage.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdio>

namespace {
class TForm2 : public TForm {
public:
  using TForm::TForm;
};
std::string Utf8(const String& s) { return StringToUtf8(s); }
}  // namespace

TEST(RxAppUtils, DefaultSectionsFollowTheComponentsPlace) {
  auto* form = new TForm2(Application);
  auto* grid = new TPanel(form);
  grid->SetName(u"Grid1");
  grid->SetParent(form);
  auto* table = new TComponent(form);
  table->SetName(u"Table1");
  auto* loose = new TPanel(nullptr);
  loose->SetName(u"Loose");
  EXPECT_EQ(Utf8(DefaultStorageSection(form)), "TForm2");
  EXPECT_EQ(Utf8(DefaultStorageSection(grid)), "TForm2Grid1");
  EXPECT_EQ(Utf8(DefaultStorageSection(table)), "TForm2.Table1");
  EXPECT_EQ(Utf8(DefaultStorageSection(loose)), "Loose");
  EXPECT_EQ(Utf8(DefaultStorageSection(nullptr)), "");
  EXPECT_EQ(Utf8(DefaultRegistryKey()).rfind("Software\\", 0), 0u);
  EXPECT_EQ(Utf8(DefaultIniFileName()).substr(Utf8(DefaultIniFileName()).size() - 4), ".INI");
  delete loose;
  delete form;
}

TEST(RxAppUtils, QuotedValuesSurviveTheIniFileAndWordsSkipEmptyOnes) {
  char pattern[] = "/tmp/brq-storage-XXXXXX";
  const std::string folder = mkdtemp(pattern);
  {
    TIniFile ini(LinuxPathToWindows(folder + "/s.ini"));
    const char16_t* values[] = {u"abc", u"\"abc\"", u"'x y'", u"\"half", u""};
    for (const char16_t* v : values) {
      StorageWriteString(&ini, u"S", u"K", v);
      EXPECT_EQ(Utf8(StorageReadString(&ini, u"S", u"K", u"?")), Utf8(v));
    }
    TObject unknown;
    StorageWriteString(&unknown, u"S", u"K", u"ignored");
    EXPECT_EQ(Utf8(StorageReadString(&unknown, u"S", u"K", u"dflt")), "dflt");
  }
  std::remove((folder + "/s.ini").c_str());
  rmdir(folder.c_str());

  struct Case {
    const char16_t* text;
    int n;
    int expected;
  };
  const Case words[] = {{u"1", 1, 1}, {u"1", 2, -9}, {u"1,,80", 2, 80}, {u" 3 , 4", 2, 4}, {u"x,5", 1, -9}};
  for (const Case& c : words) EXPECT_EQ(StorageWordInt(c.n, c.text, -9), c.expected) << Utf8(c.text) << " " << c.n;
}
