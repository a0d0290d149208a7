#include "skin/support/SkinModelFixture.h"
#include "skin/engine/CommonData.h"
#include "skin/engine/FormsBroadcast.h"
#include "skin/engine/SkinCommands.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace {
constexpr uint32_t CachePixel = 0xFF102030, Untouched = 0xFF000000;

template <class T>
T* ChildOf(TWinControl* parent, const TRect& r) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  return c;
}

// Records the skin commands a control hears and answers a few of them.
struct TListener {
  std::vector<WORD> Heard;
  std::map<WORD, LRESULT> Answers;
  void Attach(TControl* c) {
    auto old = c->WindowProc;
    c->WindowProc = [this, old](TMessage& m) {
      if (m.Msg != SM_SKINCMD) return old(m);
      Heard.push_back(m.WParamHi());
      auto answer = Answers.find(m.WParamHi());
      m.Result = answer == Answers.end() ? 0 : answer->second;
    };
  }
};

void FillCache(TsCommonData& data) {
  data.InitCacheBmp();
  TPixelRows rows(data.FCacheBmp.get());
  for (int y = 0; y < rows.Height(); ++y)
    for (int x = 0; x < rows.Width(); ++x) rows.At(x, y) = CachePixel;
}

uint32_t At(TBitmap& bmp, int x, int y) { return TPixelRows(&bmp).At(x, y) | 0xFF000000; }
}  // namespace

TEST(UiCommonData, CacheCopiedAroundChildren) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  AddSection(sm, u"GROUPBOX");
  const int frame = AddPart(sm, u"GROUPBOX", u"BORDERSMASK", TRect(40, 12, 52, 24));
  auto& md = sm.Model.ma[static_cast<size_t>(frame)];
  md.WL = 3, md.WR = 4, md.WB = 5;

  auto* form = new TForm(Application);
  form->SetBounds(20, 20, 300, 200);
  auto* box = ChildOf<TPanel>(form, TRect(0, 0, 120, 100));
  ChildOf<TBevel>(box, TRect(10, 10, 30, 30));
  auto* see = ChildOf<TPanel>(box, TRect(40, 10, 60, 30));
  see->SetControlStyle(TControlStyle{csAcceptsControls});  // not opaque
  ChildOf<TPanel>(box, TRect(70, 10, 90, 30));             // opaque
  ChildOf<TBevel>(box, TRect(95, 10, 110, 30))->SetVisible(false);
  form->Show();
  const HWND group = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(u"BUTTON"), nullptr,
                                     WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 40, 100, 55, box->Handle(), nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(group);
  TsCommonData data(box, true);
  data.Loading = false;
  FillCache(data);

  auto target = NewBmp32(120, 100);
  const HDC dc = target->Canvas()->Handle();
  const TRect all(0, 0, 120, 100);
  struct Probe {
    int X, Y;
    bool Copied;
  };
  const auto check = [&](const char* what, std::initializer_list<Probe> probes) {
    for (const auto& p : probes) EXPECT_EQ(At(*target, p.X, p.Y), p.Copied ? CachePixel : Untouched)
                                     << what << " at " << p.X << "," << p.Y;
  };
  const auto clear = [&] {
    TPixelRows rows(target.get());
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 120; ++x) rows.At(x, y) = Untouched;
  };

  clear();
  PaintCacheExceptControls(box, &data, all, all, dc, false);
  check("controls", {{5, 5, true}, {20, 20, false}, {50, 20, true}, {80, 20, false}, {100, 20, true}});
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, clip), 0);  // the DC is as it was
  DeleteObject(clip);
  clear();
  PaintCacheExceptControls(box, &data, all, all, dc, false, 5, 0);
  check("controls moved", {{12, 20, true}, {32, 20, false}});

  clear();
  PaintCacheExceptWindows(box->Handle(), &data, all, all, dc, false);
  check("windows", {{20, 20, true},     // a graphic control is no window
                    {50, 20, false}, {80, 20, false},
                    {50, 60, true},     // inside the group box
                    {11, 60, false},    // its left border strip
                    {107, 60, false},   // its right one
                    {50, 92, false},    // its bottom one
                    {14, 60, true}});

  clear();
  PaintCacheExceptWindows(box->Handle(), &data, TRect(0, 0, 10, 10), TRect(5, 5, 15, 15), dc, false);
  check("part of the cache", {{4, 4, false}, {5, 5, true}, {14, 14, true}, {15, 15, false}});

  DestroyWindow(group);
  data.FCacheBmp->SetSize(0, 0);
  clear();
  PaintCacheExceptControls(box, &data, all, all, dc, false);
  check("no cache", {{5, 5, false}});
}

TEST(UiCommonData, UpdatingParentNoticesAndRepaints) {
  TsSkinManager sm(nullptr);
  FillSampleModel(sm);
  const int clear = AddSection(sm, u"CLEAR");
  sm.Model.gd[static_cast<size_t>(clear)].Props[0].Transparency = 100;
  auto* form = new TForm(Application);
  form->SetBounds(20, 20, 300, 200);
  auto* parent = ChildOf<TPanel>(form, TRect(0, 0, 200, 150));
  auto* child = ChildOf<TPanel>(parent, TRect(10, 10, 100, 80));
  form->Show();
  TListener heard;
  heard.Attach(parent);
  TsCommonData data(child, true);
  data.Loading = false;
  data.SetSkinSection(u"BUTTON");

  EXPECT_FALSE(data.GetUpdating());
  heard.Answers[SKC_ISUPDATING] = 1;
  EXPECT_TRUE(data.GetUpdating());
  EXPECT_TRUE(data.RecheckUpdating(false));
  EXPECT_TRUE(data.FUpdating);  // kept
  heard.Answers[SKC_ISUPDATING] = 0;
  EXPECT_TRUE(data.GetUpdating());
  EXPECT_FALSE(data.RecheckUpdating(true));

  // The parent hears of a changed background unless it is updating.
  heard.Heard.clear();
  data.NotifyParentBGChanged();
  EXPECT_EQ(heard.Heard, (std::vector<WORD>{SKC_ISUPDATING, SKC_SETBGCHANGED, SKC_PREPARECACHE}));
  heard.Heard.clear();
  heard.Answers[SKC_ISUPDATING] = 1;
  data.NotifyParentBGChanged();
  EXPECT_EQ(heard.Heard, (std::vector<WORD>{SKC_ISUPDATING}));
  heard.Answers[SKC_ISUPDATING] = 0;
  data.FUpdating = false;

  // The outer effect is the parent's to paint.
  heard.Heard.clear();
  data.OuterEffects().SetVisibility(TacOuterVisibility::ovAlways);
  data.OuterEffects().SetVisibility(TacOuterVisibility::ovAlways);
  EXPECT_EQ(heard.Heard, (std::vector<WORD>{SKC_INVALIDATE}));

  // A fully transparent child is as plain as its parent says.
  struct Case {
    LRESULT Skinned, BgState;
    int Plain;
  } cases[] = {{0, 0, 1}, {1, 0, 0}, {1, 1, 1}};
  data.SetSkinSection(u"CLEAR");
  for (const auto& c : cases) {
    heard.Answers[SKC_CTRLSKINNED] = c.Skinned;
    heard.Answers[SKC_BGSTATE] = c.BgState;
    EXPECT_EQ(data.CalcPlainBackground(), c.Plain) << c.Skinned << c.BgState;
  }

  // Invalidate marks the cache stale and the window for painting; with
  // UpdateNow the paint is done at once.
  const HWND wnd = child->Handle();
  UpdateWindow(wnd);
  data.FBGChanged = false;
  data.Loading = true;
  data.Invalidate(false);
  EXPECT_FALSE(data.FBGChanged);
  data.Loading = false;
  data.Invalidate(false);
  EXPECT_TRUE(data.FBGChanged);
  EXPECT_TRUE(GetUpdateRect(wnd, nullptr, FALSE));
  data.BeginUpdate();
  data.EndUpdate(true);
  EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
}

TEST(UiCommonData, CursorInOwner) {
  auto* form = new TForm(Application);
  form->SetBounds(40, 40, 300, 200);
  auto* panel = ChildOf<TPanel>(form, TRect(10, 10, 100, 80));
  form->Show();
  form->Update();
  TsCommonData data(panel, false);
  const TPoint origin = panel->ClientToScreen(TPoint(0, 0));
  struct Case {
    const char* Name;
    int X, Y;
    bool Inside;
  } cases[] = {{"centre", 45, 35, true}, {"left of it", -5, 35, false}, {"below it", 45, 85, false}};
  for (const auto& c : cases) {
    SetCursorPos(origin.X + c.X, origin.Y + c.Y);
    EXPECT_EQ(data.CursorInOwner(), c.Inside) << c.Name;
  }
  SetCursorPos(origin.X + 45, origin.Y + 35);
  panel->Hide();
  EXPECT_FALSE(data.CursorInOwner());
  TsCommonData noOwner(nullptr, false);
  EXPECT_FALSE(noOwner.CursorInOwner());
}

TEST(UiSkinManager, ScrollSizeReachesEveryForm) {
  TsSkinManager sm(nullptr);
  auto* plain = new TForm(Application);
  auto* skinned = new TForm(Application);
  auto* panel = ChildOf<TPanel>(plain, TRect(0, 0, 50, 50));
  plain->HandleNeeded();
  skinned->HandleNeeded();
  panel->HandleNeeded();
  TListener toPlain, toSkinned, toPanel;
  toPlain.Attach(plain);
  toSkinned.Attach(skinned);
  toPanel.Attach(panel);
  toSkinned.Answers[SKC_CTRLSKINNED] = 1;
  toPanel.Answers[SKC_CTRLSKINNED] = 1;
  int registryPass = 0;
  BroadcastToSkinnedForms = [&](TMessage& m) { registryPass += m.WParamHi() == SKC_SCROLLSIZECHANGED; };

  sm.ScrollsOptions().SetScrollSize(12);
  sm.ScrollsOptions().SetScrollSize(12);  // unchanged: nothing
  const auto count = [](const TListener& l) {
    return std::count(l.Heard.begin(), l.Heard.end(), SKC_SCROLLSIZECHANGED);
  };
  EXPECT_EQ(count(toPlain), 1);
  EXPECT_EQ(count(toPanel), 1);
  EXPECT_EQ(count(toSkinned), 0);  // the registry's to serve
  EXPECT_EQ(registryPass, 1);
  BroadcastToSkinnedForms = nullptr;
}
