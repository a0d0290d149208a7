#include "platform/classes/Strings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/Forms.h"
#include <algorithm>

namespace {
// The system cursor each crXxx number stands for.
LPCWSTR SystemCursorOf(int index) {
  switch (index) {
    case crArrow: return reinterpret_cast<LPCWSTR>(IDC_ARROW);
    case crCross: return reinterpret_cast<LPCWSTR>(IDC_CROSS);
    case crIBeam: return reinterpret_cast<LPCWSTR>(IDC_IBEAM);
    case crSizeNESW: return reinterpret_cast<LPCWSTR>(IDC_SIZENESW);
    case crSizeNS: return reinterpret_cast<LPCWSTR>(IDC_SIZENS);
    case crSizeNWSE: return reinterpret_cast<LPCWSTR>(IDC_SIZENWSE);
    case crSizeWE: return reinterpret_cast<LPCWSTR>(IDC_SIZEWE);
    case crUpArrow: return reinterpret_cast<LPCWSTR>(IDC_UPARROW);
    case crHourGlass: return reinterpret_cast<LPCWSTR>(IDC_WAIT);
    case crDrag: return reinterpret_cast<LPCWSTR>(IDC_ARROW);
    case crNoDrop: return reinterpret_cast<LPCWSTR>(IDC_NO);
    case crHSplit: return reinterpret_cast<LPCWSTR>(IDC_SIZEWE);
    case crVSplit: return reinterpret_cast<LPCWSTR>(IDC_SIZENS);
    case crMultiDrag: return reinterpret_cast<LPCWSTR>(IDC_ARROW);
    case crSQLWait: return reinterpret_cast<LPCWSTR>(IDC_WAIT);
    case crNo: return reinterpret_cast<LPCWSTR>(IDC_NO);
    case crAppStart: return reinterpret_cast<LPCWSTR>(IDC_APPSTARTING);
    case crHelp: return reinterpret_cast<LPCWSTR>(IDC_HELP);
    case crHandPoint: return reinterpret_cast<LPCWSTR>(IDC_HAND);
    case crSizeAll: return reinterpret_cast<LPCWSTR>(IDC_SIZEALL);
    default: return nullptr;
  }
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  auto* list = reinterpret_cast<std::vector<std::unique_ptr<TMonitor>>*>(lp);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(monitor, &info);
  auto m = std::make_unique<TMonitor>();
  m->Handle = monitor;
  m->MonitorNum = static_cast<int>(list->size());
  m->Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  m->BoundsRect = TRect(info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom);
  m->WorkareaRect = TRect(info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom);
  list->push_back(std::move(m));
  return TRUE;
}

int CALLBACK AddFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  String name(reinterpret_cast<const char16_t*>(font->lfFaceName));
  if (!name.empty() && name[0] != u'@') reinterpret_cast<TStringList*>(list)->Add(name);
  return 1;
}
}  // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}
TScreen::~TScreen() = default;

TFont* TScreen::HintFont() {
  if (!FHintFont) {
    FHintFont = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      FHintFont->SetHandle(CreateFontIndirectW(&metrics.lfStatusFont));
  }
  return FHintFont.get();
}

TFont* TScreen::MenuFont() {
  if (!FMenuFont) {
    FMenuFont = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      FMenuFont->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
  }
  return FMenuFont.get();
}

void TScreen::SetCursor(TCursor value) {
  if (value != FCursor) {
    FCursor = value;
    if (value == crDefault) {
      // Let the window under the mouse choose its own cursor again.
      POINT p;
      GetCursorPos(&p);
      HWND window = WindowFromPoint(p);
      if (window) SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    } else {
      ::SetCursor(Cursors(value));
    }
  }
  ++FCursorCount;
}

HCURSOR TScreen::Cursors(int index) {
  auto it = FCursors.find(index);
  if (it != FCursors.end()) return it->second;
  LPCWSTR system = SystemCursorOf(index);
  HCURSOR handle = LoadCursorW(nullptr, system ? system : reinterpret_cast<LPCWSTR>(IDC_ARROW));
  if (system || index == crDefault) FCursors[index] = handle;
  return handle;
}

void TScreen::SetCursors(int index, HCURSOR handle) {
  if (handle)
    FCursors[index] = handle;
  else
    FCursors.erase(index);
}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError(u"List index out of bounds");
  return FForms[static_cast<size_t>(index)];
}

TCustomForm* TScreen::CustomForms(int index) const {
  if (index < 0 || index >= CustomFormCount()) throw EListError(u"List index out of bounds");
  return FCustomForms[static_cast<size_t>(index)];
}

void TScreen::InsertForm(TCustomForm* form) {
  FCustomForms.push_back(form);
  if (auto* f = dynamic_cast<TForm*>(form)) FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* form) {
  FCustomForms.erase(std::remove(FCustomForms.begin(), FCustomForms.end(), form), FCustomForms.end());
  FForms.erase(std::remove(FForms.begin(), FForms.end(), static_cast<TForm*>(form)), FForms.end());
  if (FActiveCustomForm == form) FActiveCustomForm = nullptr;
  if (FActiveForm == form) FActiveForm = nullptr;
  if (FFocusedForm == form) FFocusedForm = nullptr;
  for (auto& saved : FSaveFocusedList)
    if (saved == form) saved = nullptr;
  if (FActiveControl && GetParentForm(FActiveControl) == form) FActiveControl = nullptr;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::WorkAreaRect() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return TRect(r.left, r.top, r.right, r.bottom);
}

void TScreen::RefreshMonitors() const {
  FMonitors.clear();
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&FMonitors));
}

int TScreen::MonitorCount() const {
  RefreshMonitors();
  return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::Monitors(int index) const {
  RefreshMonitors();
  if (index < 0 || index >= static_cast<int>(FMonitors.size())) throw EListError(u"List index out of bounds");
  return FMonitors[static_cast<size_t>(index)].get();
}

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    FFonts = std::make_unique<TStringList>();
    FFonts->SetSorted(true);
    FFonts->SetDuplicates(dupIgnore);
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, AddFontFamily, reinterpret_cast<LPARAM>(FFonts.get()), 0);
    ReleaseDC(nullptr, dc);
  }
  return FFonts.get();
}
