#include "CZrDdeServer.h"

CZrDdeServer::~CZrDdeServer()
{
    Stop();
}

bool CZrDdeServer::Open(int32_t mode, uintptr_t value)
{
    if (mode != kServeMode || value == 0 || m_core)
        return false;
    m_core = std::make_unique<CZrDdeServerCore>(*this);
    m_openValue = value;
    return true;
}

bool CZrDdeServer::Start()
{
    if (!m_core || IsStarted())
        return false;
    m_instance = std::make_unique<CZrDdeServerInstance>(*m_core);
    return m_instance->SetUp(CZrDdeServerInstance::kServiceName);
}

bool CZrDdeServer::Stop()
{
    if (!m_core)
        return false;
    m_instance.reset();
    return true;
}

bool CZrDdeServer::RegisterRunName()
{
    return IsStarted() && m_instance->RegisterRunName();
}

bool CZrDdeServer::UnregisterRunName()
{
    return IsStarted() && m_instance->UnregisterRunName();
}

bool CZrDdeServer::PostItem(CZrDdeItem& item)
{
    if (!m_instance)
        return false;
    uint32_t size = 0;
    const uint8_t* data = item.Write(size);
    const bool posted = m_instance->PostByType(item.GetType(), data, size);
    item.FreeBuffer();
    return posted;
}
