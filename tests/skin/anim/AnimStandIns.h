#pragma once
// Stand-ins for the form skinning the animations drive: a provider whose
// form renders a known image as its frame, a border window, a dialog
// handler, and a recorder of every layered-window frame.
#include "skin/engine/AnimForm.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/DialogNeighbours.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/Bitmaps32.h"
#include "skin/graphics/LayeredWindows.h"
#include "skin/graphics/Pixels32.h"
#include <vector>

struct TFrameRecord {
  HWND Wnd;
  int Alpha;
  TSize Size;
  TPoint Pos;
};

// Logs each UpdateLayeredWindow, then lets the system's run.
class TFrameRecorder {
public:
  TFrameRecorder() {
    Real = LayeredWindowProcs().UpdateLayeredWindow;
    LayeredWindowProcs().UpdateLayeredWindow = &Record;
    Log().clear();
  }
  ~TFrameRecorder() { LayeredWindowProcs().UpdateLayeredWindow = Real; }
  static std::vector<TFrameRecord>& Log() {
    static std::vector<TFrameRecord> log;
    return log;
  }
  static std::vector<int> AlphasOf(HWND Wnd) {
    std::vector<int> alphas;
    for (const auto& f : Log())
      if (f.Wnd == Wnd) alphas.push_back(f.Alpha);
    return alphas;
  }

private:
  static BOOL WINAPI Record(HWND Wnd, HDC Screen, POINT* Pos, SIZE* Size, HDC Src, POINT* SrcPos, COLORREF Key,
                            BLENDFUNCTION* Blend, DWORD Flags) {
    RECT wr{};
    GetWindowRect(Wnd, &wr);
    TPoint pos = Pos ? TPoint(Pos->x, Pos->y) : TPoint(wr.left, wr.top);
    Log().push_back({Wnd, Blend ? Blend->SourceConstantAlpha : -1, Size ? TSize(Size->cx, Size->cy) : TSize(), pos});
    return Real ? Real(Wnd, Screen, Pos, Size, Src, SrcPos, Key, Blend, Flags) : TRUE;
  }
  static inline decltype(TLayeredWindowProcs::UpdateLayeredWindow) Real = nullptr;
};

inline std::unique_ptr<TBitmap> SolidBmp(int W, int H, uint32_t Pixel) {
  auto bmp = NewBmp32(W, H);
  TPixelRows rows(bmp.get());
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) rows.At(x, y) = Pixel;
  return bmp;
}

class TStandInBorder : public TacBorderForm {
public:
  int Created = 0;
  void CreateNewForm() override {
    ++Created;
    AForm = std::make_unique<TacAnimForm>(nullptr);
  }
};

// A skinned form: answers the provider question and prints its cache.
class TStandInProvider : public TsSkinProvider {
public:
  TStandInProvider(TCustomForm* AForm, uint32_t Pixel, TacBorderForm* Border = nullptr)
      : FForm(AForm), FBorder(Border), FData(std::make_unique<TsCommonData>(nullptr, true)) {
    FData->Loading = false;
    FData->FCacheBmp = SolidBmp(AForm->Width(), AForm->Height(), Pixel);
    auto old = AForm->WindowProc;
    AForm->WindowProc = [this, old](TMessage& m) {
      if (m.Msg == SM_SKINCMD && m.WParamHi() == SKC_GETPROVIDER) {
        m.Result = reinterpret_cast<LRESULT>(this);
      } else if (m.Msg == SM_SKINCMD && m.WParamHi() == SKC_CTRLSKINNED) {
        m.Result = 1;
      } else if (m.Msg == WM_PRINT) {
        TBitmap& c = *FData->FCacheBmp;
        BitBlt(reinterpret_cast<HDC>(m.WParam), 0, 0, c.Width(), c.Height(), c.Canvas()->Handle(), 0, 0, SRCCOPY);
      } else {
        old(m);
      }
    };
  }
  TCustomForm* Form() const override { return FForm; }
  TsCommonData* CommonData() const override { return FData.get(); }
  TacBorderForm* BorderForm() const override { return FBorder; }

private:
  TCustomForm* FForm;
  TacBorderForm* FBorder;
  std::unique_ptr<TsCommonData> FData;
};

class TStandInDialog : public TacDialogWnd {
public:
  TStandInDialog(HWND Wnd, int W, int H, uint32_t Pixel) : FData(std::make_unique<TsCommonData>(nullptr, true)) {
    CtrlHandle = Wnd;
    FData->Loading = false;
    FData->FCacheBmp = SolidBmp(W, H, Pixel);
    SkinData = FData.get();
  }

private:
  std::unique_ptr<TsCommonData> FData;
};
