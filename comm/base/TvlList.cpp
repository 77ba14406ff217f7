#include "TvlList.h"

#include <new>

#include "TvlLog.h"

CTvlList::CTvlList(int32_t keeps) : m_count(0), m_first(nullptr), m_last(nullptr), m_keeps(keeps) {}

CTvlList::~CTvlList()
{
    RemoveAll();
}

void CTvlList::Append(CTvlObject* object)
{
    if (!object)
        return;
    auto* node = new (std::nothrow) CTvlListNode(object);
    if (!node)
        TvlOutOfMemory();
    node->prev = m_last;
    if (m_last)
        m_last->next = node;
    else
        m_first = node;
    m_last = node;
    ++m_count;
}

void CTvlList::AppendList(CTvlList* other)
{
    if (!other || other == this || other->m_keeps != m_keeps || !other->m_first)
        return;
    other->m_first->prev = m_last;
    if (m_last)
        m_last->next = other->m_first;
    else
        m_first = other->m_first;
    m_last = other->m_last;
    m_count += other->m_count;
    other->m_first = nullptr;
    other->m_last = nullptr;
    other->m_count = 0;
}

CTvlObject* CTvlList::RemoveNode(CTvlListIter& it)
{
    CTvlListNode* node = it.m_node;
    if (!node)
        return nullptr;
    it.m_node = nullptr;
    (node->prev ? node->prev->next : m_first) = node->next;
    (node->next ? node->next->prev : m_last) = node->prev;
    CTvlObject* object = node->object;
    delete node;
    --m_count;
    return object;
}

void CTvlList::RemoveAt(CTvlListIter& it)
{
    CTvlObject* object = RemoveNode(it);
    if (Owns())
        delete object;
}

CTvlListIter CTvlList::Find(const CTvlObject* object) const
{
    CTvlListNode* node = m_first;
    while (node && node->object != object)
        node = node->next;
    return CTvlListIter(node);
}

void CTvlList::Unlink(CTvlObject* object)
{
    CTvlListIter it = Find(object);
    RemoveNode(it);
}

void CTvlList::Remove(CTvlObject* object)
{
    CTvlListIter it = Find(object);
    RemoveAt(it);
}

void CTvlList::RemoveAll()
{
    while (m_first) {
        CTvlListIter it = Begin();
        RemoveAt(it);
    }
}
