#include "TaskFixtures.h"

#include "TempDir.h"
#include "platform/CodePage.h"
#include "platform/Errors.h"
#include "tasks/TaskFile.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Rec {
    int32_t id = 0;
    std::string text; // ANSI bytes
    uint32_t timer = 0;
    double start = 0, done = 0;
    uint8_t activ = 1;
};

// A record as another writer might leave it: junk in every byte that carries no meaning.
std::string Encode(const Rec& r, char junk = '\x5A') {
    std::string b(kTaskRecordSize, junk);
    std::memcpy(&b[kRecId], &r.id, 4);
    b[kRecTextLen] = static_cast<char>(r.text.size());
    std::memcpy(&b[kRecText], r.text.data(), r.text.size());
    std::memcpy(&b[kRecTimer], &r.timer, 4);
    std::memcpy(&b[kRecStartTime], &r.start, 8);
    std::memcpy(&b[kRecDoTime], &r.done, 8);
    b[kRecActiv] = static_cast<char>(r.activ);
    return b;
}

// The bytes of a record that carry meaning: id, length, text, Timer, both times, Activ.
std::string Meaningful(const std::string& record) {
    const auto len = static_cast<unsigned char>(record[kRecTextLen]);
    return record.substr(0, kRecText + len) + record.substr(kRecTimer, kRecActiv + 1 - kRecTimer);
}

class TaskFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("Tasks.murvane");
    TTaskList list;
    void SetUp() override { list.setFileName(path); }
};

} // namespace

TEST_F(TaskFile, RoundTripsMeaningfulBytesInEverySortOrder) {
    std::mt19937 rng(7);
    std::vector<std::string> originals;
    std::string file;
    for (int i = 0; i < 60; ++i) {
        Rec r;
        r.id = i;
        r.text.resize(rng() % 256);
        for (auto& c : r.text) c = static_cast<char>(rng());
        r.timer = rng();
        r.start = 46000.25 + i;
        r.done = r.start + (rng() % 1000) / 86400.0;
        r.activ = rng() % 2;
        originals.push_back(Encode(r));
        file += originals.back();
    }
    for (int order = tstNone; order <= tstActiveDown; ++order) {
        TempDir::Write(path, file);
        TTaskList sorted;
        sorted.setFileName(path);
        sorted.setSorted(static_cast<TTaskSortType>(order));
        ASSERT_TRUE(sorted.LoadTasks());
        auto expected = Order(sorted);
        ReferenceSort(static_cast<TTaskSortType>(order), expected);
        EXPECT_EQ(Order(sorted), expected);
        ASSERT_TRUE(sorted.SaveTasks());
        const std::string saved = TempDir::Read(path);
        ASSERT_EQ(saved.size(), file.size());
        for (size_t k = 0; k < originals.size(); ++k) {
            const std::string rec = saved.substr(k * kTaskRecordSize, kTaskRecordSize);
            int32_t id;
            std::memcpy(&id, rec.data(), 4);
            EXPECT_EQ(Meaningful(rec), Meaningful(originals.at(id))) << "order " << order << " record " << k;
            EXPECT_EQ(sorted.Items(static_cast<int>(k))->id(), id);
        }
        if (order == tstNone) {
            EXPECT_EQ(Meaningful(saved.substr(0, kTaskRecordSize)), Meaningful(originals[0]));
        }
    }
}

TEST_F(TaskFile, SizesAndPartialRecords) {
    EXPECT_FALSE(list.LoadTasks()); // missing
    EXPECT_EQ(list.Count(), 0);
    ASSERT_TRUE(list.SaveTasks());
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    TempDir::Write(path, Encode({1, platform::Utf8ToAnsi("первое")}) + std::string(12, '\x01'));
    ASSERT_TRUE(list.LoadTasks());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->Text(), "первое");
    list.Add(MakeTask("второе"));
    ASSERT_TRUE(list.SaveTasks());
    EXPECT_EQ(std::filesystem::file_size(path), 2 * kTaskRecordSize);
}

TEST_F(TaskFile, OddFieldValuesAreKept) {
    Rec r{3, std::string(255, 'q'), 0xDEADBEEF, NAN, INFINITY, 2};
    TempDir::Write(path, Encode(r));
    ASSERT_TRUE(list.LoadTasks());
    const TMyTask* t = list.Items(0);
    EXPECT_EQ(t->cTask().len, 255);
    EXPECT_EQ(t->Timer(), 0xDEADBEEFu);
    EXPECT_TRUE(std::isnan(t->StartTime()));
    EXPECT_TRUE(std::isinf(t->DoTime()));
    EXPECT_TRUE(t->Activ()); // any byte but 0 reads as open
    ASSERT_TRUE(list.SaveTasks());
    const std::string saved = TempDir::Read(path);
    r.activ = 1;
    EXPECT_EQ(Meaningful(saved), Meaningful(Encode(r)));
}

TEST_F(TaskFile, UnwritableDirectoryGivesFalseAndKeepsTheOldFile) {
    TempDir::Write(path, Encode({1, "старое"}));
    ASSERT_TRUE(list.LoadTasks());
    list.Add(MakeTask("новое"));
    list.setFileName(dir.file("missing-dir/Tasks.murvane"));
    EXPECT_FALSE(list.SaveTasks());
    // A directory the program may not write into (as root, permissions do not stop a
    // write, so the same case is made by a path whose directory is a regular file).
    list.setFileName(path + "/Tasks.murvane");
    EXPECT_FALSE(list.SaveTasks());
    EXPECT_EQ(TempDir::Read(path), Encode({1, "старое"}));
}

TEST_F(TaskFile, ATaskFileThatCouldNotBeReadIsNeverWrittenOver) {
    std::filesystem::create_directory(path); // exists, but reading it fails
    EXPECT_THROW(list.LoadTasks(), EInOutError);
    EXPECT_FALSE(list.SaveAllowed());
    list.Add(MakeTask("%Global%"));
    EXPECT_FALSE(list.SaveTasks());
    EXPECT_TRUE(std::filesystem::is_directory(path));

    std::filesystem::remove(path);
    TempDir::Write(path, Encode({1, "a"}));
    list.Clear();
    ASSERT_TRUE(list.LoadTasks()); // a complete read lifts the guard
    EXPECT_TRUE(list.SaveTasks());
}
