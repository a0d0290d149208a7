#include "platform/classes/Win32Error.h"
#include <windows.h>

String Win32ErrorText(unsigned long errorCode) {
  WCHAR buffer[512];
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                               FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, errorCode, 0, buffer, 512, nullptr);
  String text(reinterpret_cast<const char16_t*>(buffer), n);
  while (!text.empty() && (text.back() <= u' ' || text.back() == u'.')) text.pop_back();
  if (text.empty()) text = u"System error code " + AsciiToString(std::to_string(errorCode));
  return text;
}
