#include <windows.h>

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

TEST(FileUtils, NameParts) {
  const String name = u"C:\\dados\\sub.d\\Recibo.rpf";
  EXPECT_EQ(ExtractFilePath(name), u"C:\\dados\\sub.d\\");
  EXPECT_EQ(ExtractFileDir(name), u"C:\\dados\\sub.d");
  EXPECT_EQ(ExtractFileName(name), u"Recibo.rpf");
  EXPECT_EQ(ExtractFileExt(name), u".rpf");
  EXPECT_EQ(ExtractFileDrive(name), u"C:");
  EXPECT_EQ(ChangeFileExt(name, u".ini"), u"C:\\dados\\sub.d\\Recibo.ini");
  EXPECT_EQ(ChangeFileExt(u"C:\\a.b\\semext", u".ini"), u"C:\\a.b\\semext.ini");
  EXPECT_EQ(ExtractFileExt(u"C:\\a.b\\semext"), u"");
  EXPECT_EQ(ExtractFileDir(u"C:\\a.txt"), u"C:\\");
  EXPECT_EQ(ExtractFilePath(u"a.txt"), u"");
  EXPECT_EQ(ExtractFileName(u"/tmp/x.bmp"), u"x.bmp");
  EXPECT_EQ(ExtractFileDrive(u"\\\\server\\share\\a.txt"), u"\\\\server\\share");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\x"), u"C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\x\\"), u"C:\\x\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u""), u"\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"C:\\x\\"), u"C:\\x");
}

TEST(FileUtils, FileSystemThroughWin32) {
  const String temp = GetTempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), u'\\');
  EXPECT_TRUE(DirectoryExists(temp));

  const String root = temp + u"rtl_files_" + String(u"\u00E7\u00E3o");
  const String deep = root + u"\\a\\b";
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_FALSE(FileExists(deep));

  const String file = deep + u"\\dados.txt";
  HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(file.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, "12345", 5, &written, nullptr);
  CloseHandle(h);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(FileSizeOf(file), 5);

  const String moved = deep + u"\\movido.txt";
  EXPECT_TRUE(RenameFile(file, moved));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(DeleteFile(moved));
  EXPECT_FALSE(DeleteFile(moved));
  EXPECT_EQ(FileSizeOf(moved), -1);

  const String before = GetCurrentDir();
  EXPECT_TRUE(SetCurrentDir(deep));
  EXPECT_TRUE(SameText(ExcludeTrailingPathDelimiter(GetCurrentDir()), deep));
  EXPECT_TRUE(SameText(ExpandFileName(u"x.txt"), deep + u"\\x.txt"));
  EXPECT_TRUE(SetCurrentDir(before));

  EXPECT_TRUE(RemoveDir(deep));
  EXPECT_TRUE(RemoveDir(root + u"\\a"));
  EXPECT_TRUE(RemoveDir(root));
  EXPECT_FALSE(DirectoryExists(root));
  EXPECT_FALSE(FileExists(u""));
}

TEST(FileUtils, ParamStrZeroIsTheExecutable) {
  EXPECT_TRUE(SameText(ExtractFileName(ParamStr(0)), u"platform_tests.exe")) << StringToUtf8(ParamStr(0));
  EXPECT_EQ(ParamStr(ParamCount() + 1), u"");
}
