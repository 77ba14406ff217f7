#include "TvlByteQueue.h"

#include "TvlChunkPool.h"
#include "TvlLog.h"

CTvlByteQueue::~CTvlByteQueue()
{
    Clear();
}

void CTvlByteQueue::AppendChunk()
{
    CTvlByteChunk* chunk = CTvlChunkPool::Get();
    if (!chunk)
        TvlOutOfMemory();
    if (m_last)
        m_last->next = chunk;
    else
        m_first = chunk;
    m_last = chunk;
}

void CTvlByteQueue::Write(const uint8_t* bytes, uint32_t n)
{
    if (n == 0)
        return;
    if (!m_last)
        AppendChunk();
    uint32_t left = m_last->Write(bytes, n);
    while (left) {
        AppendChunk();
        left = m_last->Write(bytes + (n - left), left);
    }
}

uint32_t CTvlByteQueue::Size() const
{
    uint32_t size = 0;
    for (const CTvlByteChunk* chunk = m_first; chunk; chunk = chunk->next)
        size += chunk->Count();
    return size;
}

void CTvlByteQueue::Discard(uint32_t n)
{
    while (m_first) {
        const uint32_t rest = m_first->Consume(n);
        if (m_first->Count() != 0 || m_first == m_last)
            return;
        CTvlByteChunk* emptied = m_first;
        m_first = emptied->next;
        CTvlChunkPool::Put(emptied);
        n = rest;
    }
}

void CTvlByteQueue::MoveFrom(CTvlByteQueue& other)
{
    if (&other == this)
        return;
    uint32_t length;
    while (const uint8_t* front = other.Front(length)) {
        Write(front, length);
        other.Discard(length);
    }
}

void CTvlByteQueue::Clear()
{
    while (m_first) {
        CTvlByteChunk* chunk = m_first;
        m_first = chunk->next;
        CTvlChunkPool::Put(chunk);
    }
    m_last = nullptr;
}

const uint8_t* CTvlByteQueue::Front(uint32_t& length) const
{
    for (const CTvlByteChunk* chunk = m_first; chunk; chunk = chunk->next) {
        if (chunk->Count()) {
            length = chunk->FrontLength();
            return chunk->Front();
        }
    }
    length = 0;
    return nullptr;
}
