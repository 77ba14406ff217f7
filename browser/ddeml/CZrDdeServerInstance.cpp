#include "CZrDdeServerInstance.h"

CZrDdeServerInstance::~CZrDdeServerInstance()
{
    // Shut down here, while the overrides that the callback may reach exist.
    ShutDown();
}

bool CZrDdeServerInstance::PostByType(uint16_t type, const uint8_t* data, uint32_t size)
{
    const CZrDdeTopic* topic = nullptr;
    const CZrDdeTopicItem* item = m_core.StorePosted(type, data, size, topic);
    if (!item || !IsSetUp())
        return false;
    HSZ topicHandle = MakeHandle(topic->GetName());
    HSZ itemHandle = MakeHandle(item->GetName());
    const bool posted = DdePostAdvise(GetId(), topicHandle, itemHandle) != FALSE;
    FreeHandle(topicHandle);
    FreeHandle(itemHandle);
    return posted;
}

bool CZrDdeServerInstance::HasTopic(const std::string& topic) const
{
    return m_core.FindTopic(topic) != nullptr;
}

bool CZrDdeServerInstance::AcceptsAdvise(const std::string& topic, const std::string& item,
                                         UINT format) const
{
    return m_core.AcceptsAdvise(topic, item, format);
}

const std::vector<uint8_t>* CZrDdeServerInstance::GetPostedData(const std::string& topic,
                                                                const std::string& item) const
{
    return m_core.GetPostedData(topic, item);
}

bool CZrDdeServerInstance::Request(const std::string& topic, const std::string& item,
                                   std::vector<uint8_t>& answer)
{
    return m_core.Request(topic, item, answer);
}

UINT CZrDdeServerInstance::Poke(const std::string& topic, const std::string& item,
                                const uint8_t* data, uint32_t size)
{
    return m_core.Poke(topic, item, data, size) == ZrDdePokeResult::Taken ? DDE_FACK
                                                                           : DDE_FNOTPROCESSED;
}

void CZrDdeServerInstance::OnConnected(const std::string&)
{
    ++m_connections;
}

void CZrDdeServerInstance::OnDisconnected(const std::string&)
{
    if (m_connections > 0)
        --m_connections;
}
