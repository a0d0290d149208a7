#pragma once
// Data-set field layouts stored in an INI file or the registry: each
// field's position, display width and visibility under one section.
#include "platform/data/DataSet.h"
#include "platform/rtl/String.h"

// The class name of the data set's owner form, else the data set's name.
String DataSetSectionName(TDataSet* DataSet);
String SectionOrDefault(TDataSet* DataSet, const String& Section);
void SaveDataSetFields(TDataSet* DataSet, TObject* IniFile, const String& Section);
void RestoreDataSetFields(TDataSet* DataSet, TObject* IniFile, const String& Section, bool RestoreVisible);
// Closed, or at both its end and its beginning.
bool IsDataSetEmpty(TDataSet* DataSet);

// Stored positions and sizes that no layout can have are ignored: a
// position below 0 or beyond the count, a width below 0 or above this.
constexpr int MaxStoredWidth = 10000;
