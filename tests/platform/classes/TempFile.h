#pragma once
// A file name in the Windows temporary folder, unique to the test that asks
// (tests run as parallel processes), removed before and after use.
#include "platform/rtl/String.h"
#include <gtest/gtest.h>
#include <windows.h>

class TempFile {
public:
  explicit TempFile(const char* suffix = ".tmp") {
    WCHAR folder[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, folder);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FPath = String(reinterpret_cast<const char16_t*>(folder), n) + u"brq_" +
            AsciiToString(info->test_suite_name()) + u"_" + AsciiToString(info->name()) +
            AsciiToString(std::to_string(++Counter())) + AsciiToString(suffix);
    for (char16_t& c : FPath)
      if (c == u'/') c = u'_';  // parameterised test names hold slashes
    Remove();
  }
  ~TempFile() { Remove(); }
  const String& Path() const { return FPath; }
  void Remove() const { DeleteFileW(reinterpret_cast<LPCWSTR>(FPath.c_str())); }

  std::string ReadBytes() const {
    std::string bytes;
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(FPath.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
  }

  void WriteBytes(const std::string& bytes) const {
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(FPath.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    DWORD put = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
  }

private:
  static int& Counter() {
    static int counter = 0;
    return counter;
  }
  String FPath;
};
