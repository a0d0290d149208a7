#include "platform/classes/PublishedProperties.h"
#include "platform/rtl/StrUtils.h"
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <unordered_map>

namespace {
std::unordered_map<std::type_index, const TPropertyTable*>& Tables() {
  static std::unordered_map<std::type_index, const TPropertyTable*> tables;
  return tables;
}

const TPublishedProperty* FindProperty(const TPersistent& object, StringView name) {
  const TPropertyTable* table = PropertyTableOf(object);
  return table ? table->Find(name) : nullptr;
}
}  // namespace

const TPublishedProperty* TPropertyTable::Find(StringView name) const {
  for (const TPropertyTable* table = this; table; table = table->Parent)
    for (const TPublishedProperty& property : table->Properties)
      if (SameText(property.Name, name)) return &property;
  return nullptr;
}

void RegisterPropertyTable(std::type_index type, const TPropertyTable* table) {
  Tables()[type] = table;
}

const TPropertyTable* PropertyTableOf(const TPersistent& object) {
  const auto found = Tables().find(std::type_index(typeid(object)));
  return found == Tables().end() ? nullptr : found->second;
}

String ClassNameOf(const TPersistent& object) {
  if (const TPropertyTable* table = PropertyTableOf(object)) return table->ClassName;
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(typeid(object).name(), nullptr, nullptr, &status), std::free);
  return AsciiToString(status == 0 && name ? name.get() : typeid(object).name());
}

Variant ReadPublishedProperty(const TPersistent& object, StringView name) {
  const TPublishedProperty* property = FindProperty(object, name);
  if (!property || property->Kind == TPropertyKind::Class || !property->Get) return Variant();
  Variant value = property->Get(object);
  if (property->Kind == TPropertyKind::Int64) return Variant(value.AsFloat());
  return value;
}

bool WritePublishedProperty(TPersistent& object, StringView name, const Variant& value) {
  const TPublishedProperty* property = FindProperty(object, name);
  if (!property || !property->Set) return false;
  switch (property->Kind) {
  case TPropertyKind::Class:
  case TPropertyKind::Method: return false;
  case TPropertyKind::Integer:
  case TPropertyKind::Char: property->Set(object, Variant(value.AsInteger())); break;
  case TPropertyKind::Int64: property->Set(object, Variant(value.AsInt64())); break;
  case TPropertyKind::Float: property->Set(object, Variant(value.AsFloat())); break;
  case TPropertyKind::Enumeration:
  case TPropertyKind::String:
  case TPropertyKind::Set: property->Set(object, Variant(value.AsString())); break;
  case TPropertyKind::Variant: property->Set(object, value); break;
  }
  return true;
}

TPersistent* PublishedObject(const TPersistent& object, StringView name) {
  const TPublishedProperty* property = FindProperty(object, name);
  if (!property || property->Kind != TPropertyKind::Class || !property->GetObject) return nullptr;
  return property->GetObject(object);
}
