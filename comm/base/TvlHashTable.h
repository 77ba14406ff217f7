// CTvlHashTable: chained hash table of nodes that carry their own links.
#pragma once

#include <cstdint>
#include <vector>

#include "TvlObject.h"

class CTvlHashTable;

// Base of an object kept in a CTvlHashTable: its hash and its key test. The
// hash must not change while the node is in a table. A node destroyed while
// in a table first takes itself out.
class CTvlHashNode : public CTvlObject {
public:
    CTvlHashNode() : m_hashNext(nullptr), m_hashPrev(nullptr), m_table(nullptr), m_hash(0) {}
    CTvlHashNode(const CTvlHashNode&) = delete;
    CTvlHashNode& operator=(const CTvlHashNode&) = delete;
    ~CTvlHashNode() override;

    virtual uint32_t Hash() const = 0;
    virtual bool Matches(uint32_t key) const = 0;

    CTvlHashTable* Table() const { return m_table; }

private:
    friend class CTvlHashTable;
    CTvlHashNode* m_hashNext;
    CTvlHashNode* m_hashPrev;
    CTvlHashTable* m_table;
    uint32_t m_hash; // Hash() when inserted; a dying node can no longer answer it
};

// Owns its nodes: RemoveAll and the destructor delete them, Remove does not.
// The bucket count doubles when twice the node count reaches it and halves
// when ten times the node count falls below it, never below the minimum.
class CTvlHashTable : public CTvlObject {
public:
    static constexpr uint32_t kSmallest = 10;

    // Bucket count and minimum are `size`, at least 10.
    explicit CTvlHashTable(uint32_t size);
    CTvlHashTable(const CTvlHashTable&) = delete;
    CTvlHashTable& operator=(const CTvlHashTable&) = delete;
    ~CTvlHashTable() override;

    // Puts the node in front of its bucket; a node already in a table is
    // left alone.
    void Insert(CTvlHashNode* node);
    // Takes the node out when it is in this table; the node is not deleted.
    void Remove(CTvlHashNode* node);
    // The first node of bucket `hash` whose Matches(key) holds, or nullptr.
    CTvlHashNode* Find(uint32_t hash, uint32_t key) const;
    // Rebuilds with max(n, minimum, 2 x count) buckets; nothing while every
    // node is being removed.
    void Resize(uint32_t n);
    // Removes and deletes every node, then resizes to the smallest size.
    void RemoveAll();

    uint32_t BucketCount() const { return static_cast<uint32_t>(m_buckets.size()); }
    uint32_t MinimumBucketCount() const { return m_minimum; }
    int32_t Count() const { return m_count; }

    // Walks the buckets in index order and each chain from its first node.
    // The table must not change while an iterator walks it.
    class Iterator {
    public:
        explicit Iterator(const CTvlHashTable& table);
        bool IsValid() const { return m_node != nullptr; }
        CTvlHashNode* Node() const { return m_node; }
        void Next();

    private:
        void SettleFrom(uint32_t bucket);

        const CTvlHashTable& m_table;
        uint32_t m_bucket;
        CTvlHashNode* m_node;
    };

private:
    void Link(CTvlHashNode* node);

    uint32_t m_minimum;
    int32_t m_count;
    std::vector<CTvlHashNode*> m_buckets;
    int32_t m_frozen;
};
