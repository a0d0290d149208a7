// Field layouts of data sets in INI files or the registry.
#include "controls/RxDBUtils.h"
#include "controls/RxAppUtils.h"
#include "platform/data/Field.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Forms.h"
#include <vector>

String DataSetSectionName(TDataSet* DataSet) {
  if (!DataSet) return String();
  if (auto* form = dynamic_cast<TCustomForm*>(DataSet->Owner())) return ClassNameOf(form);
  return DataSet->Name();
}

String SectionOrDefault(TDataSet* DataSet, const String& Section) {
  return Section.empty() ? DataSetSectionName(DataSet) : Section;
}

void SaveDataSetFields(TDataSet* DataSet, TObject* IniFile, const String& Section) {
  const String section = SectionOrDefault(DataSet, Section);
  for (int i = 0; i < DataSet->FieldCount(); ++i) {
    TField* field = DataSet->Fields()[i];
    StorageWriteString(IniFile, section, DataSet->Name() + field->FieldName(),
                       Format(u"%d,%d,%d", {field->Index(), field->DisplayWidth(), field->Visible() ? 1 : 0}));
  }
}

void RestoreDataSetFields(TDataSet* DataSet, TObject* IniFile, const String& Section, bool RestoreVisible) {
  const String section = SectionOrDefault(DataSet, Section);
  const int count = DataSet->FieldCount();
  std::vector<std::pair<TField*, int>> order;
  for (int i = 0; i < count; ++i) {
    TField* field = DataSet->Fields()[i];
    const String value = StorageReadString(IniFile, section, DataSet->Name() + field->FieldName(), String());
    int position = field->Index();
    if (!value.empty()) {
      const int stored = StorageWordInt(1, value, position);
      if (stored >= 0 && stored < count) position = stored;
      const int width = StorageWordInt(2, value, field->DisplayWidth());
      if (width > 0 && width <= MaxStoredWidth) field->SetDisplayWidth(width);
      if (RestoreVisible) field->SetVisible(StorageWordInt(3, value, field->Visible() ? 1 : 0) != 0);
    }
    order.emplace_back(field, position);
  }
  for (int target = 0; target < count; ++target)
    for (auto& [field, position] : order)
      if (position == target) {
        field->SetIndex(target);
        break;
      }
}

bool IsDataSetEmpty(TDataSet* DataSet) {
  return !DataSet || !DataSet->Active() || (DataSet->Eof() && DataSet->Bof());
}
