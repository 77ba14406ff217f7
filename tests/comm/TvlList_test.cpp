#include "TvlList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TvlLinkList.h"

namespace {

// An object that reports its deletion into a shared record.
class Tracked : public CTvlObject {
public:
    Tracked(int id, std::vector<int>& deleted) : id(id), m_deleted(deleted) {}
    ~Tracked() override { m_deleted.push_back(id); }
    const int id;

private:
    std::vector<int>& m_deleted;
};

std::vector<int> Ids(const CTvlList& list)
{
    std::vector<int> ids;
    for (CTvlListIter it = list.Begin(); it.IsValid(); it.Next())
        ids.push_back(it.Get<Tracked>()->id);
    return ids;
}

std::vector<int> IdsBackwards(const CTvlList& list)
{
    std::vector<int> ids;
    for (CTvlListIter it = list.End(); it.IsValid(); it.Prev())
        ids.push_back(it.Get<Tracked>()->id);
    return ids;
}

class TvlListTest : public testing::Test {
protected:
    Tracked* Make(int id) { return new Tracked(id, deleted); }
    std::vector<int> deleted;
};

TEST_F(TvlListTest, AppendKeepsOrderBothWays)
{
    CTvlList list(CTvlList::kOwns);
    list.Append(Make(1));
    list.Append(nullptr);
    list.Append(Make(2));
    list.Append(Make(3));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(IdsBackwards(list), (std::vector<int>{3, 2, 1}));
}

TEST_F(TvlListTest, OwningListDeletesWhatItRemoves)
{
    auto* two = Make(2);
    {
        CTvlList list(CTvlList::kOwns);
        list.Append(Make(1));
        list.Append(two);
        list.Append(Make(3));

        list.Unlink(two);
        EXPECT_TRUE(deleted.empty());
        EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
        list.Append(two);

        CTvlListIter middle = list.Begin();
        middle.Next();
        list.RemoveAt(middle);
        EXPECT_FALSE(middle.IsValid());
        EXPECT_EQ(deleted, (std::vector<int>{3}));

        CTvlListIter first = list.Begin();
        CTvlObject* taken = list.RemoveNode(first);
        EXPECT_EQ(static_cast<Tracked*>(taken)->id, 1);
        EXPECT_EQ(deleted, (std::vector<int>{3}));
        delete taken;

        Tracked outsider(9, deleted);
        list.Remove(&outsider);
        EXPECT_EQ(list.Count(), 1);
    }
    EXPECT_EQ(deleted, (std::vector<int>{3, 1, 9, 2})) << "outsider leaves scope first, untouched by the list";
}

TEST_F(TvlListTest, ReferringListNeverDeletes)
{
    Tracked a(1, deleted), b(2, deleted);
    {
        CTvlList list(CTvlList::kRefers);
        list.Append(&a);
        list.Append(&b);
        list.Remove(&a);
        CTvlListIter it = list.Begin();
        list.RemoveAt(it);
        list.Append(&a);
    }
    EXPECT_TRUE(deleted.empty());
}

TEST_F(TvlListTest, RemoveAllEmptiesFromTheFront)
{
    CTvlList list(CTvlList::kOwns);
    for (int id = 1; id <= 4; ++id)
        list.Append(Make(id));
    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Begin().IsValid());
    EXPECT_FALSE(list.End().IsValid());
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 3, 4}));
    list.Append(Make(5));
    EXPECT_EQ(Ids(list), (std::vector<int>{5}));
}

TEST_F(TvlListTest, AppendListMovesOnlyBetweenListsOfTheSameKind)
{
    CTvlList owning(CTvlList::kOwns);
    CTvlList otherOwning(CTvlList::kOwns);
    CTvlList referring(CTvlList::kRefers);
    Tracked kept(10, deleted);
    owning.Append(Make(1));
    otherOwning.Append(Make(2));
    otherOwning.Append(Make(3));
    referring.Append(&kept);

    owning.AppendList(&referring);
    referring.AppendList(&owning);
    owning.AppendList(nullptr);
    owning.AppendList(&owning);
    EXPECT_EQ(Ids(owning), (std::vector<int>{1}));
    EXPECT_EQ(Ids(referring), (std::vector<int>{10}));

    owning.AppendList(&otherOwning);
    EXPECT_EQ(Ids(owning), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(IdsBackwards(owning), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(owning.Count(), 3);
    EXPECT_EQ(otherOwning.Count(), 0);
    EXPECT_FALSE(otherOwning.Begin().IsValid());

    CTvlList empty(CTvlList::kOwns);
    empty.AppendList(&owning);
    EXPECT_EQ(Ids(empty), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(deleted.empty());
}

class Member : public CTvlLink {
public:
    Member(int id, std::vector<int>& deleted) : id(id), m_deleted(deleted) {}
    ~Member() override { m_deleted.push_back(id); }
    const int id;

private:
    std::vector<int>& m_deleted;
};

std::vector<int> Ids(const CTvlLinkList& list)
{
    std::vector<int> ids;
    for (CTvlLink* link = list.First(); link; link = link->Next())
        ids.push_back(static_cast<Member*>(link)->id);
    return ids;
}

TEST(TvlLinkList, LinkIsInAtMostOneList)
{
    std::vector<int> deleted;
    CTvlLinkList first(CTvlLinkList::kRefers);
    CTvlLinkList second(CTvlLinkList::kRefers);
    Member a(1, deleted), b(2, deleted), c(3, deleted);
    first.Insert(&a);
    first.Insert(&b);
    first.Insert(&c);
    first.Insert(&b);
    second.Insert(&a);
    second.Insert(nullptr);
    EXPECT_EQ(Ids(first), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(second.Count(), 0);

    second.Unlink(&b);
    EXPECT_EQ(first.Count(), 3);
    first.Unlink(&b);
    EXPECT_EQ(b.List(), nullptr);
    EXPECT_EQ(b.Next(), nullptr);
    EXPECT_EQ(Ids(first), (std::vector<int>{1, 3}));
    EXPECT_EQ(first.Last(), &c);
    EXPECT_EQ(c.Prev(), &a);

    second.Insert(&b);
    EXPECT_EQ(b.List(), &second);
    second.Remove(&b);
    first.RemoveAll();
    EXPECT_EQ(first.Count(), 0);
    EXPECT_TRUE(deleted.empty());
}

TEST(TvlLinkList, OwningListDeletesAndDyingLinksLeave)
{
    std::vector<int> deleted;
    CTvlLinkList list(CTvlLinkList::kOwns);
    auto* a = new Member(1, deleted);
    auto* b = new Member(2, deleted);
    auto* c = new Member(3, deleted);
    list.Insert(a);
    list.Insert(b);
    list.Insert(c);

    delete b;
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.Count(), 2);

    list.Remove(a);
    EXPECT_EQ(deleted, (std::vector<int>{2, 1}));
    list.RemoveAll();
    EXPECT_EQ(deleted, (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(list.First(), nullptr);
}

} // namespace
