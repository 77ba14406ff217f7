#include "ZrMemberFlags.h"

#include "TvlNdr.h"

void CZrMemberFlags::Write(TvlNdr& writer) const
{
    writer.PutShort(m_word);
}

bool CZrMemberFlags::Read(TvlNdr& reader)
{
    return reader.GetShort(m_word);
}
