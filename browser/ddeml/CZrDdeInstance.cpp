#include "CZrDdeInstance.h"

#include <algorithm>
#include <cstdarg>

#include "ZrDdeRegistry.h"
#include "ZrDdeText.h"

namespace {

ZrDdeRegistry<CZrDdeInstance>& Registry()
{
    static ZrDdeRegistry<CZrDdeInstance> registry;
    return registry;
}

HDDEDATA AsResult(UINT_PTR value)
{
    return reinterpret_cast<HDDEDATA>(value);
}

uintptr_t AsKey(HCONV handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

// The text of a string handle read through any instance that is set up:
// string handles are shared by every instance of the process.
std::string HandleTextOfProcess(HSZ handle)
{
    for (CZrDdeInstance* instance : Registry().GetInstances()) {
        if (instance->GetId() != 0)
            return instance->HandleText(handle);
    }
    return "<error>";
}

} // namespace

CZrDdeInstance::~CZrDdeInstance()
{
    ShutDown();
}

bool CZrDdeInstance::SetUp(const std::string& serviceName)
{
    if (m_setUp || m_id != 0)
        ShutDown();
    m_id = 0;
    if (DdeInitializeA(&m_id, Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) {
        m_id = 0;
        Trace("DDE: dde initialization failed");
        return false;
    }
    Registry().AddInstance(this);
    m_setUp = true;
    if (!serviceName.empty() && !RegisterName(serviceName)) {
        Trace("DDE: dde initialization failed");
        ShutDown();
        return false;
    }
    Trace("DDE: dde initialization completed");
    return true;
}

void CZrDdeInstance::ShutDown()
{
    m_setUp = false;
    if (m_id == 0)
        return;
    ReleaseAll();
    UnregisterAllNames();
    Registry().RemoveInstance(this);
    DdeUninitialize(m_id);
    m_id = 0;
}

UINT CZrDdeInstance::LastDdeError() const
{
    return m_id != 0 ? DdeGetLastError(m_id) : DMLERR_INVALIDPARAMETER;
}

bool CZrDdeInstance::RegisterName(const std::string& name)
{
    if (!m_setUp || name.empty() || !Registry().AddName(this, name))
        return false;
    HSZ handle = MakeHandle(name);
    if (!handle || !DdeNameService(m_id, handle, nullptr, DNS_REGISTER)) {
        FreeHandle(handle);
        Registry().RemoveName(this, name);
        return false;
    }
    m_names.push_back({name, handle});
    return true;
}

bool CZrDdeInstance::UnregisterName(const std::string& name)
{
    auto found = std::find_if(m_names.begin(), m_names.end(), [&](const RegisteredName& entry) {
        return ZrDdeText::NamesEqual(entry.name, name);
    });
    if (found == m_names.end())
        return false;
    DdeNameService(m_id, found->handle, nullptr, DNS_UNREGISTER);
    FreeHandle(found->handle);
    Registry().RemoveName(this, found->name);
    m_names.erase(found);
    return true;
}

void CZrDdeInstance::UnregisterAllNames()
{
    while (!m_names.empty())
        UnregisterName(m_names.back().name);
}

CZrDdeConversation* CZrDdeInstance::Connect(const std::string& service, const std::string& topic,
                                            uint32_t clientId)
{
    auto conversation = std::make_unique<CZrDdeConversation>(*this, topic, clientId);
    if (!conversation->Connect(service))
        return nullptr;
    CZrDdeConversation* connected = conversation.get();
    Adopt(std::move(conversation));
    return connected;
}

void CZrDdeInstance::Adopt(std::unique_ptr<CZrDdeConversation> conversation)
{
    Registry().AddHandle(this, AsKey(conversation->GetHandle()));
    m_conversations.push_back(std::move(conversation));
}

void CZrDdeInstance::Release(CZrDdeConversation* conversation)
{
    auto found = std::find_if(m_conversations.begin(), m_conversations.end(),
                              [&](const auto& entry) { return entry.get() == conversation; });
    if (found == m_conversations.end())
        return;
    std::unique_ptr<CZrDdeConversation> released = std::move(*found);
    m_conversations.erase(found);
    Registry().RemoveHandle(AsKey(released->GetHandle()));
}

void CZrDdeInstance::ReleaseAll()
{
    while (!m_conversations.empty())
        Release(m_conversations.back().get());
}

CZrDdeConversation* CZrDdeInstance::FindConversation(uint32_t clientId) const
{
    for (const auto& conversation : m_conversations) {
        if (clientId != 0 && conversation->GetClientId() == clientId)
            return conversation.get();
    }
    return nullptr;
}

CZrDdeConversation* CZrDdeInstance::FindConversation(HCONV handle) const
{
    for (const auto& conversation : m_conversations) {
        if (conversation->GetHandle() == handle)
            return conversation.get();
    }
    return nullptr;
}

std::vector<CZrDdeConversation*> CZrDdeInstance::GetConversations() const
{
    std::vector<CZrDdeConversation*> conversations;
    for (const auto& conversation : m_conversations)
        conversations.push_back(conversation.get());
    return conversations;
}

HSZ CZrDdeInstance::MakeHandle(const std::string& text) const
{
    return m_id != 0 ? DdeCreateStringHandleA(m_id, text.c_str(), CP_WINANSI) : nullptr;
}

void CZrDdeInstance::FreeHandle(HSZ handle) const
{
    if (handle && m_id != 0)
        DdeFreeStringHandle(m_id, handle);
}

std::string CZrDdeInstance::HandleText(HSZ handle) const
{
    if (!handle)
        return "<null>";
    const DWORD length = DdeQueryStringA(m_id, handle, nullptr, 0, CP_WINANSI);
    if (length == 0)
        return "<error>";
    std::string text(length + 1, '\0');
    const DWORD copied = DdeQueryStringA(m_id, handle, &text[0], length + 1, CP_WINANSI);
    text.resize(std::min(copied, length));
    return text;
}

void CZrDdeInstance::Trace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string line = ZrDdeText::FormatLine(format, args);
    va_end(args);
    OnTrace(line);
}

bool CZrDdeInstance::AcceptsAdvise(const std::string& topic, const std::string& item,
                                   UINT format) const
{
    (void)topic;
    (void)item;
    (void)format;
    return false;
}

const std::vector<uint8_t>* CZrDdeInstance::GetPostedData(const std::string& topic,
                                                          const std::string& item) const
{
    (void)topic;
    (void)item;
    return nullptr;
}

bool CZrDdeInstance::Request(const std::string& topic, const std::string& item,
                             std::vector<uint8_t>& answer)
{
    (void)topic;
    (void)item;
    (void)answer;
    return false;
}

UINT CZrDdeInstance::Poke(const std::string& topic, const std::string& item, const uint8_t* data,
                          uint32_t size)
{
    (void)topic;
    (void)item;
    (void)data;
    (void)size;
    return DDE_FNOTPROCESSED;
}

bool CZrDdeInstance::PeerRequest(const std::string& topic, const std::string& item,
                                 std::vector<uint8_t>& answer)
{
    (void)topic;
    (void)item;
    (void)answer;
    return false;
}

void CZrDdeInstance::PeerPoke(const std::string& topic, const std::string& item,
                              const uint8_t* data, uint32_t size)
{
    (void)topic;
    (void)item;
    (void)data;
    (void)size;
}

HDDEDATA CALLBACK CZrDdeInstance::Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                           HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    const Transaction transaction{type, format, conversation, hsz1, hsz2, data};
    if (type == XTYP_REGISTER || type == XTYP_UNREGISTER) {
        NotifyRegistration(transaction);
        return nullptr;
    }
    CZrDdeInstance* instance = FindInstance(transaction);
    if (!instance)
        return nullptr;
    return instance->m_mode == Mode::Server ? instance->HandleServer(transaction)
                                            : instance->HandleAcceptingClient(transaction);
}

CZrDdeInstance* CZrDdeInstance::FindInstance(const Transaction& transaction)
{
    switch (transaction.type) {
    case XTYP_CONNECT:
    case XTYP_CONNECT_CONFIRM:
        return transaction.item ? Registry().FindByName(HandleTextOfProcess(transaction.item))
                                : nullptr;
    case XTYP_ADVSTART:
    case XTYP_ADVREQ:
    case XTYP_REQUEST:
    case XTYP_ADVDATA:
    case XTYP_EXECUTE:
    case XTYP_POKE:
    case XTYP_DISCONNECT:
        return Registry().FindByHandle(AsKey(transaction.conversation));
    default:
        return nullptr;
    }
}

void CZrDdeInstance::NotifyRegistration(const Transaction& transaction)
{
    for (CZrDdeInstance* instance : Registry().GetInstances()) {
        if (!Registry().HasInstance(instance))
            continue;
        const std::string name = instance->HandleText(transaction.topic);
        if (transaction.type == XTYP_REGISTER) {
            instance->Trace("DDE: Service %s being registered ", name.c_str());
            instance->OnServiceRegistered(name);
        } else {
            instance->Trace("DDE: Service %s being unregistered ", name.c_str());
            instance->OnServiceUnregistered(name);
        }
    }
}

HDDEDATA CZrDdeInstance::HandleServer(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    const std::string item = HandleText(transaction.item);
    switch (transaction.type) {
    case XTYP_CONNECT:
        Trace("DDE: request to connection with %s", topic.c_str());
        return AsResult(HasTopic(topic) ? TRUE : FALSE);
    case XTYP_CONNECT_CONFIRM:
        return ConfirmConnection(transaction);
    case XTYP_ADVSTART:
        Trace("DDE: AdvStart - %s|%s", topic.c_str(), item.c_str());
        if (AcceptsAdvise(topic, item, transaction.format))
            return AsResult(TRUE);
        Trace("DDE: Can't advise on %s|%s", topic.c_str(), item.c_str());
        return AsResult(FALSE);
    case XTYP_ADVREQ:
        return AnswerAdvise(transaction);
    case XTYP_REQUEST:
        return AnswerRequest(transaction);
    case XTYP_POKE:
        return TakePoke(transaction);
    case XTYP_ADVDATA:
        Trace("DDE: AdvData - %s|%s", topic.c_str(), item.c_str());
        Trace("DDE: AdviseData %s|%s failed", topic.c_str(), item.c_str());
        return AsResult(DDE_FNOTPROCESSED);
    case XTYP_EXECUTE:
        Trace("DDE: request to exec. Not processed.");
        return AsResult(DDE_FNOTPROCESSED);
    case XTYP_DISCONNECT:
        return EndConversation(transaction);
    default:
        return nullptr;
    }
}

HDDEDATA CZrDdeInstance::HandleAcceptingClient(const Transaction& transaction)
{
    switch (transaction.type) {
    case XTYP_CONNECT:
        Trace("DDE: request to connection with %s", HandleText(transaction.topic).c_str());
        return AsResult(TRUE);
    case XTYP_CONNECT_CONFIRM:
        return ConfirmConnection(transaction);
    case XTYP_REQUEST:
        return AnswerPeerRequest(transaction);
    case XTYP_POKE:
        return TakePeerPoke(transaction);
    case XTYP_DISCONNECT:
        return EndConversation(transaction);
    default:
        return nullptr;
    }
}

HDDEDATA CZrDdeInstance::ConfirmConnection(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    Trace("DDE: Connect to %s", topic.c_str());
    Adopt(std::make_unique<CZrDdeConversation>(*this, topic, 0, transaction.conversation));
    OnConnected(topic);
    return nullptr;
}

HDDEDATA CZrDdeInstance::EndConversation(const Transaction& transaction)
{
    CZrDdeConversation* conversation = FindConversation(transaction.conversation);
    if (!conversation)
        return nullptr;
    OnEndedByPeer(conversation);
    return nullptr;
}

void CZrDdeInstance::OnEndedByPeer(CZrDdeConversation* conversation)
{
    const std::string topic = conversation->GetTopic();
    Registry().RemoveHandle(AsKey(conversation->GetHandle()));
    conversation->Forget();
    Release(conversation);
    Trace("DDE: Disconnect with %s", topic.c_str());
    OnDisconnected(topic);
}

HDDEDATA CZrDdeInstance::AnswerAdvise(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    const std::string item = HandleText(transaction.item);
    Trace("DDE: Advise request to %s|%s", topic.c_str(), item.c_str());
    const std::vector<uint8_t>* posted = GetPostedData(topic, item);
    if (!posted) {
        Trace("DDE: Advice request %s|%s failed", topic.c_str(), item.c_str());
        return nullptr;
    }
    return MakeData(*posted, transaction);
}

HDDEDATA CZrDdeInstance::AnswerRequest(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    const std::string item = HandleText(transaction.item);
    Trace("DDE: Request to %s|%s", topic.c_str(), item.c_str());
    std::vector<uint8_t> answer;
    HDDEDATA data = Request(topic, item, answer) ? MakeData(answer, transaction) : nullptr;
    if (!data)
        Trace("DDE: Request %s|%s failed", topic.c_str(), item.c_str());
    return data;
}

HDDEDATA CZrDdeInstance::TakePoke(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    const std::string item = HandleText(transaction.item);
    Trace("DDE: Poke - %s|%s", topic.c_str(), item.c_str());
    std::vector<uint8_t> bytes;
    UINT result = DDE_FNOTPROCESSED;
    if (CopyData(transaction.data, bytes))
        result = Poke(topic, item, bytes.data(), static_cast<uint32_t>(bytes.size()));
    if (result != DDE_FACK)
        Trace("DDE: Poke %s|%s failed", topic.c_str(), item.c_str());
    return AsResult(result);
}

HDDEDATA CZrDdeInstance::AnswerPeerRequest(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    const std::string item = HandleText(transaction.item);
    Trace("DDE: Request to %s|%s", topic.c_str(), item.c_str());
    std::vector<uint8_t> answer;
    if (!PeerRequest(topic, item, answer) || answer.empty())
        return nullptr;
    return MakeData(answer, transaction);
}

HDDEDATA CZrDdeInstance::TakePeerPoke(const Transaction& transaction)
{
    const std::string topic = HandleText(transaction.topic);
    const std::string item = HandleText(transaction.item);
    Trace("DDE: Poke - %s|%s", topic.c_str(), item.c_str());
    std::vector<uint8_t> bytes;
    if (!CopyData(transaction.data, bytes)) {
        Trace("DDE: Poke %s|%s failed", topic.c_str(), item.c_str());
        return AsResult(DDE_FNOTPROCESSED);
    }
    PeerPoke(topic, item, bytes.data(), static_cast<uint32_t>(bytes.size()));
    return AsResult(DDE_FACK);
}

HDDEDATA CZrDdeInstance::MakeData(const std::vector<uint8_t>& bytes,
                                  const Transaction& transaction) const
{
    static BYTE noData = 0;
    BYTE* start = bytes.empty() ? &noData : const_cast<BYTE*>(bytes.data());
    return DdeCreateDataHandle(m_id, start, static_cast<DWORD>(bytes.size()), 0, transaction.item,
                               transaction.format, 0);
}

bool CZrDdeInstance::CopyData(HDDEDATA data, std::vector<uint8_t>& bytes) const
{
    bytes.clear();
    if (!data)
        return true;
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    if (size > CZrDdeConversation::kMaxDataSize)
        return false;
    bytes.resize(size);
    if (size != 0)
        DdeGetData(data, bytes.data(), size, 0);
    return true;
}
