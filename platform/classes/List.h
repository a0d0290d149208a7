#pragma once
// A list of untyped pointers for classes that derive from it, as the
// platform's list is; elsewhere use std::vector. Descendants learn of
// changes through Notify (e.g. to free the items they own).
#include "platform/classes/Component.h"
#include <vector>

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
public:
  ~TList() override;

  int Count() const { return static_cast<int>(FList.size()); }
  // Raise EListError ("List index out of bounds (%d)") for a bad index.
  void* Items(int index) const;
  void SetItems(int index, void* item);
  void* operator[](int index) const { return Items(index); }
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  // Removes the first occurrence without the lnDeleted notice.
  void* Extract(void* item);
  int IndexOf(const void* item) const;
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  virtual void Clear();

  const std::vector<void*>& List() const { return FList; }

protected:
  virtual void Notify(void* item, TListNotification action);

private:
  void CheckIndex(int index, int limit) const;
  std::vector<void*> FList;
};
