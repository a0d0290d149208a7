#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumUtils.h"

#include <cstdlib>
#include <vector>

namespace {

// Largest width or precision a directive may ask for.
constexpr int kMaxNumber = 100000;

class TFormatter {
public:
  TFormatter(StringView format, std::initializer_list<TVarRec> args, const TFormatSettings& fs)
      : FFormat(format), FArgs(args), FSettings(fs) {}

  String Run() {
    String r;
    size_t i = 0;
    while (i < FFormat.size()) {
      char16_t c = FFormat[i++];
      if (c != u'%') {
        r.push_back(c);
        continue;
      }
      if (i >= FFormat.size()) Invalid();
      if (FFormat[i] == u'%') {
        r.push_back(u'%');
        ++i;
        continue;
      }
      r += Directive(i);
    }
    return r;
  }

private:
  [[noreturn]] void Invalid() const {
    throw EConvertError(u"Format '" + String(FFormat) + u"' invalid or incompatible with argument");
  }

  const TVarRec& NextArg() {
    if (FNext >= FArgs.size())
      throw EConvertError(u"No argument for format '" + String(FFormat) + u"'");
    return FArgs.begin()[FNext++];
  }

  // A number of the directive, or "*" taking the next argument; -1 if none.
  int ReadNumber(size_t& i) {
    if (i < FFormat.size() && FFormat[i] == u'*') {
      ++i;
      const TVarRec& a = NextArg();
      if (a.VType() != TVarRec::Kind::Integer && a.VType() != TVarRec::Kind::Unsigned) Invalid();
      // The same bound as a written number: a width of a billion blanks is
      // a fault of the caller, not a text to build.
      const int64_t v = a.AsInt64();
      if (a.VType() == TVarRec::Kind::Unsigned ? static_cast<uint64_t>(v) > static_cast<uint64_t>(kMaxNumber)
                                                : v > kMaxNumber || v < -kMaxNumber)
        Invalid();
      return static_cast<int>(v);
    }
    if (i >= FFormat.size() || FFormat[i] < u'0' || FFormat[i] > u'9') return -1;
    int n = 0;
    while (i < FFormat.size() && FFormat[i] >= u'0' && FFormat[i] <= u'9') {
      n = n * 10 + (FFormat[i++] - u'0');
      if (n > kMaxNumber) Invalid();
    }
    return n;
  }

  String Directive(size_t& i) {
    int width = ReadNumber(i);
    if (i < FFormat.size() && FFormat[i] == u':') {
      ++i;
      if (width < 0) width = 0;
      FNext = static_cast<size_t>(width);
      width = -1;
    }
    bool left = false;
    if (i < FFormat.size() && FFormat[i] == u'-') {
      left = true;
      ++i;
    }
    if (width < 0) width = ReadNumber(i);
    int precision = -1;
    if (i < FFormat.size() && FFormat[i] == u'.') {
      ++i;
      precision = ReadNumber(i);
      if (precision < 0) precision = 0;
    }
    if (i >= FFormat.size()) Invalid();
    char16_t type = FFormat[i++];
    if (type >= u'A' && type <= u'Z') type += 32;
    String text = Convert(type, precision, NextArg());
    if (width > static_cast<int>(text.size())) {
      String pad(width - text.size(), u' ');
      text = left ? text + pad : pad + text;
    }
    return text;
  }

  static bool IsInteger(const TVarRec& a) {
    return a.VType() == TVarRec::Kind::Integer || a.VType() == TVarRec::Kind::Unsigned;
  }

  double FloatOf(const TVarRec& a) const {
    if (a.VType() == TVarRec::Kind::Float) return a.AsFloat();
    if (a.VType() == TVarRec::Kind::Integer) return static_cast<double>(a.AsInt64());
    if (a.VType() == TVarRec::Kind::Unsigned) return static_cast<double>(static_cast<uint64_t>(a.AsInt64()));
    Invalid();
  }

  // Negative values of 32-bit range print as their 32-bit pattern.
  static uint64_t UnsignedOf(const TVarRec& a) {
    int64_t v = a.AsInt64();
    if (a.VType() == TVarRec::Kind::Integer && v < 0 && v >= INT32_MIN)
      return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<uint64_t>(v);
  }

  static String ZeroPad(String digits, int precision) {
    if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), u'0');
    return digits;
  }

  String Convert(char16_t type, int precision, const TVarRec& a) {
    switch (type) {
      case u'd': {
        if (!IsInteger(a)) Invalid();
        if (a.VType() == TVarRec::Kind::Unsigned) return ZeroPad(String(UnsignedText(a)), precision);
        int64_t v = a.AsInt64();
        String digits = IntToStr(v);
        if (v < 0) return u"-" + ZeroPad(digits.substr(1), precision);
        return ZeroPad(digits, precision);
      }
      case u'u':
        if (!IsInteger(a)) Invalid();
        return ZeroPad(UnsignedText(a), precision);
      case u'x':
        if (!IsInteger(a)) Invalid();
        return ZeroPad(UIntToHex(UnsignedOf(a), 1), precision);
      case u'e':
        return FloatToStrF(FloatOf(a), ffExponent, precision < 0 ? 15 : precision, 3, FSettings);
      case u'f':
        return FloatToStrF(FloatOf(a), ffFixed, 15, precision < 0 ? 2 : precision, FSettings);
      case u'g':
        return FloatToStrF(FloatOf(a), ffGeneral, precision < 0 ? 15 : precision, 3, FSettings);
      case u'n':
        return FloatToStrF(FloatOf(a), ffNumber, 15, precision < 0 ? 2 : precision, FSettings);
      case u'm':
        return FloatToStrF(FloatOf(a), ffCurrency, 15,
                           precision < 0 ? FSettings.CurrencyDecimals : precision, FSettings);
      case u's': {
        if (a.VType() != TVarRec::Kind::Text) Invalid();
        const String& s = a.AsString();
        return precision >= 0 && precision < static_cast<int>(s.size()) ? s.substr(0, precision) : s;
      }
      case u'p':
        if (a.VType() != TVarRec::Kind::Pointer) Invalid();
        return UIntToHex(static_cast<uint64_t>(a.AsInt64()), 16);
      default:
        Invalid();
    }
  }

  static String UnsignedText(const TVarRec& a) {
    std::string s = std::to_string(UnsignedOf(a));
    return String(s.begin(), s.end());
  }

  StringView FFormat;
  std::initializer_list<TVarRec> FArgs;
  const TFormatSettings& FSettings;
  size_t FNext = 0;
};

}  // namespace

String Format(StringView format, std::initializer_list<TVarRec> args) {
  return TFormatter(format, args, FormatSettings).Run();
}

String Format(StringView format, std::initializer_list<TVarRec> args, const TFormatSettings& settings) {
  return TFormatter(format, args, settings).Run();
}
