#pragma once
// Enhanced metafiles: a recorded drawing that replays at any size, made
// through a metafile canvas.
#include "platform/ui/graphics/Graphic.h"

class TMetafile : public TGraphic {
public:
  TMetafile() = default;
  ~TMetafile() override;

  bool Empty() const override { return FHandle == nullptr; }
  // Pixels of the screen; taken from the recorded frame unless set.
  int Width() const override { return FWidth; }
  void SetWidth(int value) override;
  int Height() const override { return FHeight; }
  void SetHeight(int value) override;

  HENHMETAFILE Handle() const { return FHandle; }
  // Takes ownership of the metafile.
  void SetHandle(HENHMETAFILE value);
  HENHMETAFILE ReleaseHandle();

  // The EMF file form; loading raises EInvalidGraphic on a bad file.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  std::unique_ptr<TGraphic> Clone() const override;
  void Assign(const TPersistent& source) override;
  void Draw(TCanvas& canvas, const TRect& rect) override;

private:
  void Replace(HENHMETAFILE handle);

  HENHMETAFILE FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

// Records what is drawn on it into a metafile; the metafile receives the
// recording when the canvas is destroyed.
class TMetafileCanvas : public TCanvas {
public:
  // The metafile's Width and Height, when set, bound the recording;
  // referenceDevice (nullptr: the screen) gives the resolution.
  TMetafileCanvas(TMetafile* metafile, HDC referenceDevice);
  ~TMetafileCanvas() override;

private:
  TMetafile* FMetafile;
  HDC FRecorder = nullptr;
};
