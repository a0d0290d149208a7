#pragma once
// Text routines with the platform's 1-based positions: the first character
// is at index 1 and Pos answers 0 when nothing is found.
#include "platform/rtl/String.h"
#include <initializer_list>

int Length(StringView s);

// Count characters from the 1-based index; an index below 1 counts from 1,
// and the result is cut at the end of the text.
String Copy(StringView s, int index, int count);
String LeftStr(StringView s, int count);
String RightStr(StringView s, int count);
String MidStr(StringView s, int index, int count);

// 1-based position of the first occurrence at or after offset; 0 if none.
int Pos(StringView sub, StringView s, int offset = 1);
int Pos(char16_t c, StringView s, int offset = 1);
// 1-based position of the last character of s that is in delimiters; 0 if none.
int LastDelimiter(StringView delimiters, StringView s);

// Removes count characters from the 1-based index (nothing when out of range).
void Delete(String& s, int index, int count);
// Inserts sub before the 1-based index; beyond the end it appends.
void Insert(StringView sub, String& s, int index);

// Trimming drops blanks and control characters (codes up to 32).
String Trim(StringView s);
String TrimLeft(StringView s);
String TrimRight(StringView s);

// ASCII letters only.
String UpperCase(StringView s);
String LowerCase(StringView s);
char16_t UpCase(char16_t c);
// Accented letters too (Latin-1 and Latin Extended-A).
String AnsiUpperCase(StringView s);
String AnsiLowerCase(StringView s);
char16_t AnsiUpperChar(char16_t c);
char16_t AnsiLowerChar(char16_t c);

String StringOfChar(char16_t c, int count);
String DupeString(StringView s, int count);
// 'text' with inner single quotes doubled.
String QuotedStr(StringView s);
String AnsiQuotedStr(StringView s, char16_t quote);

enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
class TReplaceFlags {
public:
  constexpr TReplaceFlags() = default;
  constexpr TReplaceFlags(TReplaceFlag f) : FBits(f) {}
  TReplaceFlags(std::initializer_list<TReplaceFlag> flags) {
    for (TReplaceFlag f : flags) FBits |= f;
  }
  constexpr bool Contains(TReplaceFlag f) const { return (FBits & f) != 0; }
  constexpr TReplaceFlags operator|(TReplaceFlag f) const { return TReplaceFlags(FBits | f); }

private:
  constexpr explicit TReplaceFlags(unsigned bits) : FBits(bits) {}
  unsigned FBits = 0;
};
constexpr TReplaceFlags operator|(TReplaceFlag a, TReplaceFlag b) { return TReplaceFlags(a) | b; }

String StringReplace(StringView s, StringView oldPattern, StringView newPattern,
                     TReplaceFlags flags = {});

// Ordinal comparisons; the *Text ones ignore the case of ASCII letters.
// Results are negative, zero or positive.
int CompareStr(StringView a, StringView b);
int CompareText(StringView a, StringView b);
bool SameStr(StringView a, StringView b);
bool SameText(StringView a, StringView b);
// Linguistic comparisons without regard to case: accented letters sort with
// their base letter ("ação" between "acao" and "acap").
int AnsiCompareText(StringView a, StringView b);
int AnsiCompareStr(StringView a, StringView b);
bool AnsiSameText(StringView a, StringView b);
// 1-based position, as Pos.
int AnsiPos(StringView sub, StringView s);

// True for a non-empty text of the decimal digits 0 to 9 only.
bool IsDigitString(StringView s);
