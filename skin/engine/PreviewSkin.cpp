#include "skin/engine/PreviewSkin.h"
#include "skin/engine/SkinManager.h"
#include <cstring>

bool PreviewMode = false;
std::unique_ptr<TStringList> PreviewOptions;

String PreviewText(const char* Field, size_t FieldSize) {
  const int length = static_cast<int>(strnlen(Field, FieldSize));
  if (length == 0) return String();
  const int wide = MultiByteToWideChar(CP_ACP, 0, Field, length, nullptr, 0);
  String text(static_cast<size_t>(wide), u'\0');
  MultiByteToWideChar(CP_ACP, 0, Field, length, reinterpret_cast<LPWSTR>(&text[0]), wide);
  return text;
}

void TsSkinManager::ApplyPreviewSkin() {
  if (PreviewBuffer->Magic != PreviewMagic) return;
  PreviewMode = true;
  BeginUpdate();
  PreviewOptions = std::make_unique<TStringList>();
  PreviewOptions->SetText(PreviewText(PreviewBuffer->Data, sizeof(PreviewBuffer->Data)));
  // The options go with the call, whatever the loading does.
  struct TOptionsScope {
    ~TOptionsScope() { PreviewOptions.reset(); }
  } scope;
  SetSkinDirectory(PreviewText(PreviewBuffer->SkinDir, sizeof(PreviewBuffer->SkinDir)));
  SetSkinName(PreviewText(PreviewBuffer->SkinName, sizeof(PreviewBuffer->SkinName)));
  EndUpdate(true, false);
}
