#pragma once
// The small routines every part of the skin library shares: rectangles,
// integers, words and texts, INI-style section lists, paths and system facts.
#include "skin/graphics/SkinTypes.h"
#include "platform/rtl/String.h"
#include "platform/ui/Messages.h"
#include <bitset>
#include <memory>

class TControl;
class TStrings;
class TIcon;
class TObject;

// ---- Rectangles, points and sizes ----
int WidthOfRect(const TRect& R, bool ClampNegative = false);
int HeightOfRect(const TRect& R, bool ClampNegative = false);
constexpr TRect RectFromRB(int Right, int Bottom, int Left = 0, int Top = 0) { return TRect(Left, Top, Right, Bottom); }
TRect BmpRect(const TBitmap& Bmp);
TRect CtrlRect(const TControl& Control);
constexpr TRect SizeToRect(const TSize& Size) { return TRect(0, 0, Size.cx, Size.cy); }
TSize BmpSize(const TBitmap& Bmp);
TSize RectSize(const TRect& R);
constexpr TPoint PointOf(int X, int Y) { return TPoint(X, Y); }
TPoint CtrlPos(const TControl& Control);
constexpr TSize SizeFromWH(int cx, int cy) { return TSize(cx, cy); }
bool RectsOverlap(const TRect& R1, const TRect& R2);
TRect RectIntersection(const TRect& R1, const TRect& R2);

// ---- Integers and values ----
constexpr int PickInt(bool Flag, int A, int B) { return Flag ? A : B; }
template <typename T>
constexpr T PickValue(bool Flag, T A, T B) {
  return Flag ? A : B;
}
inline String PickStr(bool Flag, const String& A, const String& B) { return Flag ? A : B; }
bool ValueInBounds(int Value, int Min, int Max, bool AnyOrder = false);
constexpr int GreaterOf(int A, int B) { return A > B ? A : B; }
constexpr int KeepInRange(int Value, int Min, int Max) { return Value < Min ? Min : Value > Max ? Max : Value; }
inline void ExchangeInts(int& A, int& B) { std::swap(A, B); }
TMessage BuildMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result = 0);
TCacheInfo InitCacheInfo(TBitmap* Bmp, int X, int Y);
bool IsInArray(const int32_t* Values, int32_t Key, uint8_t First, uint8_t Last);

// ---- Words and texts ----
using TSysCharSet = std::bitset<256>;
TSysCharSet CharSet(const char* chars);
int64_t HexTextToInt64(const AnsiString& Text);
bool WideCharInSet(char16_t Ch, const TSysCharSet& Set);
int NthWordStart(int N, const String& Text, const TSysCharSet& Delims);
int NthWordStartA(int N, const AnsiString& Text, const TSysCharSet& Delims);
String NthWord(int N, const String& Text, const TSysCharSet& Delims);
AnsiString NthWordA(int N, const AnsiString& Text, const TSysCharSet& Delims);
int CountWords(const String& Text, const TSysCharSet& Delims);
int CountWordsA(const AnsiString& Text, const TSysCharSet& Delims);
String RemoveChar(const String& Text, char16_t Ch);
String ReplaceAll(const String& Text, const String& SubStr, const String& NewStr);

// Each section of Lines becomes an entry of Sections named after it, whose
// object is a string list of its lines; the caller owns the lists.
void SplitIniSections(TStrings& Lines, TStrings& Sections);
String IniSectionString(TStrings& Sections, const String& SectionName, const String& Name, const String& Default);
int IniSectionInt(TStrings& Sections, const String& SectionName, const String& Name, int Default);

// ---- Properties by name: no published properties here, so all answer "absent" ----
bool HasProperty(TObject* Obj, const String& Name);
TObject* GetObjProperty(TObject* Obj, const String& Name);
int GetIntProperty(TObject* Obj, const String& Name);
void SetIntProperty(TObject* Obj, const String& Name, int Value);
bool SetPropHasElement(TObject* Obj, const String& Name, const String& Element);
void ChangeSetProperty(TObject* Obj, const String& Name, const String& Element, bool Include);

// ---- Paths and files ----
String AddPathDelimiter(const String& Path);
bool DirectoryExistsEx(const String& Path, bool FollowLink);
bool FolderExists(const String& Path);
struct TacSearchRec {
  HANDLE Handle = INVALID_HANDLE_VALUE;
  String Name;
  DWORD Attr = 0;
  int64_t Size = 0;
};
// 0 when an entry was found, else the system error.
int FindFirstEntry(const String& Pattern, TacSearchRec& Rec);
int FindNextEntry(TacSearchRec& Rec);
void FindCloseEntry(TacSearchRec& Rec);
String ExeFolder();
std::unique_ptr<TIcon> FileIconOf(const String& FileName, UINT Flags);

// ---- System and process ----
int CaptionFontHeight();
HFONT NewCaptionFont();
bool MinimizeAnimationOn();
bool SetMinimizeAnimation(bool Value);
bool IsWinXPOrLater();
bool DebuggerPresent();
bool IsWow64();
// The process runs under WOW64 and desktop composition is off.
bool Wow64NoComposition();
// Processes messages until Ms milliseconds have passed.
void PauseProcessing(DWORD Ms);
