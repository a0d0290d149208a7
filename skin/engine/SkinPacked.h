#pragma once
// Packed skins: one file ("ASzf", an entry count, then named entries each
// holding one zlib stream) with the options text and every image.
#include "platform/classes/Streams.h"
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class TsSkinManager;

struct TacImageItem {
  String FileName;
  bool IsBitmap = false;
  std::unique_ptr<TMemoryStream> FileStream;
};
using TacImageItems = std::vector<TacImageItem>;

// The unpacked content of one packed skin.
class TacSkinConvertor : public TPersistent {
public:
  ~TacSkinConvertor() override { Clear(); }
  void Clear();

  std::unique_ptr<TMemoryStream> Options;  // nil when there was none
  // The container being read: OwnedData, or a stored skin's stream lent
  // for the read.
  TMemoryStream* PackedData = nullptr;
  std::unique_ptr<TMemoryStream> OwnedData;
  // The image entries read.
  int ImageCount = 0;
  TacImageItems Files;
  // The first entry of that name in any letter case; nil when there is none.
  TacImageItem* FindFile(const String& Name);
  // Files are emptied here, so that FindFile forgets them too.
  void ClearFiles();

private:
  std::unordered_map<String, size_t> FFileIndex;  // upper-case names
  size_t FIndexed = 0;  // entries of Files in FFileIndex
};

// Limits that a container's fields are checked against before anything is
// allocated for them.
constexpr uint32_t MaxPackedNameLength = 4096;
constexpr uint32_t MaxPackedEntrySize = 256u << 20;

// The unsigned little-endian value of Count (1..4) bytes at Offset; 0 for
// bytes past the end.
uint32_t ReadLittleEndian(const uint8_t* Data, size_t Size, size_t Offset, int Count);
// False, with a message box, when the data is not a packed skin. Damaged
// entries raise; nothing is allocated past the bytes the container has.
bool ReadPackedSkin(TacSkinConvertor& Convertor, TsSkinManager* Manager);
// Nothing when the file does not exist.
void LoadPackedSkinFile(const String& FileName, std::unique_ptr<TacSkinConvertor>& Convertor,
                        TsSkinManager* Manager);

// The package of the skin being loaded; nil for a folder skin and between
// loads.
extern std::unique_ptr<TacSkinConvertor> SkinPackage;
