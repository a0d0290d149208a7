#include "platform/classes/List.h"
#include "platform/rtl/Exceptions.h"
#include <gtest/gtest.h>
#include <string>

namespace {
// Records what the list tells its descendant.
class RecordingList : public TList {
public:
  ~RecordingList() override { Clear(); }
  std::string Log;

protected:
  void Notify(void* item, TListNotification action) override {
    Log += *static_cast<char*>(item);
    Log += action == lnAdded ? '+' : action == lnDeleted ? '-' : '~';
  }
};
}  // namespace

TEST(List, DescendantsHearOfAddsDeletesAndExtracts) {
  char a = 'a', b = 'b', c = 'c';
  RecordingList list;
  list.Add(&a);
  list.Add(&b);
  list.Insert(0, &c);
  EXPECT_EQ(list.IndexOf(&a), 1);
  EXPECT_EQ(list.Extract(&b), &b);
  EXPECT_EQ(list.Remove(&b), -1);
  list.Move(0, 1);
  EXPECT_EQ(list[0], &a);
  list.Clear();
  EXPECT_EQ(list.Log, "a+b+c+b~c-a-");
  EXPECT_THROW(list.Items(0), EListError);
  EXPECT_THROW(list.Insert(1, &a), EListError);
}
