#include "platform/data/VariantOps.h"
#include "platform/rtl/NumUtils.h"
#include <cmath>
#include <limits>

namespace {
const char16_t* TypeName(TVarType type) {
  switch (type) {
  case varEmpty: return u"Empty";
  case varNull: return u"Null";
  case varSmallint: return u"Smallint";
  case varInteger: return u"Integer";
  case varInt64: return u"Int64";
  case varDouble: return u"Double";
  case varCurrency: return u"Currency";
  case varDate: return u"Date";
  case varBoolean: return u"Boolean";
  case varString: return u"String";
  case varBytes: return u"Bytes";
  case varArray: return u"Array";
  }
  return u"Unknown";
}

[[noreturn]] void RefuseConversion(const Variant& v, const char16_t* into) {
  throw EVariantError(String(u"Could not convert variant of type (") + TypeName(v.VarType()) +
                      u") into type (" + into + u")");
}

[[noreturn]] void RefuseOperation() { throw EVariantError(u"Invalid variant operation"); }

bool IsWholeKind(const Variant& v) {
  return v.IsOrdinal() || v.VarType() == varBoolean || v.VarType() == varEmpty;
}

double ToFloat(const Variant& v) {
  switch (v.VarType()) {
  case varString: {
    double value;
    if (!TryStrToFloat(v.AsString(), value)) RefuseConversion(v, u"Double");
    return value;
  }
  case varBytes:
  case varArray:
    RefuseConversion(v, u"Double");
  default:
    return v.AsFloat();
  }
}

int64_t ToInt(const Variant& v) {
  switch (v.VarType()) {
  case varString: {
    int64_t value;
    if (TryStrToInt64(v.AsString(), value)) return value;
    return Trunc(ToFloat(v));
  }
  case varDouble:
  case varCurrency:
  case varDate:
    return Trunc(v.AsFloat());
  case varBytes:
  case varArray:
    RefuseConversion(v, u"Int64");
  default:
    return v.AsInt64();
  }
}

Variant FromWhole(int64_t value) {
  if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
    return Variant(static_cast<int>(value));
  return Variant(value);
}

enum class Arith { Add, Sub, Mul };

Variant Arithmetic(const Variant& a, const Variant& b, Arith op) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  if (op == Arith::Add && a.VarType() == varString && b.VarType() == varString)
    return Variant(a.AsString() + b.AsString());
  if (op == Arith::Add && a.VarType() == varString && b.IsEmpty()) return a;
  if (op == Arith::Add && b.VarType() == varString && a.IsEmpty()) return b;
  if (IsWholeKind(a) && IsWholeKind(b)) {
    const int64_t x = ToInt(a), y = ToInt(b);
    int64_t r;
    bool overflow;
    switch (op) {
    case Arith::Add: overflow = __builtin_add_overflow(x, y, &r); break;
    case Arith::Sub: overflow = __builtin_sub_overflow(x, y, &r); break;
    default: overflow = __builtin_mul_overflow(x, y, &r); break;
    }
    if (!overflow) return FromWhole(r);
  }
  const double x = ToFloat(a), y = ToFloat(b);
  const double r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
  const bool dated = op != Arith::Mul && (a.VarType() == varDate || b.VarType() == varDate);
  if (dated) return Variant::Date(r);
  if (a.VarType() == varCurrency || b.VarType() == varCurrency) return Variant::Currency(r);
  return Variant(r);
}

// A Boolean, or a text spelling one, takes part in logic as a Boolean.
bool ReadsAsBoolean(const Variant& v) {
  if (v.VarType() == varBoolean) return true;
  if (v.VarType() != varString) return false;
  const String s = v.AsString();
  return s == u"True" || s == u"true" || s == u"TRUE" || s == u"False" || s == u"false" ||
         s == u"FALSE";
}

int Sign(double x, double y) { return x < y ? -1 : x > y ? 1 : 0; }
}  // namespace

Variant VarAdd(const Variant& a, const Variant& b) { return Arithmetic(a, b, Arith::Add); }
Variant VarSub(const Variant& a, const Variant& b) { return Arithmetic(a, b, Arith::Sub); }
Variant VarMul(const Variant& a, const Variant& b) { return Arithmetic(a, b, Arith::Mul); }

Variant VarDiv(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  const double x = ToFloat(a), y = ToFloat(b);
  if (y == 0) throw EZeroDivide(u"Floating point division by zero");
  return Variant(x / y);
}

Variant VarPower(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  const double r = std::pow(ToFloat(a), ToFloat(b));
  if (std::isnan(r)) throw EInvalidOp(u"Invalid floating point operation");
  if (std::isinf(r)) throw EOverflow(u"Floating point overflow");
  return Variant(r);
}

Variant VarNeg(const Variant& a) {
  switch (a.VarType()) {
  case varNull: return a;
  case varDouble: return Variant(-a.AsFloat());
  case varCurrency: return Variant::Currency(-a.AsFloat());
  case varDate: return Variant::Date(-a.AsFloat());
  case varString: return Variant(-ToFloat(a));
  default:
    if (IsWholeKind(a)) {
      const int64_t x = ToInt(a);
      if (x != std::numeric_limits<int64_t>::min()) return FromWhole(-x);
    }
    return Variant(-ToFloat(a));
  }
}

Variant VarNot(const Variant& a) {
  if (a.IsNull()) return a;
  if (ReadsAsBoolean(a)) return Variant(!a.AsBoolean());
  return FromWhole(~ToInt(a));
}

Variant VarAnd(const Variant& a, const Variant& b) {
  if (ReadsAsBoolean(a) && ReadsAsBoolean(b)) return Variant(a.AsBoolean() && b.AsBoolean());
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  return FromWhole(ToInt(a) & ToInt(b));
}

Variant VarOr(const Variant& a, const Variant& b) {
  if (ReadsAsBoolean(a) && ReadsAsBoolean(b)) return Variant(a.AsBoolean() || b.AsBoolean());
  if (a.IsNull() || b.IsNull()) return Variant::Null();
  return FromWhole(ToInt(a) | ToInt(b));
}

int VarCompare(const Variant& a, const Variant& b) {
  if (a.IsClear() || b.IsClear()) return (a.IsClear() ? 0 : 1) - (b.IsClear() ? 0 : 1);
  if (a.IsArray() || b.IsArray()) RefuseOperation();
  const bool aText = a.VarType() == varString || a.VarType() == varBytes;
  const bool bText = b.VarType() == varString || b.VarType() == varBytes;
  if (aText && bText) {
    const int c = a.AsString().compare(b.AsString());
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  if (IsWholeKind(a) && IsWholeKind(b)) {
    const int64_t x = ToInt(a), y = ToInt(b);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return Sign(ToFloat(a), ToFloat(b));
}
