#include "skin/engine/SkinManagerUnit.h"
#include "skin/engine/DefaultShadows.h"
#include "skin/engine/SkinManager.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/PngGraphic.h"
#include "skin/graphics/Pixels32.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"

namespace {
std::unique_ptr<TBitmap> DecodeShadow(const unsigned char* Png, size_t Size) {
  TMemoryStream stream;
  stream.WriteBuffer(Png, static_cast<int64_t>(Size));
  stream.SetPosition(0);
  auto bmp = NewBmp32(0, 0);
  LoadPngStream(*bmp, stream);
  Force32Bit(*bmp);
  ZeroWhitePixels(*bmp);
  return bmp;
}

void ShowVersionIfAsked() {
  std::vector<String> params;
  for (int i = 1; i <= ParamCount(); ++i) params.push_back(ParamStr(i));
  if (VersionSwitchIndex(params) < 0) return;
  const String text = LibraryVersionText();
  MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.c_str()), reinterpret_cast<LPCWSTR>(u""), MB_OK);
}

const bool Registered = (AddUnitStartup(StartSkinManagerUnit), true);
}  // namespace

String LibraryVersionText() { return u"Velmoria v" + TsSkinManager::Version(); }

int VersionSwitchIndex(const std::vector<String>& Params) {
  for (size_t i = 0; i < Params.size(); ++i) {
    String lower = Params[i];
    for (auto& c : lower)
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (lower == u"/acver") return static_cast<int>(i);
  }
  return -1;
}

void StartSkinManagerUnit() {
  static bool started = false;
  (void)Registered;
  if (started) return;
  started = true;
  try {
    DefaultShadowActive = DecodeShadow(DefaultShadowActivePng, DefaultShadowActivePngSize);
    DefaultShadowInactive = DecodeShadow(DefaultShadowInactivePng, DefaultShadowInactivePngSize);
  } catch (...) {
    // Without them a skin that has no shadow image keeps its shadow size.
    DefaultShadowActive.reset();
    DefaultShadowInactive.reset();
  }
  ShowVersionIfAsked();
}
