#include "EditsTestSupport.h"

#include "platform/rtl/DateUtils.h"

#include <cstdlib>
#include <filesystem>

namespace EditsTest {

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

COLORREF PixelAt(HWND window, int x, int y) {
  UpdateWindow(window);
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
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
