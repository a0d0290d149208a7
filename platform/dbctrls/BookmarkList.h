#pragma once
// The rows a data grid has selected, as bookmarks of its data set, kept in
// the data set's order.
#include "platform/data/DataTypes.h"
#include <vector>

class TCustomDBGrid;

class TBookmarkList {
public:
  explicit TBookmarkList(TCustomDBGrid* grid) : FGrid(grid) {}

  int Count() const { return static_cast<int>(FList.size()); }
  TBookmark Items(int index) const;
  // Whether the data set's current record is selected; setting it selects
  // or unselects that record and repaints its row.
  bool CurrentRowSelected() const;
  void SetCurrentRowSelected(bool value);
  // Position of a bookmark in the list: true when present, else index is
  // where it would go.
  bool Find(TBookmark item, int& index) const;
  int IndexOf(TBookmark item) const;
  void Clear();
  // Deletes every selected record from the data set, and the list.
  void Delete();
  // Drops bookmarks that no longer name a record; true when any went.
  bool Refresh();

private:
  TCustomDBGrid* FGrid;
  std::vector<TBookmark> FList;
};
