#include "ZrSession.h"

#include "TvlDebugValue.h"
#include "TvlLog.h"
#include "TvlSwitchSource.h"
#include "ZrChannel.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrSessionHandler.h"
#include "ZrSessionOwner.h"
#include "ZrSessionSocket.h"

namespace {

constexpr uint32_t kInitialChannelTableSize = 10;
constexpr char kBrokenTitle[] = "Zanthe";

bool IsCounted(uint32_t type)
{
    return type != kZrHello && type != kZrWindowAck;
}

} // namespace

CZrSession::CZrSession(IZrSessionOwner* owner, IZrSessionSocket* socket, IZrSessionHandler& handler,
                       const std::string& peerName, uint32_t peerRole)
    : m_owner(owner),
      m_socket(socket),
      m_handler(handler),
      m_default(new CZrChannel(*this, 0, peerName, peerRole)),
      m_channels(kInitialChannelTableSize)
{
    m_channels.Insert(m_default);
    m_handler.OnSessionOpened(*this);
    const bool safe = CTvlDebugValue(TvlKey::ZrSafeConn).Value() != 0;
    CZrMessage hello;
    hello.BuildHello(kMajor, kMinor, kModeNew);
    hello.PutByte(safe ? 1 : 0);
    m_default->Send(hello);
}

CZrSession::~CZrSession()
{
    if (!m_ended)
        CloseFromServer(0);
    DeleteClosedChannels();
    delete m_default;
}

CZrChannel* CZrSession::FindChannel(uint32_t id) const
{
    return static_cast<CZrChannel*>(m_channels.Find(id, id));
}

uint32_t CZrSession::ChannelCount() const
{
    return static_cast<uint32_t>(m_channels.Count());
}

void CZrSession::OnMessage(uint32_t length, const uint8_t* bytes)
{
    if (m_ended)
        return;
    ++m_depth;
    CZrMessageReader reader(length, bytes);
    if (!reader.Parse()) {
        m_default->ReportError(ZrModule::kSession, 14, reader);
    } else {
        if (m_window.IsOn() && IsCounted(reader.Type()))
            m_window.CountReceived();
        if (m_window.Received() != 0 && m_window.Received() % kAckEvery == 0)
            SendAcknowledgement();
        Dispatch(reader);
    }
    if (--m_depth == 0)
        DeleteClosedChannels();
}

void CZrSession::Dispatch(CZrMessageReader& reader)
{
    switch (reader.Type()) {
    case kZrChannelOpen:
        OpenChannel(reader);
        break;
    case kZrChannelData:
        OnChannelData(reader);
        break;
    case kZrRefused9: {
        const ZrProtocolError error = m_handler.OnRefusedMessage(*m_default, reader);
        if (error.IsError())
            m_default->ReportError(error, reader);
        break;
    }
    case kZrWindowAck:
        OnWindowAck(reader);
        break;
    case kZrChannelOpenExtended:
        OpenChannelExtended(reader);
        break;
    default:
        m_default->OnMessage(reader);
        break;
    }
}

void CZrSession::OpenChannel(CZrMessageReader& reader)
{
    if (m_default->GetState() != CZrChannel::kSetUp) {
        m_default->ReportError(ZrModule::kSession, 8, reader);
        return;
    }
    uint32_t id = 0;
    std::string name;
    if (!reader.GetLong(id) || id == 0 || !reader.GetText(name)) {
        m_default->ReportError(ZrModule::kSession, 9, reader);
        return;
    }
    if (FindChannel(id) != nullptr) {
        m_default->ReportError(ZrModule::kSession, 10, reader);
        return;
    }
    m_channels.Insert(new CZrChannel(*this, id, name, 0));
}

void CZrSession::OpenChannelExtended(CZrMessageReader& reader)
{
    if (m_default->GetState() != CZrChannel::kSetUp) {
        m_default->ReportError(ZrModule::kSession, 17, reader);
        return;
    }
    int32_t open = 0;
    uint32_t id = 0;
    uint32_t value = 0;
    std::string name;
    if (!reader.GetBool(open) || !reader.GetLong(id) || !reader.GetText(name) || (!open && !reader.GetLong(value))) {
        m_default->ReportError(ZrModule::kSession, 18, reader);
        return;
    }
    if (FindChannel(id) != nullptr) {
        m_default->ReportError(ZrModule::kSession, 20, reader);
        return;
    }
    if (!open) {
        m_handler.OnChannelOffer(*m_default, id, value, name, reader);
        return;
    }
    auto* channel = new CZrChannel(*this, id, name, 0);
    m_channels.Insert(channel);
    m_handler.OnChannelOpened(*m_default, *channel);
}

void CZrSession::OnChannelData(CZrMessageReader& reader)
{
    if (m_default->GetState() != CZrChannel::kSetUp) {
        m_default->ReportError(ZrModule::kSession, 11, reader);
        return;
    }
    uint32_t id = 0;
    if (!reader.GetLong(id) || id == 0) {
        m_default->ReportError(ZrModule::kSession, 12, reader);
        return;
    }
    CZrChannel* channel = FindChannel(id);
    if (channel == nullptr)
        return;
    CZrMessageReader inner(reader.Remaining(), reader.Cursor());
    if (!inner.Parse()) {
        reader.Skip(inner.Used());
        m_default->ReportError(ZrModule::kSession, 13, reader);
        return;
    }
    channel->OnMessage(inner);
}

void CZrSession::OnWindowAck(CZrMessageReader& reader)
{
    if (!m_window.IsOn()) {
        m_default->ReportError(ZrModule::kSession, 15, reader);
        return;
    }
    uint32_t n = 0;
    if (!reader.GetLong(n) || !m_window.Acknowledged(n))
        m_default->ReportError(ZrModule::kSession, 16, reader);
}

void CZrSession::SendAcknowledgement()
{
    CZrMessage ack;
    ack.BuildWindowAck(m_window.Received());
    m_default->Send(ack);
}

void CZrSession::Send(CZrMessage& message)
{
    uint8_t prefix[CZrMessage::kChannelPrefixLength];
    const uint32_t prefixLength = message.WriteChannelPrefix(prefix);
    const uint32_t type = prefixLength != 0 ? uint32_t{kZrChannelData} : message.Type();
    const bool counted = IsCounted(type);
    if (m_window.IsOn() && counted)
        m_window.Keep(prefixLength, prefix, message.Used(), message.Data());
    if (m_resuming && counted)
        return;
    SendBytes(prefixLength, prefix, message.Used(), message.Data());
}

void CZrSession::SendBytes(uint32_t prefixLength, const uint8_t* prefix, uint32_t length, const uint8_t* bytes)
{
    if (m_socket != nullptr)
        m_socket->Send(prefix, prefixLength, bytes, length);
}

void CZrSession::OnConnectionBroken(int32_t code)
{
    m_socket = nullptr;
    if (m_ended)
        return;
    if (!m_window.IsOn() || m_owner == nullptr) {
        Close(m_owner != nullptr ? m_owner->ReasonForBroken(code) : code);
        return;
    }
    m_resuming = true;
    TvlLog(kBrokenTitle, "Connection to server broken (%d), starting ttl", code);
    m_owner->StartReconnect();
}

void CZrSession::ResumeOn(IZrSessionSocket* socket)
{
    if (m_ended)
        return;
    m_socket = socket;
    m_resuming = true;
    CZrMessage hello;
    hello.BuildHello(kMajor, kMinor, kModeResumed);
    hello.PutLong(m_window.WindowId());
    hello.PutLong(m_window.Received());
    m_default->Send(hello);
}

bool CZrSession::FinishResume(bool accepted, uint32_t received)
{
    m_resuming = false;
    if (!accepted || !m_window.Acknowledged(received))
        return false;
    for (const CZrMsgWindow::Copy& copy : m_window.Kept())
        SendBytes(copy.prefix.Length(), copy.prefix.Bytes(), copy.message.Length(), copy.message.Bytes());
    return true;
}

void CZrSession::OnChannelAccepted(CZrChannel& channel)
{
    if (channel.IsDefault() && m_owner != nullptr)
        m_owner->OnSessionReady(*this);
}

void CZrSession::OnChannelClosed(CZrChannel& channel, int32_t code)
{
    m_channels.Remove(&channel);
    m_closedChannels.push_back(&channel);
    if (channel.IsDefault())
        End(code);
    else if (m_depth == 0)
        DeleteClosedChannels();
}

void CZrSession::Close(int32_t reason)
{
    if (m_ended)
        return;
    IZrSessionOwner* owner = m_owner;
    m_owner = nullptr;
    CloseFromServer(reason);
    if (owner != nullptr)
        owner->OnSessionEnded(reason);
}

void CZrSession::CloseFromServer(int32_t reason)
{
    m_owner = nullptr;
    ReleaseSocket();
    m_default->Close(reason);
}

void CZrSession::End(int32_t reason)
{
    if (m_ended)
        return;
    m_ended = true;
    m_resuming = false;
    ReleaseSocket();
    std::vector<CZrChannel*> others;
    for (CTvlHashTable::Iterator it(m_channels); it.IsValid(); it.Next())
        others.push_back(static_cast<CZrChannel*>(it.Node()));
    for (CZrChannel* channel : others)
        channel->Close(reason);
    if (m_owner != nullptr)
        m_owner->OnSessionEnded(reason);
    m_handler.OnSessionClosed(*this, reason);
    if (m_depth == 0)
        DeleteClosedChannels();
}

void CZrSession::ReleaseSocket()
{
    IZrSessionSocket* socket = m_socket;
    m_socket = nullptr;
    if (socket != nullptr)
        socket->Release();
}

void CZrSession::DeleteClosedChannels()
{
    std::vector<CZrChannel*> closed;
    closed.swap(m_closedChannels);
    for (CZrChannel* channel : closed) {
        if (channel != m_default)
            delete channel;
    }
}
