#include "platform/data/CellValue.h"
#include "platform/rtl/DateUtils.h"
#include <charconv>
#include <cmath>
#include <cstring>

namespace {
int64_t ParseInt(const char* p, size_t len) {
  int64_t v = 0;
  std::from_chars(p, p + len, v);
  return v;
}

double ParseDouble(const char* p, size_t len) {
  double v = 0;
  std::from_chars(p, p + len, v);
  return v;
}

int Digits(const char* p, size_t n) {
  int v = 0;
  for (size_t i = 0; i < n; ++i) v = v * 10 + (p[i] - '0');
  return v;
}

// "YYYY-MM-DD"; false for the zero date.
bool ParseDate(const char* p, size_t len, double& value) {
  if (len < 10) return false;
  const int y = Digits(p, 4), m = Digits(p + 5, 2), d = Digits(p + 8, 2);
  return TryEncodeDate(y, m, d, value);
}

// "[-]HHH:MM:SS[.ffffff]" as a fraction of a day.
double ParseTime(const char* p, size_t len) {
  bool negative = len > 0 && *p == '-';
  if (negative) ++p, --len;
  const char* colon = static_cast<const char*>(memchr(p, ':', len));
  if (!colon) return 0;
  const int h = Digits(p, static_cast<size_t>(colon - p));
  const size_t rest = len - static_cast<size_t>(colon - p) - 1;
  if (rest < 5) return 0;
  const int m = Digits(colon + 1, 2), s = Digits(colon + 4, 2);
  double secs = h * 3600.0 + m * 60.0 + s;
  if (rest > 6 && colon[6] == '.') secs += ParseDouble(colon + 6, rest - 5);
  return (negative ? -secs : secs) / SecsPerDay;
}


void AppendTwo(std::string& s, int v) {
  s += static_cast<char>('0' + v / 10 % 10);
  s += static_cast<char>('0' + v % 10);
}

std::string DateText(double value) {
  int y, m, d;
  DecodeDate(value, y, m, d);
  std::string s = std::to_string(y);
  while (s.size() < 4) s.insert(s.begin(), '0');
  s += '-';
  AppendTwo(s, m);
  s += '-';
  AppendTwo(s, d);
  return s;
}

std::string TimeText(double value) {
  int h, n, sec, ms;
  DecodeTime(value, h, n, sec, ms);
  std::string s;
  AppendTwo(s, h);
  s += ':';
  AppendTwo(s, n);
  s += ':';
  AppendTwo(s, sec);
  return s;
}
}  // namespace

Variant CellValue(const TMySqlResult& result, size_t row, size_t column) {
  size_t len;
  const char* p = result.Cell(row, column, len);
  if (!p) return Variant::Null();
  const TMySqlColumn& col = result.Column(column);
  switch (col.Type) {
  case TMySqlType::Integer:
    return col.SmallInt ? Variant::Smallint(static_cast<int>(ParseInt(p, len)))
                        : Variant(static_cast<int>(ParseInt(p, len)));
  case TMySqlType::BigInt:
    return Variant(ParseInt(p, len));
  case TMySqlType::Float:
  case TMySqlType::Decimal:
    return Variant(ParseDouble(p, len));
  case TMySqlType::Date: {
    double d;
    return ParseDate(p, len, d) ? Variant::Date(d) : Variant::Null();
  }
  case TMySqlType::Time:
    return Variant::Date(ParseTime(p, len));
  case TMySqlType::DateTime: {
    double d;
    if (!ParseDate(p, len, d)) return Variant::Null();
    if (len > 11) d += ParseTime(p + 11, len - 11);
    return Variant::Date(d);
  }
  case TMySqlType::Blob:
    return Variant::Bytes(std::string(p, len));
  default:
    return Variant(Utf8ToString(std::string_view(p, len)));
  }
}

std::string SqlLiteral(const Variant& value, const TMySqlColumn& column) {
  if (value.IsClear()) return "NULL";
  switch (column.Type) {
  case TMySqlType::Integer:
  case TMySqlType::BigInt:
    return std::to_string(value.AsInt64());
  case TMySqlType::Float:
  case TMySqlType::Decimal: {
    const double d = value.AsFloat();
    if (!std::isfinite(d)) return "NULL";
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, d);
    return std::string(buffer, r.ptr);
  }
  case TMySqlType::Date:
    return "'" + DateText(value.AsFloat()) + "'";
  case TMySqlType::Time:
    return "'" + TimeText(value.AsFloat()) + "'";
  case TMySqlType::DateTime:
    return "'" + DateText(value.AsFloat()) + " " + TimeText(value.AsFloat()) + "'";
  case TMySqlType::Blob: {
    const std::string bytes = value.AsBytes();
    if (bytes.empty()) return "''";
    static const char hex[] = "0123456789ABCDEF";
    std::string s = "X'";
    s.reserve(bytes.size() * 2 + 3);
    for (unsigned char c : bytes) {
      s += hex[c >> 4];
      s += hex[c & 15];
    }
    return s + "'";
  }
  default: {
    const std::string text =
        value.VarType() == varBytes ? value.AsBytes() : StringToUtf8(value.AsString());
    std::string s = "'";
    for (char c : text) {
      if (c == '\'') s += '\'';
      s += c;
    }
    return s + "'";
  }
  }
}

std::string QuoteIdentifier(std::string_view name) {
  std::string s = "`";
  for (char c : name) {
    if (c == '`') s += '`';
    s += c;
  }
  return s + "`";
}

std::string QuotedColumnName(const TMySqlColumn& column) {
  return QuoteIdentifier(column.OrgName.empty() ? column.Name : column.OrgName);
}

bool ServerKeepsClientRows(const TMySqlColumn& column, const Variant& value, bool equality) {
  switch (column.Type) {
  case TMySqlType::String:
  case TMySqlType::Text:
    return value.VarType() == varString && equality;
  case TMySqlType::Integer:
  case TMySqlType::BigInt:
    return value.IsOrdinal() && value.VarType() != varBoolean;
  case TMySqlType::Date:
    return value.VarType() == varDate && value.AsFloat() == std::floor(value.AsFloat());
  default:
    return false;
  }
}
