#include "support/AppDriver.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LPCWSTR W(const String& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }

String FromW(const WCHAR* text, size_t n) { return String(reinterpret_cast<const char16_t*>(text), n); }

String ModulePath() {
  WCHAR path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FromW(path, n);
}

String FolderOf(const String& path) {
  size_t slash = path.find_last_of(u"\\/");
  return slash == String::npos ? String() : path.substr(0, slash + 1);
}

bool Exists(const String& path) { return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES; }

// The Linux path of a Windows path, for the tools outside Wine.
std::string UnixPath(const String& path) {
  std::string utf8 = StringToUtf8(path);
  if (utf8.size() >= 2 && (utf8[0] == 'Z' || utf8[0] == 'z') && utf8[1] == ':') utf8.erase(0, 2);
  for (char& c : utf8)
    if (c == '\\') c = '/';
  return utf8;
}

bool StartsWith(StringView text, StringView prefix) { return text.substr(0, prefix.size()) == prefix; }

struct EnumState {
  DWORD process;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == state->process && IsWindowVisible(window)) state->windows->push_back(window);
  return TRUE;
}

void CollectChildren(HWND parent, std::vector<HWND>& out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    out.push_back(child);
    CollectChildren(child, out);
  }
}

bool FindInMenu(HMENU menu, const std::vector<String>& path, size_t level, HMENU& found, UINT& position) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    WCHAR text[256];
    int n = GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    if (n <= 0) continue;
    String itemText = FromW(text, static_cast<size_t>(n));
    // The menu text may carry the shortcut after a tab.
    size_t tab = itemText.find(u'\t');
    if (tab != String::npos) itemText.resize(tab);
    if (itemText != path[level]) continue;
    if (level + 1 == path.size()) {
      found = menu;
      position = static_cast<UINT>(i);
      return true;
    }
    HMENU sub = GetSubMenu(menu, i);
    return sub && FindInMenu(sub, path, level + 1, found, position);
  }
  return false;
}

}  // namespace

AppDriver::AppDriver() {
  WCHAR temp[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, temp);
  String base = FromW(temp, n);
  for (unsigned i = 0;; ++i) {
    String folder = base + u"brq_app_" + AsciiToString(std::to_string(GetCurrentProcessId())) + u"_" +
                    AsciiToString(std::to_string(i));
    if (CreateDirectoryW(W(folder), nullptr)) {
      FFolder = folder + u"\\";
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  // A Winelib program is a launcher script plus the shared object that
  // Wine loads; both go beside the ini.
  String built = BuiltExecutable();
  if (!FFolder.empty() && !built.empty()) {
    CopyFileW(W(built), W(FFolder + u"Brenquia.exe"), FALSE);
    CopyFileW(W(built + u".so"), W(FFolder + u"Brenquia.exe.so"), FALSE);
  }
}

AppDriver::~AppDriver() {
  Kill();
  if (FFolder.empty()) return;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(W(FFolder + u"*"), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      String name = reinterpret_cast<const char16_t*>(data.cFileName);
      if (name != u"." && name != u"..") DeleteFileW(W(FFolder + name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(W(FFolder));
}

String AppDriver::BuiltExecutable() {
  String tests = FolderOf(ModulePath());  // <build>\tests\ .
  String build = FolderOf(tests.substr(0, tests.size() - 1));
  String exe = build + u"app\\Brenquia.exe";
  return Exists(exe) && Exists(exe + u".so") ? exe : String();
}

bool AppDriver::Start(const String& arguments) {
  if (FFolder.empty() || !Exists(ExecutablePath() + u".so")) return false;
  // Starting the shared object itself makes the handle the program's own
  // process (the launcher script would run as a separate Unix process).
  String module = ExecutablePath() + u".so";
  String command = u"\"" + ExecutablePath() + u"\"";
  if (!arguments.empty()) command += u" " + arguments;
  command.push_back(u'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  if (!CreateProcessW(W(module), reinterpret_cast<LPWSTR>(command.data()), nullptr, nullptr, FALSE, 0, nullptr,
                      W(FFolder), &startup, &FProcess))
    return false;
  WaitForInputIdle(FProcess.hProcess, 10000);
  return true;
}

bool AppDriver::Running() const {
  return FProcess.hProcess && WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppDriver::WaitForExit(DWORD timeoutMs) {
  if (!FProcess.hProcess) return true;
  return WaitForSingleObject(FProcess.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD AppDriver::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (FProcess.hProcess) GetExitCodeProcess(FProcess.hProcess, &code);
  return code;
}

void AppDriver::Kill() {
  if (!FProcess.hProcess) return;
  if (Running()) {
    TerminateProcess(FProcess.hProcess, 99);
    WaitForSingleObject(FProcess.hProcess, 10000);
  }
  CloseHandle(FProcess.hThread);
  CloseHandle(FProcess.hProcess);
  FProcess = PROCESS_INFORMATION{};
}

std::vector<HWND> AppDriver::TopWindows() const {
  std::vector<HWND> windows;
  if (!FProcess.hProcess) return windows;
  EnumState state{FProcess.dwProcessId, &windows};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&state));
  return windows;
}

HWND AppDriver::FindWindowByCaption(StringView caption, bool prefix, StringView className) const {
  for (HWND window : TopWindows()) {
    String text = Text(window);
    bool match = prefix ? StartsWith(text, caption) : text == caption;
    if (match && (className.empty() || ClassName(window) == className)) return window;
  }
  return nullptr;
}

HWND AppDriver::WaitForWindow(StringView caption, DWORD timeoutMs, bool prefix, StringView className) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowByCaption(caption, prefix, className)) != nullptr || !Running(); },
            timeoutMs);
  return found;
}

bool AppDriver::WaitForWindowGone(HWND window, DWORD timeoutMs) const {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool AppDriver::WaitUntilEnabled(HWND window, DWORD timeoutMs) const {
  return WaitUntil([&] { return IsWindow(window) && IsWindowEnabled(window); }, timeoutMs);
}

std::vector<HWND> AppDriver::Children(HWND parent, StringView className) {
  std::vector<HWND> all;
  CollectChildren(parent, all);
  if (className.empty()) return all;
  std::vector<HWND> matching;
  for (HWND child : all)
    if (ClassName(child) == className) matching.push_back(child);
  return matching;
}

HWND AppDriver::Child(HWND parent, StringView className, size_t index) {
  std::vector<HWND> found = Children(parent, className);
  return index < found.size() ? found[index] : nullptr;
}

HWND AppDriver::ChildByText(HWND parent, StringView text) {
  for (HWND child : Children(parent))
    if (Text(child) == text) return child;
  return nullptr;
}

String AppDriver::Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return String();
  std::vector<WCHAR> buffer(length + 1);
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, 5000, &got))
    return String();
  return FromW(buffer.data(), got);
}

String AppDriver::ClassName(HWND window) {
  WCHAR name[256];
  int n = GetClassNameW(window, name, 256);
  return FromW(name, n > 0 ? static_cast<size_t>(n) : 0);
}

bool AppDriver::Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
bool AppDriver::Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

RECT AppDriver::ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

void AppDriver::SetText(HWND control, StringView text) {
  String copy(text);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()), SMTO_ABORTIFHUNG, 5000,
                      &result);
}

void AppDriver::TypeText(HWND control, StringView text) const {
  for (char16_t c : text) PostMessageW(control, WM_CHAR, c, 1);
  Settle();
}

void AppDriver::PressKey(HWND control, UINT virtualKey) const {
  UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(control, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(control, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
  Settle();
}

HWND AppDriver::FocusedControl() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!FProcess.hProcess || !GetGUIThreadInfo(FProcess.dwThreadId, &info)) return nullptr;
  return info.hwndFocus ? info.hwndFocus : info.hwndActive;
}

void AppDriver::PressKeyInFocus(UINT virtualKey) const {
  HWND focus = FocusedControl();
  if (focus) PressKey(focus, virtualKey);
}

void AppDriver::Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void AppDriver::ClickAt(HWND window, int x, int y) {
  LPARAM point = MAKELPARAM(x, y);
  PostMessageW(window, WM_MOUSEMOVE, 0, point);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
}

bool AppDriver::FindMenuItem(HWND window, const std::vector<String>& path, HMENU& menu, UINT& position) {
  HMENU bar = GetMenu(window);
  return bar && !path.empty() && FindInMenu(bar, path, 0, menu, position);
}

bool AppDriver::PickMenu(HWND window, const std::vector<String>& path) {
  HMENU menu;
  UINT position;
  if (!FindMenuItem(window, path, menu, position)) return false;
  UINT id = GetMenuItemID(menu, static_cast<int>(position));
  if (id == static_cast<UINT>(-1)) return false;
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return true;
}

HWND AppDriver::WaitForMessageBox(DWORD timeoutMs, StringView captionPrefix) const {
  return WaitForWindow(captionPrefix, timeoutMs, true, u"#32770");
}

String AppDriver::MessageBoxText(HWND box) {
  // The message is the static control with the id 0xFFFF; the icon is a
  // static too, without text.
  HWND text = GetDlgItem(box, 0xFFFF);
  if (text) return Text(text);
  for (HWND child : Children(box, u"Static"))
    if (!Text(child).empty()) return Text(child);
  return String();
}

void AppDriver::AnswerMessageBox(HWND box, int buttonId) {
  HWND button = GetDlgItem(box, buttonId);
  if (button)
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void AppDriver::Settle() const {
  // Give the posted messages time to be dispatched, then make sure the
  // program's thread answers (it is not stuck in long work).
  Sleep(100);
  HWND any = nullptr;
  for (HWND window : TopWindows()) {
    any = window;
    break;
  }
  DWORD_PTR result = 0;
  if (any) SendMessageTimeoutW(any, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
  Sleep(50);
}

bool AppDriver::SaveScreenshot(HWND window, const String& pngPath) {
  RECT r = ScreenRect(window);
  if (r.right <= r.left || r.bottom <= r.top) return false;
  // The window may have just been painted; let the X server catch up.
  Sleep(300);
  char geometry[96];
  std::snprintf(geometry, sizeof geometry, "%dx%d+%d+%d", static_cast<int>(r.right - r.left),
                static_cast<int>(r.bottom - r.top), static_cast<int>(r.left), static_cast<int>(r.top));
  std::string target = UnixPath(pngPath);
  // import's own -crop lands off the window; crop the whole screen instead.
  std::string command = "import -window root png:- 2>/dev/null | convert png:- -crop " + std::string(geometry) +
                        " +repage '" + target + "' 2>/dev/null";
  return std::system(command.c_str()) == 0;
}
