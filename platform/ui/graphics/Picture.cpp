#include "platform/ui/graphics/Picture.h"
#include <map>

namespace {

struct FileFormat {
  String Description;
  TGraphicFactory Factory;
};

String NormalExtension(const String& extension) {
  String e = !extension.empty() && extension[0] == u'.' ? extension.substr(1) : extension;
  for (char16_t& c : e)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return e;
}

std::map<String, FileFormat>& Formats() {
  static std::map<String, FileFormat> formats = {
      {u"bmp", {u"Bitmaps", [] { return std::unique_ptr<TGraphic>(new TBitmap); }}},
      {u"ico", {u"Icons", [] { return std::unique_ptr<TGraphic>(new TIcon); }}},
  };
  return formats;
}

String ExtensionOf(const String& fileName) {
  size_t dot = fileName.find_last_of(u".\\/:");
  if (dot == String::npos || fileName[dot] != u'.') return String();
  return fileName.substr(dot);
}

}  // namespace

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& extension, const String& description, TGraphicFactory factory) {
  Formats()[NormalExtension(extension)] = {description, std::move(factory)};
}

String TPicture::FileFormatDescription(const String& extension) {
  auto it = Formats().find(NormalExtension(extension));
  return it == Formats().end() ? String() : it->second.Description;
}

void TPicture::Replace(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
}

void TPicture::SetGraphic(const TGraphic* value) {
  Replace(value ? value->Clone() : nullptr);
  Changed();
}

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Replace(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Replace(std::make_unique<TIcon>());
  return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& fileName) {
  String extension = ExtensionOf(fileName);
  auto it = Formats().find(NormalExtension(extension));
  if (it == Formats().end()) throw EInvalidGraphic(u"Unknown picture file extension (" + extension + u")");
  std::unique_ptr<TGraphic> graphic = it->second.Factory();
  graphic->LoadFromFile(fileName);
  Replace(std::move(graphic));
  Changed();
}

void TPicture::SaveToFile(const String& fileName) {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent& source) {
  if (auto* picture = dynamic_cast<const TPicture*>(&source)) {
    if (picture != this) SetGraphic(picture->Graphic());
  } else if (auto* graphic = dynamic_cast<const TGraphic*>(&source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}
