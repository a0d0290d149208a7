#include "platform/rtl/FormatSettings.h"

TFormatSettings BrazilianFormatSettings() { return TFormatSettings(); }

TFormatSettings FormatSettings = BrazilianFormatSettings();
