#include "support/Artifacts.h"
#include <cstdlib>

String ArtifactPath(const char* name) {
  const char* folder = std::getenv("BRQ_ARTIFACTS");
  if (!folder || !*folder) return String();
  String path = u"Z:" + AsciiToString(folder) + u"\\" + AsciiToString(name);
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  return path;
}
