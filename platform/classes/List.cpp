#include "platform/classes/List.h"
#include "platform/rtl/Exceptions.h"
#include <algorithm>

TList::~TList() {
  // Descendant overrides of Notify are gone by now, as in the platform;
  // owning descendants clear in their own destructor.
  FList.clear();
}

void TList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw EListError(u"List index out of bounds (" + AsciiToString(std::to_string(index)) + u")");
}

void* TList::Items(int index) const {
  CheckIndex(index, Count());
  return FList[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index, Count());
  void* old = FList[static_cast<size_t>(index)];
  if (old == item) return;
  FList[static_cast<size_t>(index)] = item;
  if (old) Notify(old, lnDeleted);
  if (item) Notify(item, lnAdded);
}

int TList::Add(void* item) {
  FList.push_back(item);
  if (item) Notify(item, lnAdded);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  CheckIndex(index, Count() + 1);
  FList.insert(FList.begin() + index, item);
  if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index, Count());
  void* item = FList[static_cast<size_t>(index)];
  FList.erase(FList.begin() + index);
  if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  FList.erase(FList.begin() + index);
  if (item) Notify(item, lnExtracted);
  return item;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(FList.begin(), FList.end(), item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1, Count());
  CheckIndex(index2, Count());
  std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(curIndex, Count());
  CheckIndex(newIndex, Count());
  void* item = FList[static_cast<size_t>(curIndex)];
  FList.erase(FList.begin() + curIndex);
  FList.insert(FList.begin() + newIndex, item);
}

void TList::Clear() {
  // One at a time from the end, so Notify sees a consistent list.
  while (!FList.empty()) Delete(Count() - 1);
}

void TList::Notify(void*, TListNotification) {}
