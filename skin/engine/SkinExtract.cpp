// Writing a stored skin out as a packed file.
#include "skin/engine/SkinManager.h"
#include "skin/graphics/LibUtils.h"
#include "skin/graphics/MsgBoxes.h"
#include "platform/rtl/FileUtils.h"

namespace {
// A stored skin's name becomes a file name: it must stay inside the folder.
bool SafeFileName(const String& Name) {
  return !Name.empty() && Name.find_first_of(u"\\/:") == String::npos && Name.find(u"..") == String::npos;
}

// The new file is complete before it replaces the old one.
bool WriteReplacing(const String& FileName, TMemoryStream& Data) {
  try {
    Data.SaveToFile(FileName);
    return true;
  } catch (const Exception&) {
    return false;
  }
}
}  // namespace

void TsSkinManager::ExtractByIndex(int Index, const String& DestDir) {
  TsStoredSkin& item = *FBuiltInSkins->Items(Index);
  const String dir = AddPathDelimiter(DestDir);
  if (!DirectoryExists(dir) && !ForceDirectories(dir)) {
    ErrorBox(dir + u" directory creation error.");
    return;
  }
  if (!SafeFileName(item.Name())) {
    ErrorBox(u"The skin name \"" + item.Name() + u"\" cannot be used as a file name.");
    return;
  }
  const String target = dir + item.Name() + u" extracted.asz";
  if (!WriteReplacing(target, item.PackedData())) ErrorBox(u"Cannot write the file " + target + u".");
}

void TsSkinManager::ExtractInternalSkin(const String& NameOfSkin, const String& DestDir) {
  bool found = false;
  for (int i = 0; i < FBuiltInSkins->Count(); ++i) {
    if (FBuiltInSkins->Items(i)->Name() != NameOfSkin) continue;
    found = true;
    if (DirectoryExists(DestDir))
      ExtractByIndex(i, DestDir);
    else
      ErrorBox(u"Directory does not exists.");
  }
  if (!found) ErrorBox(u"Skin does not exists.");
}
