#include "options/Options.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TOption> MakeOption(const std::string& ident, const std::string& section = "Tasks") {
    auto option = std::make_unique<TOption>();
    option->SetIdent(ident);
    option->SetSection(section);
    return option;
}

std::vector<std::string> Idents(const TOptionList& list) {
    std::vector<std::string> idents;
    for (int32_t i = 0; i < list.Count(); ++i) idents.push_back(list.GetItem(i)->Ident());
    return idents;
}

TOptionList& Fill(TOptionList& list, std::initializer_list<const char*> idents) {
    for (const char* ident : idents) list.Add(MakeOption(ident));
    return list;
}

TEST(OptionList, FindMatchesIdentExactlyAndSectionOrWildcard) {
    TOptionList list;
    list.Add(MakeOption("ChartTimer", "Value"));
    list.Add(MakeOption("AutoHide", "Tasks"));
    list.Add(MakeOption("AutoHide", "Effects"));
    list.Add(MakeOption("Odd", "%All%"));
    struct Case {
        const char* ident;
        const char* section;
        int32_t start;
        int32_t expected; // position, -1 for none
    } cases[] = {
        {"AutoHide", "%All%", 0, 1},  {"AutoHide", "Effects", 0, 2}, {"AutoHide", "Value", 0, -1},
        {"autohide", "%All%", 0, -1}, {"AutoHide", "tasks", 0, -1},  {"AutoHide", "%All%", 2, 2},
        {"AutoHide", "%All%", 3, -1}, {"AutoHide", "%All%", 4, -1},  {"AutoHide", "%All%", -1, -1},
        {"Odd", "Tasks", 0, -1},      {"Odd", "%All%", 0, 3},
    };
    for (const auto& c : cases) {
        TOption* found = list.Find(c.ident, c.section, c.start);
        EXPECT_EQ(found, c.expected < 0 ? nullptr : list.GetItem(c.expected))
            << c.ident << " in " << c.section << " from " << c.start;
    }
    EXPECT_EQ(TOptionList().Find("AutoHide", "%All%", 0), nullptr);
}

TEST(OptionList, RemovedSlotIsReusedByTheNextAdd) {
    TOptionList list;
    Fill(list, {"A", "B", "C"});
    std::unique_ptr<TOption> removed = list.Remove(1);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->Ident(), "B");
    EXPECT_EQ(list.GetFreeIndex(), std::vector<int32_t>{1});
    EXPECT_EQ(Idents(list), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(list.SlotCount(), list.Count() + list.GetFreeIndex().size());

    EXPECT_EQ(list.Add(MakeOption("D")), 2);
    EXPECT_EQ(Idents(list), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(list.GetVirtualIndex(), (std::vector<int32_t>{0, 2, 1}));
    EXPECT_TRUE(list.GetFreeIndex().empty());
    EXPECT_EQ(list.SlotCount(), 3u);
}

TEST(OptionList, PositionalOperations) {
    TOptionList list;
    Fill(list, {"A", "B", "C"});
    list.Move(0, 2);
    EXPECT_EQ(Idents(list), (std::vector<std::string>{"C", "B", "A"}));
    list.Move(0, 3);
    EXPECT_EQ(Idents(list), (std::vector<std::string>{"C", "B", "A"}));

    auto x = MakeOption("X");
    EXPECT_EQ(list.Insert(std::move(x), 3), -1);
    ASSERT_TRUE(x) << "a refused option stays with the caller";
    EXPECT_EQ(list.Insert(std::move(x), 1), 1);
    EXPECT_EQ(Idents(list), (std::vector<std::string>{"C", "X", "B", "A"}));

    auto y = MakeOption("Y");
    EXPECT_EQ(list.Replace(std::move(y), 7), nullptr);
    ASSERT_TRUE(y);
    std::unique_ptr<TOption> old = list.Replace(std::move(y), 0);
    EXPECT_EQ(old->Ident(), "C");
    EXPECT_EQ(Idents(list), (std::vector<std::string>{"Y", "X", "B", "A"}));

    EXPECT_EQ(list.Remove(4), nullptr);
    EXPECT_EQ(list.Remove(-1), nullptr);
    EXPECT_EQ(list.GetItem(4), nullptr);
    EXPECT_EQ(list.Count(), 4);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.SlotCount(), 0u);
    EXPECT_TRUE(list.GetFreeIndex().empty());
}

TEST(OptionList, OnlyAddBindsTheStoreCallbacks) {
    TOptions store;
    store.SetPlace(poNone);
    std::vector<std::string> changed;
    store.OnOptionChange = [&](TOptions* Sender, TOption* CurrentOption) {
        EXPECT_EQ(Sender, &store);
        changed.push_back(CurrentOption->Ident());
    };
    auto added = MakeOption("Added");
    bool ownCallbackRan = false;
    added->Changed = [&](TOption*) { ownCallbackRan = true; };
    store.Items().Add(std::move(added));
    store.Items().Insert(MakeOption("Inserted"), 0);
    store.Items().Find("Added", "%All%", 0)->SetValueAsString("1");
    store.Items().Find("Inserted", "%All%", 0)->SetValueAsString("1");
    EXPECT_FALSE(ownCallbackRan);
    EXPECT_EQ(changed, std::vector<std::string>{"Added"});
    EXPECT_TRUE(store.Items().Find("Added", "%All%", 0)->Save);
    EXPECT_TRUE(store.Items().Find("Added", "%All%", 0)->Load);
}

} // namespace
