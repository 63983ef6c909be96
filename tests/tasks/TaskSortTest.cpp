#include "TaskFixtures.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>
#include <random>

using Strings = std::vector<std::string>;

namespace {

TTaskList* ListOf(const Strings& texts, TTaskSortType order) {
    auto* list = new TTaskList;
    for (const auto& t : texts) list->Add(MakeTask(t));
    list->setSorted(order);
    return list;
}

} // namespace

TEST(TextAfter, CharacterOrder) {
    struct Case {
        const char* a;
        const char* b;
        bool after;
    } cases[] = {
        {"a", "A", true},       {"B", "a", true},      {"A", "9", true},   {"0", "!", true},
        {"!", " x", true},      {"Ё", "Е", true},      {"Ж", "Ё", true},   {"я", "Я", true},
        {"а", "z", true},       {",", ".", true},      {"ab", "a", true},  {"abc", "abc ", true},
        {"abc ", "abc", false}, {"abc", "abc", false}, {" ", "\t", false}, // both outside the order: equal
                                                                           // ranks, equal length
        {"日", "", false}, // "?" is outside the order too, but the empty text is shorter
    };
    for (const auto& c : cases) {
        const auto a = TcTask::FromUtf8(c.a), b = TcTask::FromUtf8(c.b);
        EXPECT_EQ(TextAfter(a, b), c.after) << c.a << " vs " << c.b;
    }
}

TEST(TextAfter, CharOrderHas156DistinctRankedCharacters) {
    const std::string ansi = platform::Utf8ToAnsi(CharOrder);
    ASSERT_EQ(ansi.size(), 156u);
    for (size_t i = 1; i < ansi.size(); ++i)
        EXPECT_TRUE(TextAfter(TcTask::FromAnsi(ansi.substr(i, 1)), TcTask::FromAnsi(ansi.substr(i - 1, 1))))
            << i;
}

TEST(TaskSort, TextOrders) {
    const Strings texts{"b", "B", "9", "a", " x", "Ж", "A", "!", "Ё", "Е"};
    std::unique_ptr<TTaskList> down(ListOf(texts, tstCaptionTaskDown));
    EXPECT_EQ(Texts(*down), (Strings{" x", "!", "9", "A", "a", "B", "b", "Е", "Ё", "Ж"}));
    std::unique_ptr<TTaskList> up(ListOf(texts, tstCaptionTaskUp));
    EXPECT_EQ(Texts(*up), (Strings{"Ж", "Ё", "Е", "b", "B", "a", "A", "9", "!", " x"}));
}

TEST(TaskSort, EqualTextsKeepTheirOrderBothWays) {
    // Spaces and tabs are outside the order: "x y" and "x\ty" compare equal.
    for (auto order : {tstCaptionTaskUp, tstCaptionTaskDown}) {
        std::unique_ptr<TTaskList> list(ListOf({"x y", "a", "x\ty"}, order));
        const auto t = Texts(*list);
        EXPECT_LT(std::find(t.begin(), t.end(), "x y"), std::find(t.begin(), t.end(), "x\ty")) << order;
    }
}

TEST(TaskSort, TickingOffMovesBehindTheOpenTasksAtOnce) {
    TTaskList list;
    list.setSorted(tstActiveDown);
    for (auto t : {"a", "b", "c", "d"}) list.Add(MakeTask(t));
    list.Items(1)->setActiv(false);
    EXPECT_EQ(Texts(list), (Strings{"a", "c", "d", "b"}));
    list.Items(0)->setActiv(false);
    EXPECT_EQ(Texts(list), (Strings{"c", "d", "a", "b"})); // completed ones keep their order
}

TEST(TaskSort, SameSortValueDoesNotReorderButSameActivDoes) {
    TTaskList list;
    list.setSorted(tstCaptionTaskDown);
    for (auto t : {"c", "a", "b"}) list.Add(MakeTask(t));
    list.Move(0, 2); // a b c, reordered by hand
    EXPECT_EQ(Texts(list), (Strings{"c", "b", "a"}));
    list.setSorted(tstCaptionTaskDown);
    EXPECT_EQ(Texts(list), (Strings{"c", "b", "a"}));
    list.Items(1)->setActiv(true); // unchanged value, still re-sorts
    EXPECT_EQ(Texts(list), (Strings{"a", "b", "c"}));
}

// The fast sort against the literal exchange sort on many random lists, including lists
// reordered by hand and texts with characters outside the order and trailing blanks.
TEST(TaskSort, MatchesTheExchangeSortOnRandomLists) {
    std::mt19937 rng(20261210);
    const std::string order = platform::Utf8ToAnsi(CharOrder);
    const std::string alphabet =
        order.substr(0, 12) + order.substr(30, 6) + order.substr(100, 8) + " \t?~\x01\xA0";
    auto randomText = [&] {
        std::string s(rng() % 5, ' ');
        for (auto& c : s) c = alphabet[rng() % alphabet.size()];
        if (rng() % 4 == 0) s += std::string(1 + rng() % 2, ' ');
        return s;
    };
    for (int round = 0; round < 400; ++round) {
        TTaskList list;
        const int n = static_cast<int>(rng() % 30);
        for (int i = 0; i < n; ++i) {
            auto* t = new TMyTask;
            t->setCTask(TcTask::FromAnsi(randomText()));
            t->setActiv(rng() % 2);
            list.Add(t);
        }
        std::vector<TMyTask*> replaced;
        for (int k = 0; k < 10 && list.Count() > 1; ++k) {
            const int a = static_cast<int>(rng() % list.Count()), b = static_cast<int>(rng() % list.Count());
            switch (rng() % 3) {
            case 0:
                list.Move(a, b);
                break;
            case 1: {
                replaced.push_back(list.Items(a));
                auto* t = new TMyTask;
                t->setCTask(TcTask::FromAnsi(randomText()));
                list.Replace(t, a);
                break;
            }
            default: {
                auto* t = new TMyTask;
                t->setCTask(TcTask::FromAnsi(randomText()));
                t->setActiv(rng() % 2);
                list.Insert(t, a);
            }
            }
        }
        const auto sortOrder = static_cast<TTaskSortType>(1 + rng() % 4);
        auto expected = Order(list);
        ReferenceSort(sortOrder, expected);
        list.setSorted(sortOrder);
        ASSERT_EQ(Order(list), expected) << "round " << round << " order " << sortOrder;
        for (auto* t : replaced) delete t;
    }
}
