#include "skin/graphics/GradientText.h"
#include "skin/graphics/LibUtils.h"
#include "platform/rtl/NumUtils.h"
#include <algorithm>

void ParseGradientText(const String& Text, TsGradArray& Bands) {
  Bands.clear();
  if (Text.empty()) return;
  const TSysCharSet delims = CharSet(";");
  const int count = CountWords(Text, delims) / 5;
  Bands.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    TsGradPie& band = Bands[static_cast<size_t>(i)];
    band.Color1 = ColorToRGB(StrToInt(NthWord(5 * i + 1, Text, delims)));
    band.Color2 = ColorToRGB(StrToInt(NthWord(5 * i + 2, Text, delims)));
    band.Percent = static_cast<TPercent>(std::clamp(StrToInt(NthWord(5 * i + 3, Text, delims)), 0, 100));
    band.Mode1 = StrToInt(NthWord(5 * i + 4, Text, delims));
  }
}
