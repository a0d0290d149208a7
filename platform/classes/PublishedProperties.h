#pragma once
// By-name access to the published properties of a class: each class that
// publishes properties registers one table (name, kind, getter, setter),
// chained to its parent class's table.
#include "platform/classes/Component.h"
#include "platform/data/Variant.h"
#include <functional>
#include <typeindex>
#include <vector>

enum class TPropertyKind { Integer, Char, Enumeration, Float, String, Set, Variant, Int64, Method, Class };

struct TPublishedProperty {
  String Name;
  TPropertyKind Kind;
  // Integers and characters as integers, enumerations by name, sets and
  // events as text; empty for Class properties.
  std::function<Variant(const TPersistent&)> Get;
  // Takes the value already converted to the property's kind; empty when
  // the property cannot be set.
  std::function<void(TPersistent&, const Variant&)> Set;
  // The object a Class property holds.
  std::function<TPersistent*(const TPersistent&)> GetObject;
};

struct TPropertyTable {
  String ClassName;
  const TPropertyTable* Parent = nullptr;
  std::vector<TPublishedProperty> Properties;
  // Case-insensitive, searching the parent tables too.
  const TPublishedProperty* Find(StringView name) const;
};

// The table lives as long as the program; one per exact class.
void RegisterPropertyTable(std::type_index type, const TPropertyTable* table);
const TPropertyTable* PropertyTableOf(const TPersistent& object);

String ClassNameOf(const TPersistent& object);
// Unassigned when the object publishes no such property, or it is a Class
// property; 64-bit integers read as doubles.
Variant ReadPublishedProperty(const TPersistent& object, StringView name);
// Converts the value to the property's kind and sets it; false when there
// is no such settable property.
bool WritePublishedProperty(TPersistent& object, StringView name, const Variant& value);
// The object held by a Class property of that name, or none.
TPersistent* PublishedObject(const TPersistent& object, StringView name);
