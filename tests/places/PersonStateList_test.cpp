// The person state list: ignore states, the per-person dialogs and when an
// entry goes away.
#include <gtest/gtest.h>

#include "CPersonStateList.h"
#include "PlaceFakes.h"

namespace {

class PersonStateListTest : public ::testing::Test {
protected:
    PersonStateListTest() : list(host) {}

    std::unique_ptr<FakeDialog> Dialog() { return std::make_unique<FakeDialog>(alive); }

    FakeStateHost host;
    CPersonStateList list;
    int32_t alive = 0;
};

TEST_F(PersonStateListTest, IgnoreStateIsStoredShownAndDroppedWhenCleared)
{
    EXPECT_EQ(list.GetState(7), 0);
    list.SetState(7, 1);
    EXPECT_EQ(list.GetState(7), 1);
    ASSERT_NE(list.Find(7), nullptr);
    list.SetState(7, 0);
    EXPECT_EQ(list.Find(7), nullptr);
    EXPECT_EQ(list.GetState(7), 0);
    EXPECT_EQ(host.shown, (std::vector<std::string>{"7=1", "7=0"}));
}

TEST_F(PersonStateListTest, ClosingTheLastDialogRemovesTheEntryUnlessIgnored)
{
    struct Case {
        int32_t state;
        bool kept;
    };
    const Case cases[] = {{0, false}, {1, true}};
    for (const Case& c : cases) {
        const uint32_t person = 20 + static_cast<uint32_t>(c.state);
        if (c.state)
            list.SetState(person, c.state);
        list.SetWindow(person, Dialog());
        list.SetData(person, Dialog());
        EXPECT_EQ(alive, 2);
        list.SetWindow(person, nullptr);
        EXPECT_NE(list.Find(person), nullptr) << "identity dialog still open";
        list.SetData(person, nullptr);
        EXPECT_EQ(alive, 0);
        EXPECT_EQ(list.Find(person) != nullptr, c.kept) << "state " << c.state;
    }
}

TEST_F(PersonStateListTest, ADialogThatClosesItselfIsForgottenNotDeleted)
{
    auto owned = Dialog();
    FakeDialog* dialog = owned.get();
    list.SetData(3, std::move(owned));
    FakeDialog stranger(alive);
    list.ForgetData(3, &stranger);
    EXPECT_EQ(list.GetData(3), dialog) << "another dialog must not release this one";
    list.ForgetData(3, dialog);
    EXPECT_EQ(list.Find(3), nullptr);
    EXPECT_EQ(alive, 2) << "the forgotten dialog is still alive";
    delete dialog;
}

TEST_F(PersonStateListTest, ReplacingADialogDestroysTheOldOne)
{
    list.SetWindow(4, Dialog());
    list.SetWindow(4, Dialog());
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(list.Count(), 1u);
}

TEST_F(PersonStateListTest, ShowWindowForRaisesTheOpenDialogInsteadOfASecond)
{
    IPersonDialog* first = list.ShowWindowFor(8, "Ada");
    IPersonDialog* second = list.ShowWindowFor(8, "Ada");
    EXPECT_EQ(first, second);
    EXPECT_EQ(host.created, std::vector<std::string>{"8 Ada"});
    EXPECT_EQ(static_cast<FakeDialog*>(first)->raised, 2);
    IPersonDialog* general = list.ShowSendImDlg();
    EXPECT_NE(general, first);
    EXPECT_EQ(list.GetWindow(0), general);
    EXPECT_EQ(host.alive, 2);
}

TEST_F(PersonStateListTest, ResetDropsEveryEntryAndItsDialogs)
{
    list.SetState(1, 1);
    list.SetWindow(2, Dialog());
    list.SetData(3, Dialog());
    list.Reset();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(list.GetState(1), 0);
}

} // namespace
