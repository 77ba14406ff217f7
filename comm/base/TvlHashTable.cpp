#include "TvlHashTable.h"

#include <algorithm>
#include <utility>

CTvlHashNode::~CTvlHashNode()
{
    if (m_table)
        m_table->Remove(this);
}

CTvlHashTable::CTvlHashTable(uint32_t size)
    : m_minimum(std::max(size, kSmallest)), m_count(0), m_buckets(m_minimum, nullptr), m_frozen(0)
{
}

CTvlHashTable::~CTvlHashTable()
{
    RemoveAll();
}

void CTvlHashTable::Link(CTvlHashNode* node)
{
    CTvlHashNode*& head = m_buckets[node->m_hash % BucketCount()];
    node->m_hashPrev = nullptr;
    node->m_hashNext = head;
    if (head)
        head->m_hashPrev = node;
    head = node;
}

void CTvlHashTable::Insert(CTvlHashNode* node)
{
    if (!node || node->m_table)
        return;
    node->m_table = this;
    node->m_hash = node->Hash();
    Link(node);
    ++m_count;
    if (2 * uint64_t(m_count) >= BucketCount())
        Resize(2 * BucketCount());
}

void CTvlHashTable::Remove(CTvlHashNode* node)
{
    if (!node || node->m_table != this)
        return;
    if (node->m_hashPrev)
        node->m_hashPrev->m_hashNext = node->m_hashNext;
    else
        m_buckets[node->m_hash % BucketCount()] = node->m_hashNext;
    if (node->m_hashNext)
        node->m_hashNext->m_hashPrev = node->m_hashPrev;
    node->m_hashNext = nullptr;
    node->m_hashPrev = nullptr;
    node->m_table = nullptr;
    --m_count;
    if (10 * uint64_t(m_count) < BucketCount())
        Resize(BucketCount() / 2);
}

CTvlHashNode* CTvlHashTable::Find(uint32_t hash, uint32_t key) const
{
    for (CTvlHashNode* node = m_buckets[hash % BucketCount()]; node; node = node->m_hashNext) {
        if (node->Matches(key))
            return node;
    }
    return nullptr;
}

void CTvlHashTable::Resize(uint32_t n)
{
    if (m_frozen)
        return;
    n = std::max({n, m_minimum, 2 * static_cast<uint32_t>(m_count)});
    if (n == BucketCount())
        return;
    std::vector<CTvlHashNode*> previous = std::move(m_buckets);
    m_buckets.assign(n, nullptr);
    for (CTvlHashNode* chain : previous) {
        while (chain) {
            CTvlHashNode* next = chain->m_hashNext;
            Link(chain);
            chain = next;
        }
    }
}

void CTvlHashTable::RemoveAll()
{
    m_frozen = 1;
    for (CTvlHashNode*& head : m_buckets) {
        while (CTvlHashNode* node = head) {
            Remove(node);
            delete node;
        }
    }
    m_frozen = 0;
    Resize(kSmallest);
}

CTvlHashTable::Iterator::Iterator(const CTvlHashTable& table) : m_table(table), m_bucket(0), m_node(nullptr)
{
    SettleFrom(0);
}

void CTvlHashTable::Iterator::SettleFrom(uint32_t bucket)
{
    m_node = nullptr;
    for (m_bucket = bucket; m_bucket < m_table.BucketCount(); ++m_bucket) {
        if ((m_node = m_table.m_buckets[m_bucket]))
            return;
    }
}

void CTvlHashTable::Iterator::Next()
{
    if (!m_node)
        return;
    if (m_node->m_hashNext)
        m_node = m_node->m_hashNext;
    else
        SettleFrom(m_bucket + 1);
}
