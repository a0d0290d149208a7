#include "skin/graphics/GradientText.h"
#include "platform/rtl/NumUtils.h"
#include <algorithm>
#include <vector>

void ParseGradientText(const String& Text, TsGradArray& Bands) {
  Bands.clear();
  if (Text.empty()) return;
  // Split once: picking each word from the start again would make a long
  // text cost the square of its length.
  std::vector<String> words;
  for (size_t at = 0; at < Text.size();) {
    const size_t end = std::min(Text.find(u';', at), Text.size());
    if (end > at) words.push_back(Text.substr(at, end - at));
    at = end + 1;
  }
  const size_t count = words.size() / 5;
  Bands.resize(count);
  for (size_t i = 0; i < count; ++i) {
    TsGradPie& band = Bands[i];
    band.Color1 = ColorToRGB(StrToInt(words[5 * i]));
    band.Color2 = ColorToRGB(StrToInt(words[5 * i + 1]));
    band.Percent = static_cast<TPercent>(std::clamp(StrToInt(words[5 * i + 2]), 0, 100));
    band.Mode1 = StrToInt(words[5 * i + 3]);
  }
}
