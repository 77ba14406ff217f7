#include "CZrDdeClient.h"

#include "CZrDdeClientInstance.h"

CZrDdeClientInstance::~CZrDdeClientInstance()
{
    ShutDown();
}

CZrDdeClient::CZrDdeClient(Accepting accepting) : m_accepting(accepting)
{
}

CZrDdeClient::~CZrDdeClient()
{
    Close();
}

bool CZrDdeClient::Init(const std::string& name)
{
    Close();
    const auto mode = m_accepting == Accepting::Yes ? CZrDdeInstance::Mode::AcceptingClient
                                                    : CZrDdeInstance::Mode::Server;
    m_instance = std::make_unique<CZrDdeClientInstance>(*this, mode);
    if (!m_instance->SetUp(name)) {
        m_instance.reset();
        return false;
    }
    return true;
}

void CZrDdeClient::Close()
{
    m_instance.reset();
    m_currentId = 0;
}

bool CZrDdeClient::IsOpen() const
{
    return m_instance && m_instance->IsSetUp();
}

uint32_t CZrDdeClient::NextId()
{
    if (++m_lastId == 0)
        ++m_lastId;
    return m_lastId;
}

bool CZrDdeClient::Connect(const std::string& service, const std::string& topic, uint32_t* id)
{
    if (!IsOpen())
        return false;
    const uint32_t newId = NextId();
    if (!m_instance->Connect(service, topic, newId))
        return false;
    if (id)
        *id = newId;
    else
        m_currentId = newId;
    m_instance->Trace("StdDDE Client: Connected with %s", topic.c_str());
    return true;
}

bool CZrDdeClient::Disconnect(uint32_t id)
{
    if (!m_instance)
        return false;
    if (id != 0) {
        CZrDdeConversation* conversation = m_instance->FindConversation(id);
        if (!conversation)
            return false;
        m_instance->Trace("StdDDE Client: Disconnect with %s", conversation->GetTopic().c_str());
        m_instance->Release(conversation);
        return true;
    }
    for (CZrDdeConversation* conversation : m_instance->GetConversations()) {
        m_instance->Trace("DDE Client: Disconnect with %s", conversation->GetTopic().c_str());
        m_instance->Release(conversation);
    }
    m_currentId = 0;
    return true;
}

CZrDdeConversation* CZrDdeClient::FindConversation(uint32_t id)
{
    if (!m_instance)
        return nullptr;
    CZrDdeConversation* conversation = m_instance->FindConversation(id != 0 ? id : m_currentId);
    if (conversation && !conversation->IsConnected()) {
        m_instance->OnEndedByPeer(conversation);
        return nullptr;
    }
    return conversation;
}

bool CZrDdeClient::Poke(const std::string& item, const uint8_t* data, uint32_t size, uint32_t id)
{
    CZrDdeConversation* conversation = FindConversation(id);
    return conversation && conversation->Poke(CF_TEXT, item, data, size);
}

bool CZrDdeClient::Execute(const std::string& command, uint32_t id)
{
    CZrDdeConversation* conversation = FindConversation(id);
    return conversation && conversation->Execute(command);
}

bool CZrDdeClient::Request(const std::string& item, std::vector<uint8_t>& data, uint32_t id)
{
    data.clear();
    CZrDdeConversation* conversation = FindConversation(id);
    return conversation && conversation->Request(item, data);
}

bool CZrDdeClient::AdviseStart(const std::string& item, uint32_t id)
{
    CZrDdeConversation* conversation = FindConversation(id);
    return conversation && conversation->AdviseStart(item);
}

unsigned CZrDdeClient::LastDdeError() const
{
    return m_instance ? m_instance->LastDdeError() : DMLERR_DLL_NOT_INITIALIZED;
}
