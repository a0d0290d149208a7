#include "EditsTestSupport.h"

#include "platform/rtl/DateUtils.h"

#include <cstdlib>
#include <filesystem>

namespace EditsTest {

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    Application->ProcessMessages();
    if (ms > 0) Sleep(5);
  } while (ms > 0 && static_cast<int>(end - GetTickCount()) > 0);
  Application->ProcessMessages();
}

namespace {

void SetModifiers(TShiftState shift) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = shift.Contains(ssShift) ? 0x80 : 0;
  state[VK_CONTROL] = shift.Contains(ssCtrl) ? 0x80 : 0;
  state[VK_MENU] = shift.Contains(ssAlt) ? 0x80 : 0;
  SetKeyboardState(state);
}

}  // namespace

void PressKey(WORD vk, TShiftState shift) {
  HWND target = GetFocus();
  if (!target) target = GetActiveWindow();
  SetModifiers(shift);
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1LL << 30) | (1LL << 31);
  const bool alt = shift.Contains(ssAlt);
  if (alt) down |= 1 << 29, up |= 1 << 29;
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, down);
  Application->ProcessMessages();
  PostMessageW(GetFocus() ? GetFocus() : target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, up);
  Application->ProcessMessages();
  SetModifiers(TShiftState());
}

void TypeText(const String& text) {
  for (char16_t c : text) {
    const SHORT vk = VkKeyScanW(static_cast<WCHAR>(c));
    const WORD key = static_cast<WORD>(vk & 0xFF);
    TShiftState shift;
    if (vk & 0x100) shift.Include(ssShift);
    if (vk != -1 && key != 0) {
      PressKey(key, shift);
    } else {
      PostMessageW(GetFocus(), WM_CHAR, c, 1);
      Application->ProcessMessages();
    }
  }
}

void ClickAt(TWinControl* control, int x, int y) {
  const LPARAM pos = MAKELPARAM(x, y);
  PostMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, pos);
  Application->ProcessMessages();
  PostMessageW(control->Handle(), WM_LBUTTONUP, 0, pos);
  Application->ProcessMessages();
}

std::string Screenshot(HWND window, const std::string& name) {
  RECT r{};
  if (!GetWindowRect(window, &r)) return std::string();
  Pump(150);
  UpdateWindow(window);
  Pump(50);
  const char* dir = std::getenv("BRQ_ARTIFACTS");
  const std::filesystem::path folder = dir && *dir ? dir : "artifacts";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const std::string path = (folder / (name + ".png")).string();
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return std::string();
  // Wine draws into the X display; reading a window back from inside the
  // process gives a blank picture, so the display is captured instead.
  const std::string command = "import -display '" + std::string(display) +
                              "' -window root -crop " + std::to_string(r.right - r.left) + "x" +
                              std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) +
                              "+" + std::to_string(r.top) + " +repage '" + path +
                              "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 ? path : std::string();
}

}  // namespace EditsTest

void EditsFixture::SetUp() {
  UiTestSeam::Reset();
  const TDateTime now = EncodeDate(2026, 6, 15) + EncodeTime(10, 30, 0, 0);
  SetClockForTesting([now] { return now; });
  Application->ProcessMessages();
}

void EditsFixture::TearDown() {
  for (int i = Screen->CustomFormCount() - 1; i >= 0; --i) {
    if (i >= Screen->CustomFormCount()) continue;
    Screen->CustomForms(i)->Free();
  }
  Application->ProcessMessages();
  UiTestSeam::Reset();
  ResetClockForTesting();
}

TForm* EditsFixture::NewForm(int clientWidth, int clientHeight) {
  auto* form = new TForm(Application);
  form->SetLeft(60);
  form->SetTop(60);
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(clientHeight);
  form->SetCaption(u"Teste");
  return form;
}
