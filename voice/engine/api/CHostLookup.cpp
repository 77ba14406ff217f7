#include "CHostLookup.h"

void CHostLookup::Finish(const std::string& address)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_done)
        return;
    m_address = address.empty() ? "0.0.0.0" : address;
    m_done = true;
}

bool CHostLookup::IsDone() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_done;
}

std::string CHostLookup::Address() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_done ? m_address : std::string();
}
