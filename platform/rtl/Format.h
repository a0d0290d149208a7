#pragma once
// Format(fmt, {args}) with the platform's directives:
//   "%" [index ":"] ["-"] [width] ["." precision] type
// types d (decimal), u (unsigned), x (hex), e, f, g, n (thousands), m
// (currency), s (text), p (pointer) and "%%". Width or precision "*" takes
// the next argument. Decimal and thousands separators come from the
// settings: Format(u"%.2f", {1.5}) == "1,50". A directive that does not
// match its argument raises EConvertError.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/String.h"
#include <cstdint>
#include <initializer_list>

class TVarRec {
public:
  enum class Kind { Integer, Unsigned, Float, Text, Pointer };
  TVarRec(int v) : FKind(Kind::Integer), FInt(v) {}
  TVarRec(long v) : FKind(Kind::Integer), FInt(v) {}
  TVarRec(long long v) : FKind(Kind::Integer), FInt(v) {}
  TVarRec(unsigned v) : FKind(Kind::Unsigned), FInt(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long v) : FKind(Kind::Unsigned), FInt(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long long v) : FKind(Kind::Unsigned), FInt(static_cast<int64_t>(v)) {}
  TVarRec(double v) : FKind(Kind::Float), FFloat(v) {}
  TVarRec(float v) : FKind(Kind::Float), FFloat(v) {}
  TVarRec(char16_t c) : FKind(Kind::Text), FText(1, c) {}
  TVarRec(const char16_t* s) : FKind(Kind::Text), FText(s ? s : u"") {}
  TVarRec(StringView s) : FKind(Kind::Text), FText(s) {}
  TVarRec(const String& s) : FKind(Kind::Text), FText(s) {}
  TVarRec(const void* p) : FKind(Kind::Pointer), FInt(reinterpret_cast<intptr_t>(p)) {}

  Kind VType() const { return FKind; }
  int64_t AsInt64() const { return FInt; }
  double AsFloat() const { return FFloat; }
  const String& AsString() const { return FText; }

private:
  Kind FKind;
  int64_t FInt = 0;
  double FFloat = 0;
  String FText;
};

String Format(StringView format, std::initializer_list<TVarRec> args);
String Format(StringView format, std::initializer_list<TVarRec> args,
              const TFormatSettings& settings);
