// The 27 alignment kinds of a site's children, laid out in their fixed
// order, and the anchors of the children that have none.
#include "report/components/RLControlUtils.h"
#include "report/components/RLSiteKinds.h"
#include <algorithm>
#include <array>
#include <cmath>

namespace {
// The controls of a sorted list, read in place.
template <typename Entry>
struct EntryControls {
  const std::vector<Entry>& Entries;
  struct Iterator {
    typename std::vector<Entry>::const_iterator At;
    TControl* operator*() const { return At->Control; }
    Iterator& operator++() {
      ++At;
      return *this;
    }
    bool operator!=(const Iterator& o) const { return At != o.At; }
  };
  Iterator begin() const { return {Entries.begin()}; }
  Iterator end() const { return {Entries.end()}; }
  size_t size() const { return Entries.size(); }
  TControl* operator[](size_t i) const { return Entries[i].Control; }
};

// Where a control's position puts it in the list of a kind that orders
// by one coordinate: smaller first, so the kinds that put larger first
// negate it. The rows along the bottom are filled from the left, as those
// along the top: ordered by larger left they would swap on every layout.
int OrderOf(TRLControlAlign kind, int left, int top) {
  switch (kind) {
    case faTop: case faCenterLeft: case faCenterRight: case faClientLeft: case faClientRight: case faHeight:
    case faTopOnly:
      return top;
    case faBottom: case faBottomOnly:
      return -top;
    case faLeft: case faLeftMost: case faClient: case faCenter: case faCenterTop: case faClientTop: case faWidth:
    case faLeftOnly: case faCenterBottom: case faClientBottom:
      return left;
    case faRight: case faRightMost: case faRightOnly:
      return -left;
    default:
      return 0;
  }
}

// Whether a goes before b in the list of kind.
template <typename Entry>
bool Precedes(const Entry& a, const Entry& b, TRLControlAlign kind) {
  if (a.Key != b.Key) return a.Key < b.Key;
  if (a.GroupIndex != b.GroupIndex) return a.GroupIndex < b.GroupIndex;
  switch (kind) {
    case faLeftTop: return a.Left < b.Left && a.Top < b.Top;
    case faRightTop: return a.Left > b.Left && a.Top < b.Top;
    case faLeftBottom: return a.Left < b.Left && a.Top > b.Top;
    case faRightBottom: return a.Left > b.Left && a.Top > b.Top;
    default: return a.Order < b.Order;
  }
}

// The corner kinds compare two positions at once, which orders nothing
// strictly: each control goes before the first one it precedes, looked for
// in turn. The others order strictly, where the same place is found by
// halving.
bool OrdersStrictly(TRLControlAlign kind) {
  return kind != faLeftTop && kind != faRightTop && kind != faLeftBottom && kind != faRightBottom;
}

template <typename Entry>
bool PrecedesStrictly(const Entry& a, const Entry& b) {
  if (a.Key != b.Key) return a.Key < b.Key;
  if (a.GroupIndex != b.GroupIndex) return a.GroupIndex < b.GroupIndex;
  return a.Order < b.Order;
}

void Place(TControl* c, int left, int top, int width, int height) { c->SetBounds(left, top, width, height); }

// What is left to share of an area the kinds before have overrun: nothing,
// not a negative size. Shares of a negative size would lay the controls
// out backwards, so the next layout, ordering them by position, would
// reverse them again.
int Room(int extent) { return std::max(0, extent); }

// Equal shares of extent for count controls, the last taking the rest.
int ShareOf(int extent, int index, int count, int consumed) {
  return Room(index == count - 1 ? Room(extent) - consumed : Room(extent) / count);
}
}  // namespace

void TRLCustomSite::AlignControlsIn(TRect R) {
  if (ControlCount() == 0) {
    AnchorChildren({});
    return;
  }
  // Taken for this layout and given back after it: a layout started by a
  // child's new bounds makes lists of its own.
  std::vector<std::vector<TAlignEntry>> sorted = std::move(FAlignLists);
  sorted.resize(RLControlAlignCount);
  for (auto& list : sorted) list.clear();
  const bool designing = IsDesigning();
  // What decides the layout is noted with each child (see RememberLayout).
  for (TChildEntry& child : FChildren) {
    TRLCustomControl* rl = child.Report;
    TControl* c = child.Control;
    child.Visible = c->Visible();
    const TRLControlAlign kind = rl ? rl->Align() : AlignOf(c);
    child.Kind = kind;
    if (!child.Visible && !designing) continue;
    auto& list = sorted[kind];
    if (kind == faNone) {
      list.push_back({c, rl, 0, 0, 0, 0, 0});
      continue;
    }
    child.Key = rl ? rl->AlignSortKey() : 100;
    child.GroupIndex = rl ? rl->AlignGroupIndex() : 0;
    const int left = c->Left(), top = c->Top();
    const TAlignEntry entry{c, rl, child.Key, child.GroupIndex, left, top, OrderOf(kind, left, top)};
    auto pos = OrdersStrictly(kind) ? std::upper_bound(list.begin(), list.end(), entry, PrecedesStrictly<TAlignEntry>)
                                    : std::find_if(list.begin(), list.end(), [&](const TAlignEntry& other) {
                                        return Precedes(entry, other, kind);
                                      });
    list.insert(pos, entry);
  }
  auto lists = [&sorted](TRLControlAlign kind) { return EntryControls<TAlignEntry>{sorted[kind]}; };

  TRect area = R;
  for (TControl* c : lists(faLeftMost)) {
    Place(c, area.Left, area.Top, c->Width(), area.Height());
    area.Left += c->Width();
  }
  for (TControl* c : lists(faRightMost)) {
    Place(c, area.Right - c->Width(), area.Top, c->Width(), area.Height());
    area.Right -= c->Width();
  }
  for (TControl* c : lists(faTop)) {
    Place(c, area.Left, area.Top, area.Width(), c->Height());
    area.Top += c->Height();
  }
  for (TControl* c : lists(faBottom)) {
    Place(c, area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
    area.Bottom -= c->Height();
  }
  for (TControl* c : lists(faLeft)) {
    Place(c, area.Left, area.Top, c->Width(), area.Height());
    area.Left += c->Width();
  }
  for (TControl* c : lists(faRight)) {
    Place(c, area.Right - c->Width(), area.Top, c->Width(), area.Height());
    area.Right -= c->Width();
  }
  const TRect C = area;

  {
    const auto& list = lists(faClient);
    const int n = static_cast<int>(list.size());
    int x = C.Left;
    for (int i = 0; i < n; ++i) {
      Place(list[i], x, C.Top, ShareOf(C.Width(), i, n, x - C.Left), C.Height());
      x = list[i]->Left() + list[i]->Width();
    }
  }

  // Columns left and right of the rows along the top and the bottom.
  TRect A = C, B = C, row = C;
  for (TControl* c : lists(faLeftTop)) {
    Place(c, row.Left, row.Top, c->Width(), c->Height());
    row.Left += c->Width();
    A.Top = std::max(A.Top, c->Top() + c->Height());
  }
  for (TControl* c : lists(faRightTop)) {
    Place(c, row.Right - c->Width(), row.Top, c->Width(), c->Height());
    row.Right -= c->Width();
    B.Top = std::max(B.Top, c->Top() + c->Height());
  }
  auto shareRow = [&](const EntryControls<TAlignEntry>& list, bool atBottom) {
    const int n = static_cast<int>(list.size());
    int x = row.Left;
    for (int i = 0; i < n; ++i) {
      TControl* c = list[i];
      int top = atBottom ? row.Bottom - c->Height() : row.Top;
      Place(c, x, top, ShareOf(row.Width(), i, n, x - row.Left), c->Height());
      x = c->Left() + c->Width();
    }
  };
  shareRow(lists(faClientTop), false);

  row = C;
  for (TControl* c : lists(faLeftBottom)) {
    Place(c, row.Left, row.Bottom - c->Height(), c->Width(), c->Height());
    row.Left += c->Width();
    A.Bottom = std::min(A.Bottom, c->Top());
  }
  for (TControl* c : lists(faRightBottom)) {
    Place(c, row.Right - c->Width(), row.Bottom - c->Height(), c->Width(), c->Height());
    row.Right -= c->Width();
    B.Bottom = std::min(B.Bottom, c->Top());
  }
  shareRow(lists(faClientBottom), true);

  {
    const auto& list = lists(faClientLeft);
    const int n = static_cast<int>(list.size());
    int y = A.Top;
    for (int i = 0; i < n; ++i) {
      Place(list[i], A.Left, y, list[i]->Width(), ShareOf(A.Height(), i, n, y - A.Top));
      y += Room(A.Height()) / n;
    }
  }
  {
    const auto& list = lists(faClientRight);
    const int n = static_cast<int>(list.size());
    int y = B.Top;
    for (int i = 0; i < n; ++i) {
      TControl* c = list[i];
      Place(c, B.Right - c->Width(), y, c->Width(), ShareOf(B.Height(), i, n, y - B.Top));
      y = c->Top() + c->Height();
    }
  }

  for (TControl* c : lists(faLeftOnly)) Place(c, C.Left, c->Top(), c->Width(), c->Height());
  for (TControl* c : lists(faRightOnly)) Place(c, C.Right - c->Width(), c->Top(), c->Width(), c->Height());
  for (TControl* c : lists(faTopOnly)) Place(c, c->Left(), C.Top, c->Width(), c->Height());
  for (TControl* c : lists(faBottomOnly)) Place(c, c->Left(), C.Bottom - c->Height(), c->Width(), c->Height());
  for (TControl* c : lists(faHeight)) Place(c, c->Left(), C.Top, c->Width(), C.Height());
  for (TControl* c : lists(faWidth)) Place(c, C.Left, c->Top(), C.Width(), c->Height());

  auto slots = [&](const EntryControls<TAlignEntry>& list, bool vertical, bool farEdge) {
    const int n = static_cast<int>(list.size());
    const int extent = Room(vertical ? C.Height() : C.Width());
    for (int i = 0; i < n; ++i) {
      TControl* c = list[i];
      const int start = i * (extent / n);
      const int slot = ShareOf(extent, i, n, start);
      if (vertical) {
        int left = farEdge ? C.Right - c->Width() : C.Left;
        Place(c, left, C.Top + start + (slot - c->Height()) / 2, c->Width(), c->Height());
      } else {
        int top = farEdge ? C.Bottom - c->Height() : C.Top;
        Place(c, C.Left + start + (slot - c->Width()) / 2, top, c->Width(), c->Height());
      }
    }
  };
  slots(lists(faCenterLeft), true, false);
  slots(lists(faCenterTop), false, false);
  slots(lists(faCenterRight), true, true);
  slots(lists(faCenterBottom), false, true);

  {
    int totalW = 0, totalH = 0;
    for (TControl* c : lists(faCenter)) {
      totalW += c->Width();
      totalH += c->Height();
    }
    int x = (C.Left + C.Right - totalW) / 2;
    const int top = (C.Top + C.Bottom - totalH) / 2;
    for (TControl* c : lists(faCenter)) {
      Place(c, x, top, c->Width(), c->Height());
      x += c->Width();
    }
  }

  AnchorChildren(sorted[faNone]);
  FAlignLists = std::move(sorted);
}

void TRLCustomSite::AnchorChildren(const std::vector<TAlignEntry>& entries) {
  // The size anchors measure from is the one of the previous layout: it
  // equals the bounds before the latest change, and a second layout at the
  // same size moves nothing again.
  const TPoint previous = FAlignedSize;
  const bool first = !FAligned;
  FAligned = true;
  FAlignedSize = TPoint(Width(), Height());
  if (first) return;
  const int W0 = previous.X, H0 = previous.Y;
  const int dW = Width() - W0, dH = Height() - H0;
  if (dW == 0 && dH == 0) return;
  for (const TAlignEntry& entry : entries) {
    TControl* c = entry.Control;
    TRLControlAnchors anchors = entry.Report ? entry.Report->Anchors() : AnchorsOf(c);
    if (anchors.Empty()) continue;
    int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
    const bool l = anchors.Contains(fkLeft), t = anchors.Contains(fkTop), r = anchors.Contains(fkRight),
               b = anchors.Contains(fkBottom);
    // Proportional moves from an empty size would divide by zero: such a
    // control keeps its place.
    if (r && l)
      width += dW;
    else if (r)
      left += dW;
    else if (l && !t && !b && H0 != 0)
      top = static_cast<int>(std::nearbyint(static_cast<double>(Height()) * c->Top() / H0));
    if (b && t)
      height += dH;
    else if (b)
      top += dH;
    else if (t && !l && !r && W0 != 0)
      left = static_cast<int>(std::nearbyint(static_cast<double>(Width()) * c->Left() / W0));
    Place(c, left, top, width, height);
  }
}
