#include "CSessionConnection.h"

#include "CDdeSession.h"

CSessionConnection::~CSessionConnection()
{
    UnregisterRunName();
    Stop();
}

bool CSessionConnection::StartService(uintptr_t instance)
{
    if (!Open(kServeMode, instance) || !Start())
        return false;
    RegisterRunName();
    return true;
}

void CSessionConnection::OnItem(std::unique_ptr<CZrDdeItem> item)
{
    m_session.OnCommand(std::move(item));
}

bool CSessionConnection::OnRequest(CZrDdeItem& item, uint32_t parameter)
{
    return m_session.OnRequest(item, parameter);
}
