#pragma once
// The edit-mask language of masked edits and data fields.
//
// A mask is "picture;save-literals;blank-char". The picture's characters:
//   L / l  letter, required / optional       A / a  letter or digit
//   C / c  any character                     0 / 9  digit, required / optional
//   #      digit or sign (+ -), optional     : /    time and date separators
//   >      upper-case what follows           <      lower-case what follows
//   <>     no case conversion                \      next character is literal
//   !      optional characters are dropped from the front instead of the end
// Anything else is a literal. save-literals 0 keeps the literals out of the
// field's text; the blank character (default '_') shows empty positions.
//
// The edit text has one character per position of the picture: literals at
// their places and the blank character where nothing was typed.
#include "platform/rtl/String.h"
#include <vector>

class TEditMask {
public:
  TEditMask() = default;
  explicit TEditMask(const String& editMask);

  const String& Mask() const { return FMask; }
  bool IsMasked() const { return !FPositions.empty(); }
  bool SaveLiterals() const { return FSaveLiterals; }
  char16_t BlankChar() const { return FBlank; }
  // '!' in the picture.
  bool ReverseDirection() const { return FReverse; }

  // Number of positions of the edit text (its length).
  int EditLength() const { return static_cast<int>(FPositions.size()); }
  // Positions are 0-based. Outside the picture nothing is a literal, required
  // or accepted.
  bool IsLiteral(int pos) const;
  // The literal's character (a separator ':' or '/' as itself).
  char16_t LiteralChar(int pos) const;
  // Positions that ValidateEdit insists on (L, A, C, 0).
  bool IsRequired(int pos) const;
  // Whether ch may be typed at pos; when it may, ch is changed to what is
  // stored (upper or lower case as the picture asks).
  bool AcceptChar(int pos, char16_t& ch) const;

  // First non-literal position at or after pos (EditLength() when none).
  int NextInputPos(int pos) const;
  // Last non-literal position before pos (-1 when none).
  int PrevInputPos(int pos) const;

  // Literals in place, blanks everywhere else.
  String BlankEditText() const;
  // The edit text for a field text: literals inserted (save-literals 0) or
  // aligned between the literals (save-literals 1), blanks where short.
  String EditTextFromText(const String& text) const;
  // The field text of an edit text: literals removed, unfilled positions
  // dropped from the end (the front with '!'), remaining blanks as spaces,
  // then the literals put back when they are saved.
  String TextFromEditText(const String& editText) const;
  // The edit text with its literals removed, blanks as spaces.
  String StripLiterals(const String& editText) const;

  // True when every required position holds a character; otherwise errorPos
  // gets the first empty one. An empty text is valid.
  bool Validate(const String& editText, int* errorPos = nullptr) const;

  // Typing: puts ch at pos of editText (skipping over literals; typing a
  // literal's own character just moves past it) and advances pos to the
  // next input position. Returns false, changing nothing, when refused.
  bool InputChar(String& editText, int& pos, char16_t ch) const;
  // Deleting: blanks the non-literal positions of [start, start + length).
  void ClearRange(String& editText, int start, int length) const;

private:
  enum class Kind { Literal, Required, Optional };
  enum class CaseMode { None, Upper, Lower };
  struct Position {
    Kind Type;
    char16_t Char;  // the picture character, or the literal
    CaseMode Case;
  };

  // Value without literals: literals inserted, missing characters as blank.
  String InsertLiterals(const String& value, char16_t blank) const;
  // Value with literals: each run of input positions takes the characters
  // up to its literal, padded with blank.
  String AlignToLiterals(const String& value, char16_t blank) const;
  String RemoveLiterals(const String& editText) const;

  friend String FormatMaskText(const String& editMask, const String& value);

  String FMask;
  std::vector<Position> FPositions;
  bool FSaveLiterals = true;
  char16_t FBlank = u'_';
  bool FReverse = false;
};

// A value shown through a mask, as data fields and reports display masked
// texts: with save-literals 0 the literals are inserted into value; with 1
// value already holds them and is aligned to them. Missing characters are
// spaces.
String FormatMaskText(const String& editMask, const String& value);
