#pragma once
// A holder of one picture of any registered kind, chosen on loading by the
// file's extension.
#include "platform/ui/graphics/Bitmap.h"
#include "platform/ui/graphics/Icon.h"
#include <functional>

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

class TPicture : public TPersistent {
public:
  TPicture() = default;
  ~TPicture() override;

  // nullptr when the picture is empty.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of value (nullptr empties the picture).
  void SetGraphic(const TGraphic* value);
  // The picture as a bitmap or an icon; when it holds another kind (or
  // nothing) it is replaced by an empty one first.
  TBitmap* Bitmap();
  TIcon* Icon();
  int Width() const { return FGraphic ? FGraphic->Width() : 0; }
  int Height() const { return FGraphic ? FGraphic->Height() : 0; }

  // Raises EInvalidGraphic for an extension no format is registered for.
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName);

  // A TPicture or a TGraphic.
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

  // Makes files with extension (with or without the dot, any case) load
  // through factory. "bmp" and "ico" are registered from the start.
  static void RegisterFileFormat(const String& extension, const String& description, TGraphicFactory factory);
  // The registered description of an extension; empty when unknown.
  static String FileFormatDescription(const String& extension);

protected:
  virtual void Changed();

private:
  void Replace(std::unique_ptr<TGraphic> graphic);

  std::unique_ptr<TGraphic> FGraphic;
};
