// Settings storage in an INI file or the registry, and window placements.
#include "controls/RxAppUtils.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumUtils.h"
#include "platform/ui/Forms.h"
#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

std::function<String()> DefaultIniNameHook;
String RegistryKeyPrefix;
bool RegistryUseAppTitle = false;

String ClassNameOf(const TObject* object) {
  if (!object) return String();
  const char* mangled = typeid(*object).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && demangled ? demangled : mangled;
  std::free(demangled);
  const size_t colon = name.rfind("::");
  if (colon != std::string::npos) name = name.substr(colon + 2);
  return AsciiToString(name);
}

String DefaultStorageSection(const TComponent* component) {
  if (!component) return String();
  if (auto* form = dynamic_cast<const TCustomForm*>(component)) return ClassNameOf(form);
  if (auto* control = dynamic_cast<const TControl*>(component)) {
    if (TCustomForm* form = GetParentForm(control)) return ClassNameOf(form) + control->Name();
    if (control->Parent()) return control->Parent()->Name() + control->Name();
    return control->Name();
  }
  if (auto* form = dynamic_cast<const TCustomForm*>(component->Owner()))
    return Format(u"%s.%s", {ClassNameOf(form), component->Name()});
  return component->Name();
}

namespace {
String ExeBaseName() { return ChangeFileExt(ExtractFileName(Application->ExeName()), u""); }
}  // namespace

String DefaultIniFileName() {
  if (DefaultIniNameHook) return DefaultIniNameHook();
  return ChangeFileExt(ExtractFileName(Application->ExeName()), u".INI");
}

String DefaultRegistryKey() {
  String result = u"Software\\";
  if (!RegistryKeyPrefix.empty()) result += RegistryKeyPrefix + u"\\";
  if (RegistryUseAppTitle && !Application->Title().empty()) result += Application->Title();
  else result += ExeBaseName();
  return result;
}

// ---------------------------------------------------------------- dispatch

String StorageReadString(TObject* ini, const String& section, const String& ident, const String& defaultValue) {
  if (auto* file = dynamic_cast<TCustomIniFile*>(ini)) return file->ReadString(section, ident, defaultValue);
  if (auto* reg = dynamic_cast<TRegIniFile*>(ini)) return reg->ReadString(section, ident, defaultValue);
  return defaultValue;
}

void StorageWriteString(TObject* ini, const String& section, const String& ident, const String& value) {
  if (auto* file = dynamic_cast<TCustomIniFile*>(ini)) {
    // Reading takes one pair of enclosing quotes away again.
    const bool quoted = value.size() >= 2 && ((value.front() == u'"' && value.back() == u'"') ||
                                              (value.front() == u'\'' && value.back() == u'\''));
    file->WriteString(section, ident, quoted ? u"\"" + value + u"\"" : value);
  } else if (auto* reg = dynamic_cast<TRegIniFile*>(ini)) {
    reg->WriteString(section, ident, value);
  }
}

int StorageReadInteger(TObject* ini, const String& section, const String& ident, int defaultValue) {
  if (auto* file = dynamic_cast<TCustomIniFile*>(ini)) return file->ReadInteger(section, ident, defaultValue);
  if (auto* reg = dynamic_cast<TRegIniFile*>(ini)) return reg->ReadInteger(section, ident, defaultValue);
  return defaultValue;
}

void StorageWriteInteger(TObject* ini, const String& section, const String& ident, int value) {
  if (auto* file = dynamic_cast<TCustomIniFile*>(ini)) file->WriteInteger(section, ident, value);
  else if (auto* reg = dynamic_cast<TRegIniFile*>(ini)) reg->WriteInteger(section, ident, value);
}

void StorageEraseSection(TObject* ini, const String& section) {
  if (auto* file = dynamic_cast<TCustomIniFile*>(ini)) file->EraseSection(section);
  else if (auto* reg = dynamic_cast<TRegIniFile*>(ini)) reg->EraseSection(section);
}

void StorageReadSections(TObject* ini, TStrings& list) {
  if (auto* file = dynamic_cast<TCustomIniFile*>(ini)) file->ReadSections(list);
  else if (auto* reg = dynamic_cast<TRegIniFile*>(ini)) reg->ReadSections(list);
}

String ScreenSuffix() {
  return Format(u"(%dx%d)", {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

String ReadScreenKey(TObject* ini, const String& section, const String& ident) {
  String result = StorageReadString(ini, section, ident + ScreenSuffix(), String());
  if (result.empty()) result = StorageReadString(ini, section, ident, String());
  return result;
}

void WriteScreenKey(TObject* ini, const String& section, const String& ident, const String& value) {
  StorageWriteString(ini, section, ident + ScreenSuffix(), value);
  StorageWriteString(ini, section, ident, value);
}

String StorageWord(int n, const String& text) {
  int index = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == u' ' || text[i] == u',')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != u' ' && text[i] != u',') ++i;
    if (i > start && ++index == n) return text.substr(start, i - start);
  }
  return String();
}

int StorageWordInt(int n, const String& text, int defaultValue) {
  return StrToIntDef(StorageWord(n, text), defaultValue);
}

// ---------------------------------------------------------------- window placement

namespace {
const char16_t* const kFlags = u"Flags";
const char16_t* const kShowCmd = u"ShowCmd";
const char16_t* const kPixels = u"PixelsPerInch";
const char16_t* const kMinMaxPos = u"MinMaxPos";
const char16_t* const kNormPos = u"NormPos";

bool IsMainForm(const TCustomForm* form) {
  TForm* main = Application->MainForm();
  return !main || main == form;
}
}  // namespace

TRect FitRectToScreen(const TRect& rect) {
  TRect r = rect;
  const int maxW = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int maxH = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (maxW > 0 && r.Width() > maxW) r.Right = r.Left + maxW;
  if (maxH > 0 && r.Height() > maxH) r.Bottom = r.Top + maxH;
  RECT wr{r.Left, r.Top, r.Right, r.Bottom};
  if (MonitorFromRect(&wr, MONITOR_DEFAULTTONULL)) return r;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromRect(&wr, MONITOR_DEFAULTTONEAREST), &info)) return r;
  const RECT& work = info.rcWork;
  const int w = std::min(r.Width(), static_cast<int>(work.right - work.left));
  const int h = std::min(r.Height(), static_cast<int>(work.bottom - work.top));
  const int left = std::clamp(r.Left, static_cast<int>(work.left), static_cast<int>(work.right) - w);
  const int top = std::clamp(r.Top, static_cast<int>(work.top), static_cast<int>(work.bottom) - h);
  return TRect(left, top, left + w, top + h);
}

void WriteWindowPlacement(TCustomForm* form, TObject* ini, const String& section) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(form->Handle(), &wp);
  if (form == Application->MainForm() && IsIconic(Application->Handle())) wp.showCmd = SW_SHOWMINIMIZED;
  if (form->FormStyle() == fsMDIChild && form->WindowState() == wsMinimized) wp.flags |= WPF_SETMINPOSITION;
  StorageWriteInteger(ini, section, kFlags, static_cast<int>(wp.flags));
  StorageWriteInteger(ini, section, kShowCmd, static_cast<int>(wp.showCmd));
  StorageWriteInteger(ini, section, kPixels, Screen->PixelsPerInch());
  WriteScreenKey(ini, section, kMinMaxPos,
                 Format(u"%d,%d,%d,%d", {static_cast<int>(wp.ptMinPosition.x), static_cast<int>(wp.ptMinPosition.y),
                                         static_cast<int>(wp.ptMaxPosition.x), static_cast<int>(wp.ptMaxPosition.y)}));
  WriteScreenKey(ini, section, kNormPos,
                 Format(u"%d,%d,%d,%d",
                        {static_cast<int>(wp.rcNormalPosition.left), static_cast<int>(wp.rcNormalPosition.top),
                         static_cast<int>(wp.rcNormalPosition.right), static_cast<int>(wp.rcNormalPosition.bottom)}));
}

void ReadWindowPlacement(TCustomForm* form, TObject* ini, const String& section, bool loadState, bool loadPosition) {
  if (!loadState && !loadPosition) return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(form->Handle(), &wp);
  if (!IsWindowVisible(form->Handle())) wp.showCmd = SW_HIDE;
  if (loadPosition) {
    wp.flags = static_cast<UINT>(StorageReadInteger(ini, section, kFlags, static_cast<int>(wp.flags)));
    const String minMax = ReadScreenKey(ini, section, kMinMaxPos);
    if (!minMax.empty()) {
      wp.ptMinPosition = {StorageWordInt(1, minMax, 0), StorageWordInt(2, minMax, 0)};
      wp.ptMaxPosition = {StorageWordInt(3, minMax, 0), StorageWordInt(4, minMax, 0)};
    }
    const String norm = ReadScreenKey(ini, section, kNormPos);
    if (!norm.empty()) {
      wp.rcNormalPosition.left = StorageWordInt(1, norm, form->Left());
      wp.rcNormalPosition.top = StorageWordInt(2, norm, form->Top());
      wp.rcNormalPosition.right = StorageWordInt(3, norm, form->Left() + form->Width());
      wp.rcNormalPosition.bottom = StorageWordInt(4, norm, form->Top() + form->Height());
    }
    const int ppi = Screen->PixelsPerInch();
    if ((!minMax.empty() || !norm.empty()) && StorageReadInteger(ini, section, kPixels, ppi) == ppi) {
      if (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin) {
        wp.rcNormalPosition.right = wp.rcNormalPosition.left + form->Width();
        wp.rcNormalPosition.bottom = wp.rcNormalPosition.top + form->Height();
      }
      if (wp.rcNormalPosition.right > wp.rcNormalPosition.left) {
        const TRect fitted = FitRectToScreen(TRect(wp.rcNormalPosition.left, wp.rcNormalPosition.top,
                                                   wp.rcNormalPosition.right, wp.rcNormalPosition.bottom));
        wp.rcNormalPosition = {fitted.Left, fitted.Top, fitted.Right, fitted.Bottom};
        if (form->Position() == poScreenCenter || form->Position() == poDesktopCenter) form->SetPosition(poDesigned);
        SetWindowPlacement(form->Handle(), &wp);
      }
    }
  }
  if (loadState) {
    TWindowState state = wsNormal;
    if (IsMainForm(form) && (form->FormStyle() == fsMDIForm ||
                             (form->FormStyle() == fsNormal && form->Position() == poDefault)))
      state = wsMaximized;
    switch (StorageReadInteger(ini, section, kShowCmd, 0)) {
    case SW_SHOWNORMAL: case SW_SHOW: case SW_RESTORE: state = wsNormal; break;
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: state = wsMinimized; break;
    case SW_SHOWMAXIMIZED: state = wsMaximized; break;
    default: break;
    }
    if (state == wsMinimized && IsMainForm(form)) {
      form->SetWindowState(wsNormal);
      PostMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
      form->SetWindowState(state);
    }
  }
  form->Update();
}
