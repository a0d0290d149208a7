#pragma once
// The abstract picture: something with a size that can draw itself onto a
// canvas and be read from and written to a file or stream.
#include "platform/ui/graphics/GraphicErrors.h"
#include "platform/ui/graphics/Canvas.h"
#include <memory>

class TStream;

enum TProgressStage : uint8_t { psStarting, psRunning, psEnding };
// Progress of a long load: stage, percent done, whether to redraw now, the
// part of the picture that is ready, and a text.
using TProgressEvent = std::function<void(TObject* Sender, TProgressStage stage, uint8_t percentDone,
                                          bool redrawNow, const TRect& r, const String& msg)>;

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
  TProgressEvent OnProgress;

protected:
  // Marks the picture modified and raises OnChange.
  virtual void Changed();
  // Raises OnProgress with this picture as the sender.
  void Progress(TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& r, const String& msg);

private:
  bool FTransparent = false;
  bool FModified = false;
};
