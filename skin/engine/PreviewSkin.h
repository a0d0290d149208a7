#pragma once
// The skin editor's preview: a block naming a skin, its folder and its
// options text, which the default manager loads in place of the file's.
#include "platform/classes/Strings.h"
#include <cstdint>
#include <memory>

constexpr uint32_t PreviewMagic = 0xA400;

#pragma pack(push, 1)
// 8-bit texts in the system code page, each zero-terminated within its field.
struct TacSkinData {
  uint32_t Magic = 0;
  char SkinName[128] = {};
  char SkinDir[512] = {};
  char Data[30001] = {};
};
#pragma pack(pop)
static_assert(sizeof(TacSkinData) == 30645, "the preview block has a fixed layout");

// Set by the first preview; stays set for the rest of the process. While
// set, a skin name that names an existing folder is never a packed file.
extern bool PreviewMode;
// While assigned, the folder loader reads the options from these lines.
extern std::unique_ptr<TStringList> PreviewOptions;

// A text field of the block, read up to its terminator or its end.
String PreviewText(const char* Field, size_t FieldSize);
