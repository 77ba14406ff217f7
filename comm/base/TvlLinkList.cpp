#include "TvlLinkList.h"

CTvlLink::~CTvlLink()
{
    if (m_list)
        m_list->Unlink(this);
}

CTvlLinkList::CTvlLinkList(int32_t keeps) : m_count(0), m_first(nullptr), m_last(nullptr), m_keeps(keeps) {}

CTvlLinkList::~CTvlLinkList()
{
    RemoveAll();
}

void CTvlLinkList::Insert(CTvlLink* link)
{
    if (!link || link->m_next || link->m_prev || link->m_list)
        return;
    link->m_prev = m_last;
    if (m_last)
        m_last->m_next = link;
    else
        m_first = link;
    m_last = link;
    link->m_list = this;
    ++m_count;
}

void CTvlLinkList::Unlink(CTvlLink* link)
{
    if (!link || link->m_list != this)
        return;
    (link->m_prev ? link->m_prev->m_next : m_first) = link->m_next;
    (link->m_next ? link->m_next->m_prev : m_last) = link->m_prev;
    link->m_next = nullptr;
    link->m_prev = nullptr;
    link->m_list = nullptr;
    --m_count;
}

void CTvlLinkList::Remove(CTvlLink* link)
{
    if (!link || link->m_list != this)
        return;
    Unlink(link);
    if (Owns())
        delete link;
}

void CTvlLinkList::RemoveAll()
{
    while (m_first)
        Remove(m_first);
}
