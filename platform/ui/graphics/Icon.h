#pragma once
// An icon (HICON) read from .ico files, streams or resources.
#include "platform/ui/graphics/Graphic.h"

class TIcon : public TGraphic {
public:
  TIcon() = default;
  ~TIcon() override;

  bool Empty() const override { return FHandle == nullptr; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // An icon's size comes from its image: raises EInvalidGraphicOperation.
  void SetWidth(int value) override;
  void SetHeight(int value) override;

  HICON Handle() const { return FHandle; }
  // Takes ownership of the icon.
  void SetHandle(HICON value);
  HICON ReleaseHandle();

  // From an .ico file, the image whose size is nearest the system's icon
  // size, with the most colours. Raises EInvalidGraphic on a bad file.
  void LoadFromStream(TStream& stream) override;
  // The file it was read from, unchanged; an icon given as a handle is
  // written as a one-image .ico file.
  void SaveToStream(TStream& stream) override;
  void LoadFromIcoBytes(const std::string& bytes);
  std::string SaveToIcoBytes() const;
  void LoadFromResourceName(HINSTANCE instance, const String& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(const TPersistent& source) override;
  void Draw(TCanvas& canvas, const TRect& rect) override;

private:
  void Replace(HICON handle, std::string data);

  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  std::string FData;  // the .ico file the icon came from
};
