#pragma once
// A stand-in for a skinned control: skin data put in front of a control's
// own message handling, answering the background questions and filling its
// cache with one pixel value when asked to prepare it.
#include "skin/engine/CommonData.h"
#include "skin/engine/ParentBg.h"
#include "skin/engine/SkinCommands.h"
#include "skin/graphics/Bitmaps32.h"
#include "platform/ui/Controls.h"
#include <memory>

struct TSkinnedStandIn {
  std::unique_ptr<TsCommonData> Data;
  uint32_t CachePixel = 0xFF000000;
  int PrepareCount = 0;
};

// Attaches skin data of Section to Control. WithCache false: a control that
// keeps no cache bitmap.
inline std::unique_ptr<TSkinnedStandIn> MakeSkinned(TControl* Control, const String& Section, bool WithCache,
                                                    uint32_t CachePixel = 0xFF000000) {
  auto s = std::make_unique<TSkinnedStandIn>();
  s->Data = std::make_unique<TsCommonData>(Control, WithCache);
  s->CachePixel = CachePixel;
  s->Data->Loading = false;
  s->Data->SetSkinSection(Section);
  TSkinnedStandIn* self = s.get();
  auto old = Control->WindowProc;
  Control->WindowProc = [old, self, Control](TMessage& m) {
    if (m.Msg != SM_SKINCMD) return old(m);
    TsCommonData& d = *self->Data;
    switch (m.WParamHi()) {
      case SKC_CTRLSKINNED: m.Result = d.Skinned() ? 1 : 0; return;
      case SKC_GETBGINFO: GetOwnBgInfo(&d, *reinterpret_cast<TacParentBgData*>(m.LParam), 0); m.Result = 1; return;
      case SKC_PREPARECACHE:
        ++self->PrepareCount;
        if (d.FCacheBmp) {
          d.InitCacheBmp();
          TPixelRows rows(d.FCacheBmp.get());
          for (int y = 0; y < rows.Height(); ++y)
            for (int x = 0; x < rows.Width(); ++x) rows.At(x, y) = self->CachePixel;
          d.FBGChanged = false;
        }
        m.Result = 1;
        return;
      default: old(m); return;
    }
  };
  (void)Control;
  return s;
}
