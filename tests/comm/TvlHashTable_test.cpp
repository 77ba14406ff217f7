#include "TvlHashTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A channel-like node: its id is both hash and key.
class Entry : public CTvlHashNode {
public:
    Entry(uint32_t id, std::vector<uint32_t>* deleted = nullptr) : id(id), m_deleted(deleted) {}
    ~Entry() override
    {
        if (m_deleted)
            m_deleted->push_back(id);
    }
    uint32_t Hash() const override { return id; }
    bool Matches(uint32_t key) const override { return key == id; }
    const uint32_t id;

private:
    std::vector<uint32_t>* m_deleted;
};

std::vector<uint32_t> Walk(const CTvlHashTable& table)
{
    std::vector<uint32_t> ids;
    for (CTvlHashTable::Iterator it(table); it.IsValid(); it.Next())
        ids.push_back(static_cast<Entry*>(it.Node())->id);
    return ids;
}

TEST(TvlHashTable, SizeIsAtLeastTen)
{
    EXPECT_EQ(CTvlHashTable(0).BucketCount(), 10u);
    EXPECT_EQ(CTvlHashTable(3).MinimumBucketCount(), 10u);
    EXPECT_EQ(CTvlHashTable(64).BucketCount(), 64u);
}

TEST(TvlHashTable, GrowsAtHalfLoadAndShrinksBelowATenth)
{
    CTvlHashTable table(10);
    std::vector<std::unique_ptr<Entry>> entries;
    // Bucket count after each insert: 4 nodes keep 10 buckets, the fifth doubles.
    const uint32_t afterInsert[] = {10, 10, 10, 10, 20, 20, 20, 20, 20, 40};
    for (uint32_t i = 0; i < 10; ++i) {
        entries.push_back(std::make_unique<Entry>(i * 3));
        table.Insert(entries.back().get());
        EXPECT_EQ(table.BucketCount(), afterInsert[i]) << "after insert " << i + 1;
    }
    for (const auto& entry : entries)
        EXPECT_EQ(table.Find(entry->id, entry->id), entry.get());

    // Removing: 40 buckets halve when 10 x count < 40, i.e. at count 3;
    // 20 halve at count 1; never below the minimum 10.
    const uint32_t afterRemove[] = {40, 40, 40, 40, 40, 40, 20, 20, 10, 10};
    for (uint32_t i = 0; i < 10; ++i) {
        table.Remove(entries[i].get());
        EXPECT_EQ(table.Count(), static_cast<int32_t>(9 - i));
        EXPECT_EQ(table.BucketCount(), afterRemove[i]) << "after remove " << i + 1;
        EXPECT_EQ(table.Find(entries[i]->id, entries[i]->id), nullptr);
        for (uint32_t j = i + 1; j < 10; ++j)
            EXPECT_EQ(table.Find(entries[j]->id, entries[j]->id), entries[j].get());
    }
}

TEST(TvlHashTable, TenBucketsBackAfterTheCountFallsBelowTwo)
{
    CTvlHashTable table(10);
    std::vector<std::unique_ptr<Entry>> entries;
    for (uint32_t i = 0; i < 5; ++i) {
        entries.push_back(std::make_unique<Entry>(i));
        table.Insert(entries.back().get());
    }
    ASSERT_EQ(table.BucketCount(), 20u);
    table.Remove(entries[0].get());
    table.Remove(entries[1].get());
    table.Remove(entries[2].get());
    EXPECT_EQ(table.BucketCount(), 20u) << "count 2";
    table.Remove(entries[3].get());
    EXPECT_EQ(table.BucketCount(), 10u) << "count 1";
}

TEST(TvlHashTable, FindNeedsHashAndKey)
{
    CTvlHashTable table(10);
    Entry a(7), b(17), c(27);  // one bucket
    table.Insert(&a);
    table.Insert(&b);
    table.Insert(&c);
    table.Insert(&b);  // already in: left alone
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Find(17, 17), &b);
    EXPECT_EQ(table.Find(7, 17), &b) << "same bucket, matching key";
    EXPECT_EQ(table.Find(8, 17), nullptr) << "other bucket";
    EXPECT_EQ(table.Find(37, 37), nullptr);

    table.Remove(&b);
    table.Remove(&b);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Find(7, 7), &a);
    EXPECT_EQ(table.Find(27, 27), &c);

    CTvlHashTable other(10);
    other.Remove(&a);
    EXPECT_EQ(table.Count(), 2) << "a node of another table is left alone";
    table.Remove(&a);
    table.Remove(&c);
}

TEST(TvlHashTable, IteratorWalksBucketsInOrderAndChainsFromTheFront)
{
    CTvlHashTable table(10);
    Entry a(3), b(13), c(1), d(8);
    for (Entry* e : {&a, &b, &c, &d})
        table.Insert(e);
    EXPECT_EQ(Walk(table), (std::vector<uint32_t>{1, 13, 3, 8}));
    for (Entry* e : {&a, &b, &c, &d})
        table.Remove(e);
    EXPECT_TRUE(Walk(table).empty());
}

TEST(TvlHashTable, RemoveAllDeletesEveryNodeAndShrinks)
{
    std::vector<uint32_t> deleted;
    CTvlHashTable table(10);
    for (uint32_t i = 0; i < 30; ++i)
        table.Insert(new Entry(i, &deleted));
    ASSERT_EQ(table.BucketCount(), 80u);
    table.RemoveAll();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.BucketCount(), 10u);
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(deleted.size(), 30u);
    EXPECT_EQ(deleted.front(), 0u);
    EXPECT_EQ(deleted.back(), 29u);

    table.Insert(new Entry(5, &deleted));
    auto* leaving = new Entry(6, &deleted);
    table.Insert(leaving);
    delete leaving;  // a dying node takes itself out
    EXPECT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Find(6, 6), nullptr);
}

TEST(TvlHashTable, DestructorDeletesTheNodes)
{
    std::vector<uint32_t> deleted;
    {
        CTvlHashTable table(16);
        table.Insert(new Entry(1, &deleted));
        table.Insert(new Entry(2, &deleted));
    }
    EXPECT_EQ(deleted.size(), 2u);
}

} // namespace
