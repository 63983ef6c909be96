#include "TaskFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

// Every slot is named exactly once, either by a position or in the free stack.
void ExpectSlotInvariants(const TTaskList& list) {
    const auto& vi = list.VirtualIndexForTest();
    const auto& fi = list.FreeIndexForTest();
    ASSERT_EQ(vi.size(), static_cast<size_t>(list.Count()));
    ASSERT_EQ(list.SlotCountForTest(), vi.size() + fi.size());
    std::vector<int32_t> all(vi);
    all.insert(all.end(), fi.begin(), fi.end());
    std::sort(all.begin(), all.end());
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i], static_cast<int32_t>(i));
}

} // namespace

TEST(TaskList, InvalidPositionsChangeNothing) {
    TTaskList list;
    EXPECT_EQ(list.Find("a", 0), -1);
    EXPECT_EQ(list.Find(0, 0), -1);
    EXPECT_EQ(list.Items(0), nullptr);
    TMyTask* orphan = MakeTask("x");
    EXPECT_EQ(list.Insert(orphan, 0), -1); // cannot fill an empty list
    delete orphan;

    list.Add(MakeTask("a"));
    list.Add(MakeTask("b"));
    list.Remove(-1);
    list.Remove(2);
    list.Move(0, 2);
    list.Move(-1, 1);
    EXPECT_EQ(Texts(list), (Strings{"a", "b"}));
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_EQ(list.Find("b", 2), -1);
    EXPECT_EQ(list.Find("a", -1), -1);
    ExpectSlotInvariants(list);
}

TEST(TaskList, RemoveClosesTheGapAndAddReusesTheLastFreedSlot) {
    TTaskList list;
    for (auto t : {"a", "b", "c"}) list.Add(MakeTask(t));
    list.Remove(0);
    EXPECT_EQ(Texts(list), (Strings{"b", "c"}));
    ExpectSlotInvariants(list);
    EXPECT_EQ(list.Add(MakeTask("d")), 2);
    EXPECT_EQ(list.SlotCountForTest(), 3u);
    EXPECT_EQ(list.VirtualIndexForTest()[2], 0);

    list.Remove(0);
    list.Remove(0); // frees slots 1 then 2: 2 is reused first
    EXPECT_EQ(list.FreeIndexForTest(), (std::vector<int32_t>{1, 2}));
    list.Add(MakeTask("e"));
    EXPECT_EQ(list.VirtualIndexForTest().back(), 2);
    ExpectSlotInvariants(list);
}

TEST(TaskList, InsertReplaceAndSetItem) {
    TTaskList list;
    list.setItems(0, MakeTask("a"));  // Count: appends
    list.setItems(-1, MakeTask("z")); // -1: inserts at the front
    EXPECT_EQ(list.Insert(MakeTask("m"), 1), 1);
    EXPECT_EQ(Texts(list), (Strings{"z", "m", "a"}));

    TMyTask* old = list.Items(1);
    list.setItems(1, MakeTask("n")); // a valid position: replaces, the caller disposes
    delete old;
    list.setItems(7, MakeTask("never")); // neither: nothing (the task stays the caller's)
    EXPECT_EQ(Texts(list), (Strings{"z", "n", "a"}));
    ExpectSlotInvariants(list);
}

TEST(TaskList, FindByTextAndById) {
    TTaskList list;
    list.Add(MakeTask("Купить хлеб", true, 7));
    list.Add(MakeTask("купить хлеб", true, 8));
    list.Add(MakeTask("Купить хлеб ", true, 7));
    EXPECT_EQ(list.Find("купить хлеб", 0), 1); // case-sensitive, whole text
    EXPECT_EQ(list.Find("Купить хлеб", 1), -1);
    EXPECT_EQ(list.Find(7, 0), 0);
    EXPECT_EQ(list.Find(7, 1), 2);
    EXPECT_EQ(list.Find(9, 0), -1);
}

TEST(TaskList, TextOutsideTheCodePageIsStoredWithQuestionMarksAndCut) {
    TTaskList list;
    list.Add(MakeTask("日本 задача"));
    EXPECT_EQ(list.Items(0)->Text(), "?? задача");
    EXPECT_EQ(list.Find("?? задача", 0), 0);
    EXPECT_EQ(list.Find("日本 задача", 0), -1); // the stored text is no longer that
    EXPECT_EQ(TcTask::FromUtf8(std::string(300, 'x')).len, 255);
}

TEST(TaskList, ClearEmptiesButKeepsSortAndFileName) {
    TTaskList list;
    list.setFileName("/tmp/x");
    list.setSorted(tstActiveDown);
    list.Add(MakeTask("a"));
    list.Remove(0);
    list.Add(MakeTask("b"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.SlotCountForTest(), 0u);
    EXPECT_TRUE(list.FreeIndexForTest().empty());
    EXPECT_EQ(list.Sorted(), tstActiveDown);
    EXPECT_EQ(list.FileName(), "/tmp/x");
}
