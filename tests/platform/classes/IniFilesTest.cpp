#include "TempFile.h"
#include "platform/classes/IniFiles.h"
#include <gtest/gtest.h>
#include <memory>

namespace {
// Both kinds must behave alike except where noted.
std::unique_ptr<TCustomIniFile> Open(bool memory, const String& path) {
  if (memory) return std::make_unique<TMemIniFile>(path);
  return std::make_unique<TIniFile>(path);
}
}  // namespace

class IniFileKinds : public ::testing::TestWithParam<bool> {};

TEST_P(IniFileKinds, MissingFileSectionOrKeyReadsAsTheDefault) {
  TempFile file(".ini");
  auto ini = Open(GetParam(), file.Path());
  EXPECT_EQ(ini->ReadString(u"BANCO", u"Server", u""), u"");
  EXPECT_EQ(ini->ReadString(u"BANCO", u"Server", u"dflt"), u"dflt");
  EXPECT_EQ(ini->ReadInteger(u"BANCO", u"Port", 7), 7);
  EXPECT_FALSE(ini->SectionExists(u"BANCO"));
  EXPECT_FALSE(ini->ValueExists(u"BANCO", u"Server"));
  TStringList sections;
  sections.Add(u"stale");
  ini->ReadSections(sections);
  EXPECT_EQ(sections.Count(), 0);
}

TEST_P(IniFileKinds, RoundTripKeepsValuesWithEqualsSignsAndMatchesNamesWithoutCase) {
  TempFile file(".ini");
  {
    auto ini = Open(GetParam(), file.Path());
    ini->WriteString(u"BANCO", u"Server", u"host=10.0.0.1;x=y");
    ini->WriteString(u"BANCO", u"Password", u"0A1B2C");
    ini->WriteInteger(u"BANCO", u"Port", -3306);
    ini->WriteBool(u"AGENTE", u"Ativo", true);
    ini->WriteString(u"AGENTE", u"Agente", u"True");
    ini->WriteString(u"AGENTE", u"Nome", u"João €");
    ini->WriteFloat(u"AGENTE", u"Taxa", 2.5);
    ini->WriteDate(u"AGENTE", u"Desde", EncodeDate(2024, 2, 29));
    ini->UpdateFile();
  }
  auto ini = Open(GetParam(), file.Path());
  EXPECT_EQ(ini->ReadString(u"banco", u"SERVER", u""), u"host=10.0.0.1;x=y");
  EXPECT_EQ(ini->ReadInteger(u"BANCO", u"Port", 0), -3306);
  EXPECT_TRUE(ini->ReadBool(u"AGENTE", u"Ativo", false));
  // A boolean is read as a number: "True" is none, so the default wins.
  EXPECT_FALSE(ini->ReadBool(u"AGENTE", u"Agente", false));
  EXPECT_EQ(ini->ReadString(u"AGENTE", u"Agente", u""), u"True");
  EXPECT_EQ(ini->ReadString(u"AGENTE", u"Nome", u""), u"João €");
  EXPECT_DOUBLE_EQ(ini->ReadFloat(u"AGENTE", u"Taxa", 0), 2.5);
  EXPECT_EQ(ini->ReadString(u"AGENTE", u"Taxa", u""), u"2,5");  // the system's decimal comma
  EXPECT_EQ(ini->ReadString(u"AGENTE", u"Desde", u""), u"29/02/2024");
  EXPECT_EQ(ini->ReadDate(u"AGENTE", u"Desde", 0), EncodeDate(2024, 2, 29));
  EXPECT_EQ(ini->ReadDate(u"AGENTE", u"Nome", 1.0), 1.0);  // not a date
  EXPECT_EQ(ini->ReadFloat(u"AGENTE", u"Nome", 1.5), 1.5);
  EXPECT_EQ(ini->ReadInteger(u"BANCO", u"Server", 9), 9);  // not a number

  TStringList list;
  ini->ReadSections(list);
  EXPECT_EQ(list.CommaText(), u"BANCO,AGENTE");
  ini->ReadSection(u"BANCO", list);
  EXPECT_EQ(list.CommaText(), u"Server,Password,Port");
  ini->ReadSectionValues(u"BANCO", list);
  EXPECT_EQ(list.Values(u"Server"), u"host=10.0.0.1;x=y");
  EXPECT_TRUE(ini->ValueExists(u"Banco", u"port"));

  ini->DeleteKey(u"BANCO", u"Password");
  ini->EraseSection(u"AGENTE");
  ini->UpdateFile();
  auto again = Open(GetParam(), file.Path());
  EXPECT_FALSE(again->ValueExists(u"BANCO", u"Password"));
  EXPECT_FALSE(again->SectionExists(u"AGENTE"));
  EXPECT_EQ(again->ReadString(u"BANCO", u"Server", u""), u"host=10.0.0.1;x=y");
}

TEST_P(IniFileKinds, RewriteKeepsCommentsAndUnknownLines) {
  TempFile file(".ini");
  file.WriteBytes("; configuration\r\n[BANCO]\r\n# note\r\nServer = old \r\njunk line\r\n\r\n[OUTRO]\nk=v\n");
  auto ini = Open(GetParam(), file.Path());
  EXPECT_EQ(ini->ReadString(u"BANCO", u"Server", u""), u"old");  // blanks trimmed
  ini->WriteString(u"BANCO", u"Server", u"new");
  ini->WriteString(u"BANCO", u"Port", u"1");
  ini->WriteString(u"NOVA", u"a", u"b");
  ini->UpdateFile();
  EXPECT_EQ(file.ReadBytes(),
            "; configuration\r\n[BANCO]\r\n# note\r\nServer=new\r\njunk line\r\nPort=1\r\n\r\n"
            "[OUTRO]\r\nk=v\r\n\r\n[NOVA]\r\na=b\r\n");
}

TEST_P(IniFileKinds, NamesAndValuesTheLineCannotHoldAreRefusedAndTheFileStaysAsItWas) {
  const std::string original = "[S]\r\nk=v\r\n\r\n[T]\r\nx=1\r\n";
  struct Case {
    const char16_t* section;
    const char16_t* ident;
    const char16_t* value;
  };
  const Case cases[] = {
      {u"a]b", u"k", u"v"},       {u"S\r\n[T]", u"k", u"v"}, {u"S", u"k=x", u"v"},
      {u"S", u"[T]", u"v"},        {u"S", u" ;k", u"v"},        {u"S", u"#k", u"v"},
      {u"S", u"k\nx", u"v"},       {u"S", u"k", u"v\r\n[T]\r\nx=2"},
      {u"S", u"k", u"v\rw"},
  };
  for (const Case& c : cases) {
    TempFile file(".ini");
    file.WriteBytes(original);
    auto ini = Open(GetParam(), file.Path());
    EXPECT_THROW(ini->WriteString(c.section, c.ident, c.value), EIniFileException)
        << StringToUtf8(c.section) << " / " << StringToUtf8(c.ident) << " / " << StringToUtf8(c.value);
    ini->UpdateFile();
    EXPECT_EQ(file.ReadBytes(), original);
    EXPECT_EQ(ini->ReadString(u"T", u"x", u""), u"1");
  }
}

// Another program holds the file open for writing but lets nobody read it:
// the write must not start the file over from nothing.
TEST_P(IniFileKinds, AFileThatCannotBeReadIsNotRewrittenFromNothing) {
  TempFile file(".ini");
  const std::string original = "[S]\r\nk=v\r\n[T]\r\nx=1\r\n";
  file.WriteBytes(original);
  HANDLE lock = CreateFileW(reinterpret_cast<LPCWSTR>(file.Path().c_str()), GENERIC_READ, FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  auto ini = Open(GetParam(), file.Path());
  EXPECT_EQ(ini->ReadString(u"S", u"k", u"d"), u"d");
  bool raised = false;
  try {
    ini->WriteString(u"S", u"k", u"new");
    ini->UpdateFile();
  } catch (const EIniFileException&) {
    raised = true;
  }
  CloseHandle(lock);
  EXPECT_TRUE(raised);
  EXPECT_EQ(file.ReadBytes(), original);
}

INSTANTIATE_TEST_SUITE_P(IniFiles, IniFileKinds, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "TMemIniFile" : "TIniFile";
                         });

TEST(IniFiles, IniFileWritesAtOnceWhileMemIniFileWaitsForUpdateFile) {
  TempFile file(".ini");
  TIniFile direct(file.Path());
  direct.WriteString(u"S", u"k", u"1");
  TMemIniFile memory(file.Path());
  EXPECT_EQ(memory.ReadString(u"S", u"k", u""), u"1");
  memory.WriteString(u"S", u"k", u"2");
  EXPECT_EQ(direct.ReadString(u"S", u"k", u""), u"1");
  memory.UpdateFile();
  EXPECT_EQ(direct.ReadString(u"S", u"k", u""), u"2");
  // Another writer's change shows at once through the file-backed object only.
  direct.WriteString(u"S", u"k", u"3");
  EXPECT_EQ(memory.ReadString(u"S", u"k", u""), u"2");
}

TEST(IniFiles, IniFileStripsOnePairOfEnclosingQuotesMemIniFileKeepsThem) {
  TempFile file(".ini");
  TIniFile ini(file.Path());
  ini.WriteString(u"S", u"plain", u"abc");
  ini.WriteString(u"S", u"quoted", u"\"abc\"");
  ini.WriteString(u"S", u"twice", u"\"\"abc\"\"");
  ini.WriteString(u"S", u"single", u"'x'");
  EXPECT_EQ(ini.ReadString(u"S", u"plain", u""), u"abc");
  EXPECT_EQ(ini.ReadString(u"S", u"quoted", u""), u"abc");
  EXPECT_EQ(ini.ReadString(u"S", u"twice", u""), u"\"abc\"");
  EXPECT_EQ(ini.ReadString(u"S", u"single", u""), u"x");
  TMemIniFile mem(file.Path());
  EXPECT_EQ(mem.ReadString(u"S", u"quoted", u""), u"\"abc\"");
}

TEST(IniFiles, EncodingOfTheFileIsKeptAndNothingIsLost) {
  TempFile ansi(".ini");
  TIniFile a(ansi.Path());
  a.WriteString(u"S", u"k", u"Ação");
  EXPECT_EQ(ansi.ReadBytes(), "[S]\r\nk=A\xE7\xE3o\r\n");  // stays in the ANSI code page

  a.WriteString(u"S", u"k", u"Łódź");  // beyond Windows-1252: the file turns UTF-8
  EXPECT_EQ(ansi.ReadBytes().substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(a.ReadString(u"S", u"k", u""), u"Łódź");

  // In the code page these two letters are bytes that read as one UTF-8 character.
  TempFile lookalike(".ini");
  TIniFile l(lookalike.Path());
  l.WriteString(u"S", u"k", u"\u00C5\u00AD");
  EXPECT_EQ(l.ReadString(u"S", u"k", u""), u"\u00C5\u00AD");

  TempFile utf8(".ini");
  utf8.WriteBytes("[S]\r\nk=S\xC3\xA3o\r\n");
  TIniFile u(utf8.Path());
  EXPECT_EQ(u.ReadString(u"S", u"k", u""), u"São");
  u.WriteString(u"S", u"j", u"é");
  EXPECT_EQ(utf8.ReadBytes(), "[S]\r\nk=S\xC3\xA3o\r\nj=\xC3\xA9\r\n");
}

TEST(IniFiles, WriteToAnUnwritablePlaceRaises) {
  TIniFile ini(u"C:\\no\\such\\folder\\x.ini");
  EXPECT_EQ(ini.ReadString(u"S", u"k", u"d"), u"d");
  EXPECT_THROW(ini.WriteString(u"S", u"k", u"v"), EIniFileException);
  TMemIniFile mem(u"C:\\no\\such\\folder\\x.ini");
  mem.WriteString(u"S", u"k", u"v");
  EXPECT_THROW(mem.UpdateFile(), EFCreateError);
}

TEST(IniFiles, BareFileNameLivesInTheWindowsFolder) {
  TIniFile ini(u"brq_classes_test.ini");
  EXPECT_NE(ini.Path(), ini.FileName());
  EXPECT_EQ(ini.Path().substr(ini.Path().size() - 21), u"\\brq_classes_test.ini");
}
