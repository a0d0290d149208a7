#include "skin/graphics/LibUtils.h"
#include "skin/graphics/ProcBinding.h"
#include "platform/classes/Strings.h"
#include "platform/rtl/NumUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "skin/graphics/LayeredWindows.h"
#include <shellapi.h>
#include <algorithm>

int WidthOfRect(const TRect& R, bool ClampNegative) {
  const int w = R.Right - R.Left;
  return ClampNegative && w < 0 ? 0 : w;
}
int HeightOfRect(const TRect& R, bool ClampNegative) {
  const int h = R.Bottom - R.Top;
  return ClampNegative && h < 0 ? 0 : h;
}
TRect BmpRect(const TBitmap& Bmp) { return TRect(0, 0, Bmp.Width(), Bmp.Height()); }
TRect CtrlRect(const TControl& Control) { return TRect(0, 0, Control.Width(), Control.Height()); }
TSize BmpSize(const TBitmap& Bmp) { return TSize(Bmp.Width(), Bmp.Height()); }
TSize RectSize(const TRect& R) { return TSize(std::max(R.Width(), 0), std::max(R.Height(), 0)); }
TPoint CtrlPos(const TControl& Control) { return TPoint(Control.Left(), Control.Top()); }

bool RectsOverlap(const TRect& R1, const TRect& R2) {
  return R1.Top < R2.Bottom && R1.Left < R2.Right && R2.Left < R1.Right && R2.Top < R1.Bottom && !R2.IsEmpty();
}
TRect RectIntersection(const TRect& R1, const TRect& R2) {
  return TRect(std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
               std::min(R1.Bottom, R2.Bottom));
}

bool ValueInBounds(int Value, int Min, int Max, bool AnyOrder) {
  if (Min <= Value && Value <= Max) return true;
  return AnyOrder && Min >= Max && Max <= Value && Value <= Min;
}

TMessage BuildMessage(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT Result) {
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  m.Result = Result;
  return m;
}

TCacheInfo InitCacheInfo(TBitmap* Bmp, int X, int Y) { return TCacheInfo{Bmp, X, Y, KeyColor, TRect(), true}; }

bool IsInArray(const int32_t* Values, int32_t Key, uint8_t First, uint8_t Last) {
  for (int i = First; i <= Last; ++i)
    if (Values[i] == Key) return true;
  return false;
}

// ---- Words and texts ----

TSysCharSet CharSet(const char* chars) {
  TSysCharSet set;
  for (; *chars; ++chars) set.set(static_cast<uint8_t>(*chars));
  return set;
}

int64_t HexTextToInt64(const AnsiString& Text) {
  AnsiString s = Text;
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (!s.empty() && s.back() == 'H') s.pop_back();
  uint64_t value = 0;
  for (char c : s) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return 0;
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return static_cast<int64_t>(value);
}

bool WideCharInSet(char16_t Ch, const TSysCharSet& Set) { return Ch <= 255 && Set.test(Ch); }

namespace {
template <typename Text>
bool IsDelim(typename Text::value_type ch, const TSysCharSet& delims) {
  const auto code = static_cast<std::make_unsigned_t<typename Text::value_type>>(ch);
  return code <= 255 && delims.test(code);
}

// 1-based start of the N-th word, 0 when there is none.
template <typename Text>
int WordStart(int n, const Text& text, const TSysCharSet& delims) {
  if (n <= 0) return 0;
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool startsWord = !IsDelim<Text>(text[i], delims) && (i == 0 || IsDelim<Text>(text[i - 1], delims));
    if (startsWord && ++count == n) return static_cast<int>(i) + 1;
  }
  return 0;
}

template <typename Text>
Text Word(int n, const Text& text, const TSysCharSet& delims) {
  const int start = WordStart(n, text, delims);
  if (start == 0) return Text();
  size_t end = static_cast<size_t>(start) - 1;
  while (end < text.size() && !IsDelim<Text>(text[end], delims)) ++end;
  return text.substr(static_cast<size_t>(start) - 1, end - (start - 1));
}

template <typename Text>
int Words(const Text& text, const TSysCharSet& delims) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (!IsDelim<Text>(text[i], delims) && (i == 0 || IsDelim<Text>(text[i - 1], delims))) ++count;
  return count;
}
}  // namespace

int NthWordStart(int N, const String& Text, const TSysCharSet& Delims) { return WordStart(N, Text, Delims); }
int NthWordStartA(int N, const AnsiString& Text, const TSysCharSet& Delims) { return WordStart(N, Text, Delims); }
String NthWord(int N, const String& Text, const TSysCharSet& Delims) { return Word(N, Text, Delims); }
AnsiString NthWordA(int N, const AnsiString& Text, const TSysCharSet& Delims) { return Word(N, Text, Delims); }
int CountWords(const String& Text, const TSysCharSet& Delims) { return Words(Text, Delims); }
int CountWordsA(const AnsiString& Text, const TSysCharSet& Delims) { return Words(Text, Delims); }

String RemoveChar(const String& Text, char16_t Ch) {
  String out;
  for (char16_t c : Text)
    if (c != Ch) out += c;
  return out;
}

String ReplaceAll(const String& Text, const String& SubStr, const String& NewStr) {
  if (SubStr.empty()) return Text;
  String out;
  size_t from = 0;
  for (size_t at = Text.find(SubStr); at != String::npos; at = Text.find(SubStr, from)) {
    out.append(Text, from, at - from);
    out += NewStr;
    from = at + SubStr.size();
  }
  out.append(Text, from, String::npos);
  return out;
}

void SplitIniSections(TStrings& Lines, TStrings& Sections) {
  Sections.Clear();
  TStringList* open = nullptr;
  for (int i = 0; i < Lines.Count(); ++i) {
    const String line = Lines.Strings(i);
    if (line.empty() || line[0] == u';') continue;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      auto list = std::make_unique<TStringList>();
      open = nullptr;
      try {
        Sections.AddObject(line.substr(1, line.size() - 2), list.get());
        open = list.release();
      } catch (...) {
        // The section's lines are dropped with it.
      }
      continue;
    }
    if (open) open->Add(line);
  }
}

String IniSectionString(TStrings& Sections, const String& SectionName, const String& Name, const String& Default) {
  for (int i = 0; i < Sections.Count(); ++i) {
    if (!SameText(Sections.Strings(i), SectionName)) continue;
    auto* lines = dynamic_cast<TStrings*>(Sections.Objects(i));
    if (!lines) return Default;
    for (int k = 0; k < lines->Count(); ++k) {
      const String line = lines->Strings(k);
      const size_t eq = line.find(u'=');
      if (eq != String::npos && SameText(line.substr(0, eq), Name))
        return line.size() > Name.size() + 1 ? line.substr(Name.size() + 1) : String();
    }
    return Default;
  }
  return Default;
}

int IniSectionInt(TStrings& Sections, const String& SectionName, const String& Name, int Default) {
  String s = IniSectionString(Sections, SectionName, Name, String());
  if (s.size() >= 3 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) s = u"$" + s.substr(2);
  int value;
  return TryStrToInt(s, value) ? value : Default;
}

// ---- Properties by name ----

bool HasProperty(TObject*, const String&) { return false; }
TObject* GetObjProperty(TObject*, const String&) { return nullptr; }
int GetIntProperty(TObject*, const String&) { return -1; }
void SetIntProperty(TObject*, const String&, int) {}
bool SetPropHasElement(TObject*, const String&, const String&) { return false; }
void ChangeSetProperty(TObject*, const String&, const String&, bool) {}

// ---- Paths and files ----

String AddPathDelimiter(const String& Path) {
  if (Path.empty() || Path.back() == u'\\') return Path;
  if (Path.back() == u'/') return Path.substr(0, Path.size() - 1) + u"\\";
  if (Path.size() == 1) return Path + u":\\";
  return Path + u"\\";
}

namespace {
LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }
}  // namespace

bool DirectoryExistsEx(const String& Path, bool FollowLink) {
  const DWORD attr = GetFileAttributesW(W(Path));
  if (attr == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return !(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NOT_READY ||
             error == ERROR_BAD_NETPATH || error == ERROR_INVALID_NAME);
  }
  const bool directory = attr & FILE_ATTRIBUTE_DIRECTORY;
  if (!(attr & FILE_ATTRIBUTE_REPARSE_POINT)) return directory;
  HANDLE target = CreateFileW(W(Path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const bool opens = target != INVALID_HANDLE_VALUE;
  if (opens) CloseHandle(target);
  if (FollowLink) return opens && directory;
  return directory || !opens;
}

bool FolderExists(const String& Path) { return DirectoryExistsEx(Path, true); }

namespace {
void FillSearchRec(TacSearchRec& rec, const WIN32_FIND_DATAW& data) {
  rec.Name = reinterpret_cast<const char16_t*>(data.cFileName);
  rec.Attr = data.dwFileAttributes;
  rec.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
}  // namespace

int FindFirstEntry(const String& Pattern, TacSearchRec& Rec) {
  WIN32_FIND_DATAW data{};
  Rec.Handle = FindFirstFileW(W(Pattern), &data);
  if (Rec.Handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  FillSearchRec(Rec, data);
  return 0;
}

int FindNextEntry(TacSearchRec& Rec) {
  WIN32_FIND_DATAW data{};
  if (!FindNextFileW(Rec.Handle, &data)) return static_cast<int>(GetLastError());
  FillSearchRec(Rec, data);
  return 0;
}

void FindCloseEntry(TacSearchRec& Rec) {
  if (Rec.Handle != INVALID_HANDLE_VALUE) FindClose(Rec.Handle);
  Rec.Handle = INVALID_HANDLE_VALUE;
}

String ExeFolder() {
  char16_t path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameW(nullptr, reinterpret_cast<LPWSTR>(path), MAX_PATH);
  const String full(path, n);
  const size_t slash = full.find_last_of(u"\\/");
  return slash == String::npos ? String() : full.substr(0, slash + 1);
}

std::unique_ptr<TIcon> FileIconOf(const String& FileName, UINT Flags) {
  if (GetFileAttributesW(W(FileName)) == INVALID_FILE_ATTRIBUTES) return nullptr;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(W(FileName), 0, &info, sizeof(info), Flags | SHGFI_ICON) || !info.hIcon) return nullptr;
  auto icon = std::make_unique<TIcon>();
  icon->SetHandle(info.hIcon);
  if (icon->Empty()) return nullptr;
  return icon;
}

// ---- System and process ----

namespace {
bool CaptionFont(LOGFONTW& font) {
  NONCLIENTMETRICSW metrics{};
  // The structure grew by the padded border width on version 6.
  metrics.cbSize = LOBYTE(LOWORD(GetVersion())) >= 6 ? sizeof(metrics) : sizeof(metrics) - sizeof(int);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return false;
  font = metrics.lfCaptionFont;
  return true;
}

// kernel32's optional entry points, looked up once.
struct TKernel {
  using TIsDebuggerPresent = BOOL(WINAPI*)();
  using TIsWow64Process = BOOL(WINAPI*)(HANDLE, BOOL*);
  HMODULE Module = LoadLibraryW(reinterpret_cast<LPCWSTR>(u"kernel32.dll"));
  TIsDebuggerPresent IsDebuggerPresent =
      BindProc<TIsDebuggerPresent>(Module, "IsDebuggerPresent");
  TIsWow64Process IsWow64Process =
      BindProc<TIsWow64Process>(Module, "IsWow64Process");
  ~TKernel() {
    if (Module) FreeLibrary(Module);
  }
};
TKernel& Kernel() {
  static TKernel kernel;
  return kernel;
}
}  // namespace

int CaptionFontHeight() {
  LOGFONTW font{};
  return CaptionFont(font) ? font.lfHeight : 0;
}

HFONT NewCaptionFont() {
  LOGFONTW font{};
  return CaptionFont(font) ? CreateFontIndirectW(&font) : nullptr;
}

bool MinimizeAnimationOn() {
  ANIMATIONINFO info{sizeof(info), 0};
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0) && info.iMinAnimate != 0;
}

bool SetMinimizeAnimation(bool Value) {
  ANIMATIONINFO info{sizeof(info), Value ? -1 : 0};
  return SystemParametersInfoW(SPI_SETANIMATION, sizeof(info), &info, 0);
}

bool IsWinXPOrLater() {
  const DWORD version = GetVersion();
  const int major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
  return major > 5 || (major == 5 && minor > 0);
}

bool DebuggerPresent() { return !Kernel().IsDebuggerPresent || Kernel().IsDebuggerPresent(); }

bool IsWow64() {
  BOOL wow = FALSE;
  return Kernel().IsWow64Process && Kernel().IsWow64Process(GetCurrentProcess(), &wow) && wow;
}

bool Wow64NoComposition() {
  static const bool value = IsWow64() && !acDwmIsCompositionEnabled();
  return value;
}

void PauseProcessing(DWORD Ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    Application->ProcessMessages();
    // Unsigned difference: a counter that wraps during the wait still counts.
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= Ms) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, Ms - elapsed, QS_ALLINPUT);
  }
}
