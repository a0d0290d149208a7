#pragma once
// The small variant that field values travel in: empty, null, integers,
// floats, dates, Booleans, text and raw bytes. Conversions follow the
// platform's rules: null reads as 0, false or the empty text.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"
#include <cstdint>
#include <memory>
#include <vector>

// A variant operation or conversion the variant rules refuse.
class EVariantError : public Exception { using Exception::Exception; };

enum TVarType : uint8_t {
  varEmpty,
  varNull,
  varSmallint,
  varInteger,
  varInt64,
  varDouble,
  varCurrency,
  varDate,
  varBoolean,
  varString,
  varBytes,  // raw bytes of a large object
  varArray,  // a list of variants, indexed from 0
};

class Variant {
public:
  Variant() = default;
  Variant(int value) : FType(varInteger) { FInt = value; }
  Variant(int64_t value) : FType(varInt64) { FInt = value; }
  Variant(double value) : FType(varDouble) { FDouble = value; }
  Variant(bool value) : FType(varBoolean) { FInt = value ? 1 : 0; }
  Variant(String value) : FType(varString), FString(std::move(value)) {}
  Variant(const char16_t* value) : FType(varString), FString(value) {}

  static Variant Null() { Variant v; v.FType = varNull; return v; }
  static Variant Smallint(int value) { Variant v(value); v.FType = varSmallint; return v; }
  static Variant Currency(double value) { Variant v(value); v.FType = varCurrency; return v; }
  static Variant Date(double value) { Variant v(value); v.FType = varDate; return v; }
  static Variant Bytes(std::string bytes);
  static Variant Array(std::vector<Variant> items);

  TVarType VarType() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  // Null or empty: no value at all.
  bool IsClear() const { return FType <= varNull; }
  bool IsNumeric() const { return FType >= varSmallint && FType <= varCurrency; }
  bool IsOrdinal() const { return FType >= varSmallint && FType <= varInt64; }
  bool IsArray() const { return FType == varArray; }

  // Raise EVariantError for a value that is no array or an index outside it.
  int ArrayHighBound() const;
  const Variant& ArrayItem(int index) const;

  // Raise EConvertError for text that is no number or date.
  String AsString() const;
  int64_t AsInt64() const;
  int AsInteger() const { return static_cast<int>(AsInt64()); }
  double AsFloat() const;
  double AsDateTime() const { return AsFloat(); }
  bool AsBoolean() const;
  // The bytes of a large object; text gives its UTF-8 form.
  std::string AsBytes() const;

  // Equal types and values; numbers compare by value across their types.
  bool operator==(const Variant& other) const;
  bool operator!=(const Variant& other) const { return !(*this == other); }
  // Ordering for sorting and filters: null first, numbers and dates by
  // value, text by character codes (case-sensitive).
  static int Compare(const Variant& a, const Variant& b);

private:
  TVarType FType = varEmpty;
  union {
    int64_t FInt = 0;
    double FDouble;
  };
  String FString;
  std::shared_ptr<const std::string> FBytes;
  std::shared_ptr<const std::vector<Variant>> FItems;
};
