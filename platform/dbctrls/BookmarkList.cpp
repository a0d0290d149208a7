#include "platform/dbctrls/BookmarkList.h"
#include "platform/dbctrls/DBGrid.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>

namespace {
TDataSet* LinkedDataSet(TCustomDBGrid* grid) {
  TDataSet* ds = grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
  return ds && ds->Active() ? ds : nullptr;
}
}  // namespace

TBookmark TBookmarkList::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
  return FList[static_cast<size_t>(index)];
}

bool TBookmarkList::Find(TBookmark item, int& index) const {
  TDataSet* ds = LinkedDataSet(FGrid);
  auto less = [ds](TBookmark a, TBookmark b) { return ds ? ds->CompareBookmarks(a, b) < 0 : a < b; };
  auto it = std::lower_bound(FList.begin(), FList.end(), item, less);
  index = static_cast<int>(it - FList.begin());
  return it != FList.end() && !less(item, *it);
}

int TBookmarkList::IndexOf(TBookmark item) const {
  int index = 0;
  return Find(item, index) ? index : -1;
}

bool TBookmarkList::CurrentRowSelected() const {
  TDataSet* ds = LinkedDataSet(FGrid);
  if (!ds || ds->IsEmpty()) return false;
  return IndexOf(ds->GetBookmark()) >= 0;
}

void TBookmarkList::SetCurrentRowSelected(bool value) {
  TDataSet* ds = LinkedDataSet(FGrid);
  if (!ds || ds->IsEmpty()) return;
  const TBookmark current = ds->GetBookmark();
  int index = 0;
  if (Find(current, index) == value) return;
  if (value) FList.insert(FList.begin() + index, current);
  else FList.erase(FList.begin() + index);
  FGrid->InvalidateRow(FGrid->Row());
}

void TBookmarkList::Clear() {
  if (FList.empty()) return;
  FList.clear();
  FGrid->Invalidate();
}

void TBookmarkList::Delete() {
  TDataSet* ds = LinkedDataSet(FGrid);
  if (!ds) return;
  ds->DisableControls();
  try {
    while (!FList.empty()) {
      ds->GotoBookmark(FList.back());
      ds->Delete();
      FList.pop_back();
    }
  } catch (...) {
    ds->EnableControls();
    throw;
  }
  ds->EnableControls();
}

bool TBookmarkList::Refresh() {
  TDataSet* ds = LinkedDataSet(FGrid);
  const size_t before = FList.size();
  FList.erase(std::remove_if(FList.begin(), FList.end(),
                             [ds](TBookmark b) { return !ds || !ds->BookmarkValid(b); }),
              FList.end());
  const bool changed = FList.size() != before;
  if (changed) FGrid->Invalidate();
  return changed;
}
