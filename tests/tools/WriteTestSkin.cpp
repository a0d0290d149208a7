// Writes the generated test skins (TestSkin and TestSkinB, as folders and
// packed files) into the folder given, to look at them:
//   write_test_skin.exe Z:\tmp\skins
#include "skin/support/TestSkinWriter.h"
#include "platform/rtl/FileUtils.h"
#include <cstdio>

int main() {
  if (ParamCount() < 1) {
    std::fprintf(stderr, "usage: write_test_skin.exe <folder>\n");
    return 2;
  }
  WriteTestSkins(ParamStr(1));
  std::printf("%s\n", StringToUtf8(ParamStr(1)).c_str());
  return 0;
}
