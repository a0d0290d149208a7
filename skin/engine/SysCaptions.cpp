#include "skin/engine/SysCaptions.h"
#include "platform/ui/Forms.h"
#include <map>

int WindowsVersion = 0;
int MetricCXHScroll = 0, MetricCXFrame = 0, MetricCXDlgFrame = 0, MetricCYCaption = 0, MetricCYSmCaption = 0;

String CaptionOk, CaptionCancel, CaptionHelp, CaptionClose, CaptionAddToCustomColors, CaptionDefineColors,
    CaptionAdditionalColors, CaptionDecimal, CaptionRoot, CaptionCreate, CaptionRestore, CaptionSize, CaptionMove,
    CaptionMaximize, CaptionMinimize, CaptionCalculator, CaptionFileOpen, CaptionSelectDirectory, CaptionRed,
    CaptionGreen, CaptionBlue, CaptionColor, CaptionHex, CaptionFont, CaptionFontColor, CaptionInvalidDate,
    CaptionAvailableSkins, CaptionInternal, CaptionDirectoryWithSkins, CaptionSelectSkin, CaptionSkinPreview,
    CaptionFrameAdapterMisplaced;

namespace {
int InitCount = 0;

struct TSystemCaption {
  const char16_t* Library;
  UINT Id;
  int FallbackId;             // 0: the default text
  const char16_t* Default;    // only with FallbackId 0
  const char16_t* Suffix;
  String* Caption;
};

const TSystemCaption SystemCaptions[] = {
    {u"user32.dll", 800, 58992, nullptr, u"", &CaptionOk},
    {u"user32.dll", 801, 58991, nullptr, u"", &CaptionCancel},
    {u"user32.dll", 808, 58990, nullptr, u"", &CaptionHelp},
    {u"user32.dll", 905, 58976, nullptr, u"", &CaptionClose},
    {u"colorui.dll", 1810, 58960, nullptr, u"", &CaptionAddToCustomColors},
    {u"shell32.dll", 4151, 58959, nullptr, u"", &CaptionDefineColors},
    {u"shell32.dll", 31153, 58957, nullptr, u":", &CaptionAdditionalColors},
    {u"shell32.dll", 16514, 58952, nullptr, u" - ", &CaptionDecimal},
    {u"shell32.dll", 33015, 0, u"Root:", u":", &CaptionRoot},
    {u"shell32.dll", 4151, 58910, nullptr, u"", &CaptionCreate},
    {u"comctl32.dll", 33056, 58981, nullptr, u"", &CaptionRestore},
    {u"comctl32.dll", 32768, 58979, nullptr, u"", &CaptionSize},
    {u"comctl32.dll", 32784, 58980, nullptr, u"", &CaptionMove},
    {u"comctl32.dll", 32816, 58977, nullptr, u"", &CaptionMaximize},
    {u"comctl32.dll", 32800, 58978, nullptr, u"", &CaptionMinimize},
    {u"dinput.dll", 673, 58975, nullptr, u"", &CaptionCalculator},
    {u"comdlg32.dll", 436, 58970, nullptr, u"", &CaptionFileOpen},
    {u"comdlg32.dll", 439, 58911, nullptr, u"", &CaptionSelectDirectory},
    {u"comdlg32.dll", 1049, 58955, nullptr, u":", &CaptionRed},
    {u"comdlg32.dll", 1042, 58954, nullptr, u":", &CaptionGreen},
    {u"comdlg32.dll", 1052, 58953, nullptr, u":", &CaptionBlue},
    {u"compstui.dll", 64744, 58956, nullptr, u"", &CaptionColor},
    {u"inetres.dll", 1175, 58934, nullptr, u"", &CaptionFont},
    {u"inetres.dll", 5273, 0, u"Font color:", u":", &CaptionFontColor},
};

const std::map<int, const char16_t*>& OwnStrings() {
  static const std::map<int, const char16_t*> strings = {
      {58992, u"OK"}, {58991, u"Cancel"}, {58990, u"&Help"}, {58976, u"Close"},
      {58960, u"Add to custom colors set"}, {58959, u"Define colors"}, {58957, u"Additional colors :"},
      {58952, u"Decimal - "}, {58910, u"Create"}, {58981, u"Restore"}, {58979, u"Size"}, {58980, u"Move"},
      {58977, u"Maximize"}, {58978, u"Minimize"}, {58975, u"Calculator"}, {58970, u"File open"},
      {58911, u"Select directory"}, {58955, u"Red :"}, {58954, u"Green :"}, {58953, u"Blue :"}, {58956, u"Color"},
      {58951, u"Hex - "}, {58934, u"Font"}, {58923, u"Invalid date"}, {58964, u"Available skins"},
      {58963, u"(internal)"}, {58950, u"TsFrameAdapter adapter must be placed on the handled frame"}};
  return strings;
}

String ModuleString(HMODULE Module, UINT Id) {
  if (!Module) return String();
  const WCHAR* text = nullptr;
  // Length 0 asks for a pointer into the table itself.
  const int length = LoadStringW(Module, Id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return String();
  return String(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
}

void ReadSystemVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&info);
#pragma GCC diagnostic pop
  WindowsVersion = WindowsVersionOf(static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion));
}

const bool Registered = (AddUnitStartup(InitSysCaptions), true);
}  // namespace

int WindowsVersionOf(int Major, int Minor) { return Major == 6 && Minor == 2 ? 8 : Major; }

String OwnCaptionString(int Id) {
  const auto& strings = OwnStrings();
  const auto found = strings.find(Id);
  return found == strings.end() ? String() : String(found->second);
}

void LoadModuleString(String& Result, HMODULE Module, UINT Id, int FallbackId, const String& Suffix) {
  Result = ModuleString(Module, Id);
  if (!Result.empty())
    Result += Suffix;
  else if (FallbackId != 0)
    Result = OwnCaptionString(FallbackId);
}

void LoadModuleStringDef(String& Result, HMODULE Module, UINT Id, const String& Default, const String& Suffix) {
  Result = ModuleString(Module, Id);
  if (!Result.empty())
    Result += Suffix;
  else
    Result = Default;
}

void InitSysCaptions() {
  (void)Registered;
  if (InitCount > 0) return;
  InitCount = 1;
  ReadSystemVersion();
  MetricCXHScroll = GetSystemMetrics(SM_CXHSCROLL);
  MetricCXFrame = GetSystemMetrics(SM_CXFRAME);
  MetricCXDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
  MetricCYCaption = GetSystemMetrics(SM_CYCAPTION);
  MetricCYSmCaption = GetSystemMetrics(SM_CYSMCAPTION);
  const char16_t* loaded = nullptr;
  HMODULE module = nullptr;
  for (const TSystemCaption& c : SystemCaptions) {
    if (!loaded || String(loaded) != c.Library) {
      if (module) FreeLibrary(module);
      loaded = c.Library;
      module = LoadLibraryExW(reinterpret_cast<LPCWSTR>(c.Library), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    if (c.FallbackId)
      LoadModuleString(*c.Caption, module, c.Id, c.FallbackId, c.Suffix);
    else
      LoadModuleStringDef(*c.Caption, module, c.Id, c.Default, c.Suffix);
  }
  if (module) FreeLibrary(module);
  CaptionHex = OwnCaptionString(58951);
  CaptionInvalidDate = OwnCaptionString(58923);
  CaptionAvailableSkins = OwnCaptionString(58964);
  CaptionInternal = OwnCaptionString(58963);
  CaptionDirectoryWithSkins = u"Directory with skins:";
  CaptionSelectSkin = u"Select skin";
  CaptionSkinPreview = u"Skin preview";
  CaptionFrameAdapterMisplaced = OwnCaptionString(58950);
  if (CaptionInvalidDate.empty()) CaptionInvalidDate = u"Invalid date";
}

void DoneSysCaptions() {
  if (InitCount != 1) return;
  InitCount = 2;
  for (const TSystemCaption& c : SystemCaptions) c.Caption->clear();
  for (String* s : {&CaptionHex, &CaptionInvalidDate, &CaptionAvailableSkins, &CaptionInternal,
                    &CaptionDirectoryWithSkins, &CaptionSelectSkin, &CaptionSkinPreview, &CaptionFrameAdapterMisplaced})
    s->clear();
}
