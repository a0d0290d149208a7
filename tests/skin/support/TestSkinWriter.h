#pragma once
// Our own test skin, drawn and written in code: "TestSkin" (a folder, and
// the same files packed as "TestSkin.asz") and "TestSkinB", a second skin
// of the same shape in other colours.
#include "platform/rtl/String.h"
#include <cstdint>
#include <string>
#include <vector>

struct TTestSkinFile {
  std::string Name;
  std::string Bytes;
};

// Options.dat first, then Master.bmp, Glow.png, Exborder.png, Tex.jpg,
// Plain.bmp. Variant 0 is TestSkin, 1 is TestSkinB.
std::vector<TTestSkinFile> TestSkinFiles(int Variant);
std::string TestSkinOptionsText(int Variant);

// A packed skin of the files; the options entry gets OptionsName.
std::string PackSkinFiles(const std::vector<TTestSkinFile>& Files, const std::string& OptionsName = "options.DAT");
// One packed entry: name, size and the zlib stream of the bytes.
std::string PackedEntry(const std::string& Name, const std::string& Bytes);

// Writes both skins, as folders and packed files, into Dir.
void WriteTestSkins(const String& Dir, bool Folders = true, bool Packed = true);
// A folder of this process holding both skins in both forms, written on
// first use; a packed file wins over a folder of the same name.
const String& TestSkinsDir();
// The same skins as folders only.
const String& TestSkinFoldersDir();
// Removes the folder of this process, when it was written.
void RemoveTestSkins();

// Colours the tests check against (colour values, red in the low byte).
struct TTestSkinColors {
  int32_t ButtonFrames[3];
  int32_t EditColor, EditFont, MenuHot, PanelColor;
};
TTestSkinColors TestSkinColorsOf(int Variant);

void WriteFileBytes(const String& FileName, const std::string& Bytes);
std::string ReadFileBytes(const String& FileName);
