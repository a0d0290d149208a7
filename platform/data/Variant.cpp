#include "platform/data/Variant.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"
#include <cmath>

Variant Variant::Bytes(std::string bytes) {
  Variant v;
  v.FType = varBytes;
  v.FBytes = std::make_shared<const std::string>(std::move(bytes));
  return v;
}

Variant Variant::Array(std::vector<Variant> items) {
  Variant v;
  v.FType = varArray;
  v.FItems = std::make_shared<const std::vector<Variant>>(std::move(items));
  return v;
}

int Variant::ArrayHighBound() const {
  if (FType != varArray) throw EVariantError(u"Variant is not an array");
  return static_cast<int>(FItems->size()) - 1;
}

const Variant& Variant::ArrayItem(int index) const {
  if (index < 0 || index > ArrayHighBound())
    throw EVariantError(u"Variant or safe array index out of bounds");
  return (*FItems)[static_cast<size_t>(index)];
}

String Variant::AsString() const {
  switch (FType) {
  case varEmpty:
  case varNull:
    return String();
  case varSmallint:
  case varInteger:
  case varInt64:
    return IntToStr(FInt);
  case varDouble:
  case varCurrency:
    return FloatToStr(FDouble);
  case varDate:
    return FDouble == std::floor(FDouble) ? DateToStr(FDouble) : DateTimeToStr(FDouble);
  case varBoolean:
    return FInt ? u"True" : u"False";
  case varString:
    return FString;
  case varBytes:
    return AnsiToString(*FBytes);
  case varArray:
    throw EVariantError(u"Invalid variant type conversion");
  }
  return String();
}

int64_t Variant::AsInt64() const {
  switch (FType) {
  case varSmallint:
  case varInteger:
  case varInt64:
  case varBoolean:
    return FInt;
  case varDouble:
  case varCurrency:
  case varDate:
    return Round(FDouble);
  case varString:
    if (FString.empty()) return 0;
    {
      int64_t value;
      if (TryStrToInt64(FString, value)) return value;
      return Round(StrToFloat(FString));
    }
  default:
    return 0;
  }
}

double Variant::AsFloat() const {
  switch (FType) {
  case varSmallint:
  case varInteger:
  case varInt64:
  case varBoolean:
    return static_cast<double>(FInt);
  case varDouble:
  case varCurrency:
  case varDate:
    return FDouble;
  case varString:
    return FString.empty() ? 0.0 : StrToFloat(FString);
  default:
    return 0.0;
  }
}

bool Variant::AsBoolean() const {
  switch (FType) {
  case varString:
    if (FString == u"True" || FString == u"true" || FString == u"TRUE") return true;
    if (FString.empty() || FString == u"False" || FString == u"false" || FString == u"FALSE")
      return false;
    return AsFloat() != 0;
  case varBytes:
    return !FBytes->empty();
  default:
    return AsFloat() != 0;
  }
}

std::string Variant::AsBytes() const {
  if (FType == varBytes) return *FBytes;
  if (FType == varString) return StringToUtf8(FString);
  if (IsClear()) return std::string();
  return StringToUtf8(AsString());
}

bool Variant::operator==(const Variant& other) const {
  if (IsClear() || other.IsClear()) return FType == other.FType;
  return Compare(*this, other) == 0;
}

int Variant::Compare(const Variant& a, const Variant& b) {
  if (a.IsClear() || b.IsClear()) return (a.IsClear() ? 0 : 1) - (b.IsClear() ? 0 : 1);
  const bool aNum = a.IsNumeric() || a.FType == varDate || a.FType == varBoolean;
  const bool bNum = b.IsNumeric() || b.FType == varDate || b.FType == varBoolean;
  if (aNum && bNum) {
    if ((a.IsOrdinal() || a.FType == varBoolean) && (b.IsOrdinal() || b.FType == varBoolean))
      return a.FInt < b.FInt ? -1 : a.FInt > b.FInt ? 1 : 0;
    const double x = a.AsFloat(), y = b.AsFloat();
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (aNum != bNum) {
    // A number against a text: compare as numbers when the text is one.
    double x, y;
    if (aNum && TryStrToFloat(b.AsString(), y)) {
      x = a.AsFloat();
      return x < y ? -1 : x > y ? 1 : 0;
    }
    if (bNum && TryStrToFloat(a.AsString(), x)) {
      y = b.AsFloat();
      return x < y ? -1 : x > y ? 1 : 0;
    }
  }
  if (a.FType == varBytes && b.FType == varBytes) {
    const int c = a.FBytes->compare(*b.FBytes);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  // Two texts, the common case of a filter, compare without copies.
  const int c = a.FType == varString && b.FType == varString ? a.FString.compare(b.FString)
                                                               : a.AsString().compare(b.AsString());
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}
