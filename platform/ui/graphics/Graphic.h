#pragma once
// The abstract picture: something with a size that can draw itself onto a
// canvas and be read from and written to a file or stream.
#include "platform/ui/graphics/GraphicErrors.h"
#include "platform/ui/graphics/Canvas.h"
#include <memory>

class TStream;

class TGraphic : public TPersistent {
public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int value) = 0;
  virtual void SetSize(int width, int height);
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  bool Modified() const { return FModified; }
  void SetModified(bool value);

  // File names are Windows paths (relative ones to the current folder).
  virtual void LoadFromFile(const String& fileName);
  virtual void SaveToFile(const String& fileName);
  // Reads the picture starting at the stream's position and leaves the
  // position after it; writes at the stream's position.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;

  // A new picture of the same class holding a copy of this one.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // Draws the picture stretched into rect of canvas; TCanvas::Draw and
  // StretchDraw come here.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

  TNotifyEvent OnChange;

protected:
  // Marks the picture modified and raises OnChange.
  virtual void Changed();

private:
  bool FTransparent = false;
  bool FModified = false;
};
