#include "platform/ui/FormImage.h"
#include "platform/ui/Forms.h"
#include "platform/ui/graphics/PngWriter.h"
#include <cstdlib>

std::unique_ptr<TBitmap> PaintControlImage(TWinControl& control) {
  HWND window = control.Handle();
  control.Update();
  RECT r;
  GetWindowRect(window, &r);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(r.right - r.left, r.bottom - r.top);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(TRect(0, 0, bitmap->Width(), bitmap->Height()));
  control.PaintTo(canvas->Handle(), 0, 0);
  GdiFlush();
  return bitmap;
}

void SaveControlImage(TWinControl& control, const String& fileName) {
  std::unique_ptr<TBitmap> image = PaintControlImage(control);
  SaveBitmapAsPng(*image, fileName);
}

String LinuxPathToWindows(const std::string& path) {
  String result = u"Z:";
  for (char c : Utf8ToString(path)) result += c == u'/' ? u'\\' : c;
  return result;
}

bool CaptureDisplayImage(TWinControl& control, const std::string& linuxPngPath) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  HWND window = control.Handle();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Application->ProcessMessages();
  GdiFlush();
  // Let the X server take in what Wine sent it.
  Sleep(200);
  Application->ProcessMessages();
  RECT r;
  GetWindowRect(window, &r);
  std::string command = "import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                        std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" +
                        std::to_string(r.top) + " +repage '" + linuxPngPath + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}
