#include "skin/engine/SkinPacked.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/MsgBoxes.h"
#include "skin/graphics/ZLibStream.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include <zlib.h>
#include <cstring>

std::unique_ptr<TacSkinConvertor> SkinPackage;

namespace {
const String DamagedPackage = u"Packed skin data is damaged";

// The smallest entry: two lengths and the shortest zlib stream.
constexpr size_t MinEntrySize = 4 + 4 + 8;
// Deflate never shrinks data by more than about 1032 to 1.
constexpr uint64_t MaxInflateRatio = 1032;

String AnsiName(const uint8_t* Bytes, size_t Length) {
  String name;
  name.reserve(Length);
  // Windows-1252 agrees with Latin-1 except in 0x80..0x9F, which names of
  // skin files do not use.
  for (size_t i = 0; i < Length; ++i) name.push_back(static_cast<char16_t>(Bytes[i]));
  return name;
}

// Inflates one entry that must end its zlib stream with exactly Size bytes;
// returns the compressed length.
size_t InflateEntry(const uint8_t* In, size_t Avail, uint32_t Size, TMemoryStream& Out) {
  Out.SetSize(Size);
  z_stream z{};
  z.next_in = const_cast<Bytef*>(In);
  z.avail_in = static_cast<uInt>(std::min<size_t>(Avail, UINT32_MAX));
  CheckInflateResult(inflateInit_(&z, ZLIB_VERSION, sizeof(z_stream)));
  uint8_t spare = 0;
  z.next_out = Size ? static_cast<Bytef*>(Out.Memory()) : &spare;
  z.avail_out = Size ? Size : 1;
  int code = inflate(&z, Z_FINISH);
  const bool exact = code == Z_STREAM_END && z.total_out == Size;
  const size_t used = z.total_in;
  inflateEnd(&z);
  if (code != Z_STREAM_END) {
    // A stream cut short or followed by too much data.
    throw EZDecompressionError(code == Z_OK || code == Z_BUF_ERROR ? Z_DATA_ERROR : code, String());
  }
  if (!exact) throw EZDecompressionError(Z_DATA_ERROR, String());
  Out.SetPosition(0);
  return used;
}

// Standard dialogs are shown unskinned and with the system's own colours.
void ShowNotPacked(TsSkinManager* Manager) {
  const String text = u"Loaded data is not a packed Tressane file";
  if (!Manager) {
    acMessageDlg(text, mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  const TacSkinningRules rules = Manager->SkinningRules();
  const bool sysColors = Manager->Options().ChangeSysColors();
  Manager->SetSkinningRules(rules & ~(1u << srStdDialogs));
  Manager->Options().SetOptionFlag(4, false);
  acMessageDlg(text, mtError, TMsgDlgButtons{mbOK}, 0);
  Manager->SetSkinningRules(rules);
  Manager->Options().SetOptionFlag(4, sysColors);
}
}  // namespace

void TacSkinConvertor::Clear() {
  ClearFiles();
  Options.reset();
  OwnedData.reset();
  PackedData = nullptr;
  ImageCount = 0;
}

void TacSkinConvertor::ClearFiles() {
  while (!Files.empty()) Files.pop_back();
  FFileIndex.clear();
  FIndexed = 0;
}

TacImageItem* TacSkinConvertor::FindFile(const String& Name) {
  // Indexed as the entries come, so that a skin of many images does not
  // compare every name with every entry.
  if (FIndexed > Files.size()) {
    FFileIndex.clear();
    FIndexed = 0;
  }
  for (; FIndexed < Files.size(); ++FIndexed) FFileIndex.emplace(UpperCase(Files[FIndexed].FileName), FIndexed);
  const auto found = FFileIndex.find(UpperCase(Name));
  return found == FFileIndex.end() ? nullptr : &Files[found->second];
}

uint32_t ReadLittleEndian(const uint8_t* Data, size_t Size, size_t Offset, int Count) {
  uint32_t value = 0;
  for (int i = Count - 1; i >= 0; --i) {
    const size_t at = Offset + static_cast<size_t>(i);
    value = value << 8 | (at < Size ? Data[at] : 0u);
  }
  return value;
}

bool ReadPackedSkin(TacSkinConvertor& Convertor, TsSkinManager* Manager) {
  TMemoryStream* data = Convertor.PackedData;
  const size_t size = data ? static_cast<size_t>(data->Size()) : 0;
  const auto* bytes = data ? static_cast<const uint8_t*>(data->Memory()) : nullptr;
  if (size < 8 || std::memcmp(bytes, "ASzf", 4) != 0) {
    ShowNotPacked(Manager);
    return false;
  }
  const uint32_t count = ReadLittleEndian(bytes, size, 4, 4);
  if (count > (size - 8) / MinEntrySize) throw Exception(DamagedPackage);
  size_t pos = 8;
  const auto need = [&](uint64_t n) {
    if (n > size - pos) throw Exception(DamagedPackage);
  };
  Convertor.ClearFiles();
  Convertor.Files.reserve(count);
  Convertor.ImageCount = 0;
  for (uint32_t i = 0; i < count; ++i) {
    need(4);
    const uint32_t nameLength = ReadLittleEndian(bytes, size, pos, 4);
    pos += 4;
    if (nameLength > MaxPackedNameLength) throw Exception(DamagedPackage);
    need(nameLength);
    const String name = AnsiName(bytes + pos, nameLength);
    pos += nameLength;
    need(4);
    const uint32_t entrySize = ReadLittleEndian(bytes, size, pos, 4);
    pos += 4;
    if (entrySize > MaxPackedEntrySize || entrySize > (size - pos) * MaxInflateRatio + 64)
      throw Exception(DamagedPackage);
    auto stream = std::make_unique<TMemoryStream>();
    pos += InflateEntry(bytes + pos, size - pos, entrySize, *stream);
    if (UpperCase(name) == u"OPTIONS.DAT") {
      Convertor.Options = std::move(stream);
    } else {
      TacImageItem item;
      item.FileName = name;
      item.IsBitmap = UpperCase(ExtractFileExt(name)) == u".BMP";
      item.FileStream = std::move(stream);
      Convertor.Files.push_back(std::move(item));
    }
  }
  Convertor.ImageCount = static_cast<int>(Convertor.Files.size());
  data->SetPosition(static_cast<int64_t>(pos));
  return true;
}

void LoadPackedSkinFile(const String& FileName, std::unique_ptr<TacSkinConvertor>& Convertor,
                        TsSkinManager* Manager) {
  if (!FileExists(FileName)) return;
  if (!Convertor)
    Convertor = std::make_unique<TacSkinConvertor>();
  else
    Convertor->Clear();
  Convertor->OwnedData = std::make_unique<TMemoryStream>();
  Convertor->OwnedData->LoadFromFile(FileName);
  Convertor->PackedData = Convertor->OwnedData.get();
  ReadPackedSkin(*Convertor, Manager);
  Convertor->PackedData = nullptr;
  Convertor->OwnedData.reset();
}
