#include "UcmConnection.h"

#include <cinttypes>

#include "TvlDebugSwitch.h"
#include "TvlLog.h"
#include "UcmAddress.h"
#include "UcmError.h"
#include "UcmManager.h"
#include "UcmPostHandshake.h"
#include "UcmPostLink.h"

namespace {

constexpr uint8_t kKeepAliveByte = 0x80;
constexpr uint8_t kLastSequence = 127;
constexpr uint64_t kLongestMessage = 0x7FFFFFFF;
// Reads per event while closing: a peer that keeps sending cannot hold the
// thread; the rest comes as a new event.
constexpr int kDiscardReads = 16;

int SocketNumber(UcmSocketHandle socket)
{
    return static_cast<int>(socket);
}

bool IsTransient(int32_t error)
{
    return error == UcmSys::kWouldBlock || error == UcmSys::kInterrupted;
}

} // namespace

CUcmConnection::CUcmConnection(CUcmManager& manager, uint8_t options)
    : CUcmSocket(manager), m_options(options), m_reader(options)
{
    Manager().RestartIfIdle();
    m_socket = Manager().Port().CreateSocket();
    if (m_socket == kUcmNoSocket) {
        m_creationCode = Manager().MapError(UcmCode::kNoBuffers, 0);
        m_state = kClosed;
        return;
    }
    Manager().PostStart(m_socket);
}

CUcmConnection::~CUcmConnection()
{
    CloseSecondary();
    CloseSocket();
}

void CUcmConnection::Leave(bool raiseIdle)
{
    if (m_busy > 1) {
        --m_busy;
        return;
    }
    // Still busy while settling, so that nothing deletes the connection
    // from inside OnIdle or a failure's notification.
    bool idleRaised = !raiseIdle;
    while (m_state != kClosed) {
        if (m_deferredCode != 0) {
            const int32_t code = m_deferredCode;
            m_deferredCode = 0;
            FinishClosed(code);
        } else if (m_eventWhileBusy) {
            m_eventWhileBusy = 0;
            SelectOrFail(m_mask);
            break;
        } else if (idleRaised) {
            break;
        } else {
            idleRaised = true;
            OnIdle();
        }
    }
    --m_busy;
}

int32_t CUcmConnection::Resolve(const char* name)
{
    if (m_state != kNew)
        return 1;
    Enter();
    uint32_t address = 0;
    if (UcmParseAddress(name, address)) {
        OnAddresses({CTvlIpAddress(address)});
    } else {
        const int32_t code = Manager().Lookup(name, m_lookupHandle);
        if (code != 0)
            OnLookupFailed(code);
        else
            m_state = kResolving;
    }
    Leave();
    return 0;
}

void CUcmConnection::OnLookupDone(int32_t code, const std::vector<uint32_t>& addresses)
{
    if (m_state != kResolving)
        return;
    m_state = kNew;
    m_lookupHandle = 0;
    Enter();
    if (code != 0) {
        OnLookupFailed(code);
    } else if (addresses.empty()) {
        OnLookupFailed(UcmCode::kLookupFailed);
    } else {
        std::vector<CTvlIpAddress> list;
        for (uint32_t address : addresses)
            list.emplace_back(address);
        OnAddresses(list);
    }
    Leave();
}

int32_t CUcmConnection::Connect(const char* peerName, uint32_t address, uint16_t port)
{
    if (address == CTvlIpAddress::kUnknown)
        return 1;
    m_settings = CZrServerAddress();
    return ConnectTo(peerName, address, port, address, TvlPortToNet(port));
}

int32_t CUcmConnection::ConnectTo(const char* peerName, uint32_t connectAddress, uint16_t connectPort,
                                  uint32_t targetAddress, uint16_t targetPort)
{
    if (m_state != kNew || !HasSocket())
        return 1;
    m_pending = true;
    m_connect = {0, targetAddress, targetPort};
    m_state = kConnecting;
    m_peerName = peerName != nullptr && *peerName != '\0' ? peerName : TvlAddressText(targetAddress);
    m_target = {m_peerName, targetAddress, targetPort};
    Enter();
    TvlTraces().ucmDebug.Trace("Connect: calling");
    if (Manager().Port().Connect(m_socket, connectAddress, connectPort) == 0) {
        TvlTraces().ucmDebug.Trace("Connect: synchronously established");
        if (SelectOrFail(UcmEvent::kMaskConnected) == 0)
            StartHandshake();
    } else {
        const int32_t error = Manager().Port().LastError();
        if (error == UcmSys::kWouldBlock || error == UcmSys::kInProgress) {
            TvlTraces().ucmDebug.Trace("Connect: in progress");
            SelectOrFail(UcmEvent::kMaskConnecting);
        } else {
            TvlTraces().ucmDebug.Trace("Connect: failed %d", error);
            Fail(Manager().MapError(UcmCode::kRefused, error));
        }
    }
    Leave();
    return 0;
}

int32_t CUcmConnection::Connect(const char* peerName, uint32_t address, uint16_t port,
                                const CZrServerAddress& settings)
{
    if (m_state != kNew || !HasSocket() || !settings.CanReach(address))
        return 1;
    m_settings = settings;
    const uint16_t targetPort = settings.TargetPortOr(port);
    if (settings.kind == CZrServerAddress::kDirect)
        return ConnectTo(peerName, address, TvlPortFromNet(targetPort), address, targetPort);
    return ConnectTo(peerName, settings.proxyAddress, TvlPortFromNet(settings.proxyPort), address, targetPort);
}

void CUcmConnection::StartHandshake()
{
    if (m_settings.kind == CZrServerAddress::kDirect) {
        m_pending = false;
        m_state = kConnected;
        OnConnected();
        return;
    }
    m_handshake = MakeHandshake(m_target);
    if (m_primary && IsTunnel())
        m_tunnel = std::make_unique<CUcmPostTunnel>(static_cast<IUcmPostLinkStarter&>(*this), m_output, m_target);
    const int32_t code = m_handshake ? m_handshake->Start(m_output) : int32_t{CUcmProxyHandshake::kRefusedCode};
    if (code != 0) {
        Fail(code);
        return;
    }
    m_connect.phase = static_cast<uint32_t>(m_handshake->CurrentPhase());
    SelectOrFail(UcmEvent::kMaskFlush);
}

std::unique_ptr<CUcmProxyHandshake> CUcmConnection::MakeHandshake(const UcmProxyTarget& target)
{
    return CUcmProxyHandshake::Create(m_settings, target);
}

void CUcmConnection::OnHandshakePassed(CUcmProxyHandshake& handshake)
{
    if (m_tunnel)
        m_tunnel->OnPrimaryReply(static_cast<CUcmPostHandshake&>(handshake).TunnelId());
}

void CUcmConnection::FeedHandshake()
{
    const UcmProxyProgress progress = m_handshake->Feed(m_reader.HeldBytes(), m_reader.HeldCount(), m_output);
    switch (progress.status) {
    case EUcmProxyStatus::kNeedMore:
        m_reader.DropHeld(m_reader.HeldCount());
        m_connect.phase = static_cast<uint32_t>(m_handshake->CurrentPhase());
        if (m_output.Size() != 0)
            SelectOrFail(UcmEvent::kMaskFlush);
        return;
    case EUcmProxyStatus::kRefused:
        Fail(progress.code);
        return;
    case EUcmProxyStatus::kDone:
        m_reader.DropHeld(progress.consumed);
        m_pending = false;
        OnHandshakePassed(*m_handshake);
        if (m_state != kConnecting)
            return;
        m_state = kConnected;
        OnConnected();
        FlushTunnel();
        return;
    }
}

int32_t CUcmConnection::StartPostLink(CUcmPostTunnel& tunnel)
{
    auto* link = new CUcmPostLink(Manager(), *this, tunnel);
    if (Manager().Register(link) != 0) {
        const int32_t code = link->CreationCode() != 0 ? link->CreationCode() : int32_t{UcmCode::kNoBuffers};
        delete link;
        return code;
    }
    m_secondary = link;
    if (link->Connect(m_peerName.c_str(), m_target.address, m_target.port, m_settings) != 0) {
        ForgetSecondary(link);
        link->Close();
        return UcmCode::kNotPossible;
    }
    return 0;
}

void CUcmConnection::ForgetSecondary(CUcmPostLink* link)
{
    if (m_secondary == link)
        m_secondary = nullptr;
}

void CUcmConnection::CloseSecondary()
{
    CUcmPostLink* link = m_secondary;
    m_secondary = nullptr;
    if (link != nullptr) {
        link->Unlink();
        link->Close();
    }
}

void CUcmConnection::FlushTunnel()
{
    if (!m_tunnel || (m_state != kConnected && m_state != kClosing))
        return;
    const int32_t code = m_tunnel->Flush();
    if (code != 0) {
        Fail(code);
        return;
    }
    if (m_state == kClosing && !m_tunnel->IsLinkRunning() && m_output.Size() == 0) {
        m_state = kClosed;
        EndSocket();
    }
}

void CUcmConnection::OnPostLinkReply(uint32_t tunnelId)
{
    Enter();
    const int32_t code = m_tunnel->OnLinkReply(tunnelId);
    if (code != 0)
        OnCloseEvent(code);
    else
        FlushTunnel();
    Leave();
}

int32_t CUcmConnection::SelectOrFail(uint32_t mask)
{
    const int32_t code = Manager().Select(*this, mask);
    if (code != 0)
        Fail(code);
    return code;
}

void CUcmConnection::OnReadEvent()
{
    if (m_busy != 0) {
        m_eventWhileBusy = 1;
        return;
    }
    Enter();
    HandleRead();
    Leave(true);
}

void CUcmConnection::OnWriteEvent()
{
    if (m_busy != 0) {
        m_eventWhileBusy = 1;
        return;
    }
    Enter();
    HandleWrite();
    Leave(true);
}

void CUcmConnection::OnCloseEvent(int32_t code)
{
    if (m_state == kClosed)
        return;
    if (m_busy != 0) {
        if (m_deferredCode == 0)
            m_deferredCode = code;
        return;
    }
    Enter();
    FinishClosed(code);
    Leave();
}

void CUcmConnection::FinishClosed(int32_t code)
{
    if (m_state == kClosing && !IsTunnelPrimary()) {
        ContinueClosing();
        return;
    }
    DeliverFrames();
    while (m_state == kConnected && ReceiveOnce(true))
        DeliverFrames();
    if (m_state != kClosed)
        Fail(code);
}

void CUcmConnection::HandleRead()
{
    if (m_state == kConnecting && m_pending && m_connect.phase == 0) {
        TvlTraces().ucmDebug.Trace("readEvent: connection async established");
        StartHandshake();
    }
    if (m_state == kClosing) {
        DiscardInput();
        return;
    }
    if (m_state != kConnecting && m_state != kConnected) {
        TvlTraces().ucmDebug.Trace("readEvent while not connected ignored");
        return;
    }
    if (!ReceiveOnce(false))
        return;
    if (m_state == kConnecting && m_handshake) {
        FeedHandshake();
        if (m_state != kConnected)
            return;
    }
    DeliverFrames();
}

bool CUcmConnection::ReceiveOnce(bool draining)
{
    const uint32_t room = m_reader.ReadRoom();
    const int32_t received = Manager().Port().Receive(m_socket, m_reader.ReadArea(), room);
    TvlTraces().ucmMessages.Trace("receive(%d,%" PRIu32 ",%d)", SocketNumber(m_socket), room, received);
    if (received > 0) {
        m_reader.Added(static_cast<uint32_t>(received));
        return true;
    }
    if (draining)
        return false;
    if (received == 0) {
        Fail(UcmCode::kLost);
        return false;
    }
    const int32_t error = Manager().Port().LastError();
    if (!IsTransient(error)) {
        TvlTraces().ucmKernel.Trace("recieve(%s,%d): %s", m_peerName.c_str(), SocketNumber(m_socket),
                                    TvlNumberText(error));
        FailOnSocketError(UcmCode::kLost, error);
    }
    return false;
}

void CUcmConnection::DeliverFrames()
{
    std::vector<uint8_t> frame;
    while (m_state == kConnected && m_deferredCode == 0) {
        int32_t code = 0;
        const CUcmFrameReader::Result result = m_reader.Next(frame, code);
        if (result == CUcmFrameReader::kNeedMore)
            return;
        if (result == CUcmFrameReader::kFailed) {
            ReportFramingFailure();
            Fail(code);
            return;
        }
        OnFrame(static_cast<uint32_t>(frame.size()), frame.data());
    }
}

void CUcmConnection::ReportFramingFailure()
{
    const TvlTraceSwitches& traces = TvlTraces();
    switch (m_reader.LastFailure()) {
    case CUcmFrameReader::kBadSequence:
        traces.ucmKernel.Trace("Bad sequence number %" PRIu32 " instead of %" PRIu32 " from ip %s",
                               m_reader.ReceivedSequence(), m_reader.ExpectedSequence(), m_peerName.c_str());
        break;
    case CUcmFrameReader::kMissingSequence:
        traces.ucmKernel.Trace("Missing sequencial number %" PRIu32 " from %s", m_reader.ExpectedSequence(),
                               m_peerName.c_str());
        break;
    case CUcmFrameReader::kTooLong:
    case CUcmFrameReader::kNoBuffer:
        traces.ucmKernel.Trace("allocMsg(%s,%d): too long a frame", m_peerName.c_str(), SocketNumber(m_socket));
        break;
    default:
        break;
    }
}

void CUcmConnection::HandleWrite()
{
    if (m_state == kConnecting && m_pending && m_connect.phase == 0) {
        TvlTraces().ucmDebug.Trace("writeEvent: connection async established");
        StartHandshake();
    }
    const bool handshaking = m_state == kConnecting && m_handshake;
    if (m_state != kConnected && m_state != kClosing && !handshaking)
        return;
    if (IsTunnelPrimary() && !handshaking) {
        FlushTunnel();
        return;
    }
    if (!SendQueued())
        return;
    if (m_state == kClosing) {
        m_state = kClosed;
        EndSocket();
    }
}

void CUcmConnection::DiscardInput()
{
    uint8_t discard[4096];
    for (int reads = 0; reads < kDiscardReads && !m_peerEnded; ++reads) {
        const int32_t received = Manager().Port().Receive(m_socket, discard, sizeof discard);
        if (received > 0)
            continue;
        if (received == 0) {
            m_peerEnded = true;
            return;
        }
        const int32_t error = Manager().Port().LastError();
        if (!IsTransient(error))
            FailOnSocketError(UcmCode::kLost, error);
        return;
    }
}

void CUcmConnection::ContinueClosing()
{
    DiscardInput();
    if (m_state == kClosing)
        HandleWrite();
}

bool CUcmConnection::SendQueued()
{
    uint32_t length = 0;
    while (const uint8_t* front = m_output.Front(length)) {
        const int32_t sent = Manager().Port().Send(m_socket, front, length);
        TvlTraces().ucmMessages.Trace("writeEvent0(%d,%" PRIu32 ",%" PRIu32 ",%d)", SocketNumber(m_socket),
                                      m_output.Size(), length, sent);
        if (sent < 0) {
            const int32_t error = Manager().Port().LastError();
            if (IsTransient(error))
                return false;
            TvlTraces().ucmKernel.Trace("send(%s,%d): %s", m_peerName.c_str(), SocketNumber(m_socket),
                                        TvlNumberText(error));
            FailOnSocketError(UcmCode::kLost, error);
            return false;
        }
        if (sent == 0) {
            Fail(Manager().MapError(UcmCode::kLost, 0));
            return false;
        }
        if (static_cast<uint32_t>(sent) > length) {
            TvlTraces().ucmKernel.Trace("Send %" PRIu32 " bytes returned %d, ignored", length, sent);
            return false;
        }
        m_output.Discard(static_cast<uint32_t>(sent));
        m_progress = 1;
    }
    return true;
}

void CUcmConnection::QueueSequenceByte()
{
    if (!(m_options & kSequence) || IsTunnel())
        return;
    m_sendSequence = m_sendSequence == kLastSequence ? 1 : m_sendSequence + 1;
    const uint8_t byte = static_cast<uint8_t>(0x80 | m_sendSequence);
    m_output.Write(&byte, 1);
}

void CUcmConnection::QueueLength(uint32_t length)
{
    const uint8_t bytes[4] = {static_cast<uint8_t>(length >> 24), static_cast<uint8_t>(length >> 16),
                              static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    m_output.Write(bytes, sizeof bytes);
}

void CUcmConnection::Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body,
                          uint32_t bodyLength)
{
    const uint64_t total = uint64_t{prefixLength} + bodyLength;
    if (total > kLongestMessage) {
        TvlTraces().ucmDebug.Trace("Attempt to send message of len %" PRIu64 " ignored", total);
        return;
    }
    if (m_state == kClosing) {
        TvlTraces().ucmDebug.Trace("Send on closed socket %d ignored", SocketNumber(m_socket));
        return;
    }
    if (m_state != kConnected)
        return;
    TvlTraces().ucmMessages.Trace("Send(%d,%" PRIu64 "(%" PRIu32 ",%" PRIu32 "))", SocketNumber(m_socket), total,
                                  prefixLength, bodyLength);
    const bool wasEmpty = m_output.Size() == 0;
    QueueSequenceByte();
    QueueLength(static_cast<uint32_t>(total));
    m_output.Write(prefix, prefixLength);
    m_output.Write(body, bodyLength);
    if (IsTunnelPrimary()) {
        FlushTunnel();
        return;
    }
    if (wasEmpty && Manager().Select(*this, UcmEvent::kMaskFlush) != 0) {
        TvlTraces().ucmDebug.Trace("Failed to start write notification on socket %d (%d)", SocketNumber(m_socket),
                                   Manager().LastSystemError());
    }
}

void CUcmConnection::Close()
{
    if (m_state == kClosing)
        return;
    if (m_state == kConnected && IsTunnelPrimary()) {
        // No closing frame in a tunnel: what is queued still goes out in
        // secondaries, and the primary ends when the last one has its reply.
        TvlTraces().ucmDebug.Trace("Close(%d)", SocketNumber(m_socket));
        m_state = kClosing;
        FlushTunnel();
        return;
    }
    if (m_state != kConnected || IsTunnel()) {
        CloseSecondary();
        if (m_lookupHandle != 0)
            Manager().CancelLookup(m_lookupHandle);
        m_lookupHandle = 0;
        if (IsTcpUp())
            EndSocket();
        else
            CloseSocket();
        m_pending = false;
        m_state = kClosed;
        return;
    }
    TvlTraces().ucmDebug.Trace("Close(%d)", SocketNumber(m_socket));
    QueueSequenceByte();
    QueueLength(0);
    m_state = kClosing;
    m_stuckTicks = 0;
    m_progress = 0;
    if (Manager().Select(*this, UcmEvent::kMaskClosing) != 0) {
        TvlTraces().ucmDebug.Trace("Failed to stop write notification on socket %d (%d)", SocketNumber(m_socket),
                                   Manager().LastSystemError());
    }
}

bool CUcmConnection::IsTcpUp() const
{
    const bool handshaking = m_state == kConnecting && m_pending && m_connect.phase != 0;
    return m_state == kConnected || m_state == kClosing || handshaking;
}

void CUcmConnection::EndSocket()
{
    if (!HasSocket())
        return;
    Manager().EndSocket(m_socket);
    m_socket = kUcmNoSocket;
}

void CUcmConnection::CloseSocket()
{
    if (!HasSocket())
        return;
    Manager().Port().CloseSocket(m_socket);
    m_socket = kUcmNoSocket;
}

void CUcmConnection::Fail(int32_t code)
{
    const State previous = m_state;
    if (IsTcpUp())
        EndSocket();
    else
        CloseSocket();
    m_state = kClosed;
    m_pending = false;
    if (m_lookupHandle != 0) {
        Manager().CancelLookup(m_lookupHandle);
        m_lookupHandle = 0;
    }
    CloseSecondary();
    Enter();
    if (previous == kConnecting)
        OnConnectFailed(code);
    else if (previous == kConnected)
        OnBroken(code);
    else if (previous == kClosed)
        TvlTraces().ucmDebug.Trace("Duplicate broken event on socket %d (%d)", SocketNumber(m_socket), code);
    Leave();
}

void CUcmConnection::FailOnSocketError(int32_t defaultCode, int32_t error)
{
    const int32_t code = Manager().MapError(defaultCode, error);
    CloseSocket();
    Fail(code);
}

void CUcmConnection::KeepAliveTick()
{
    const bool closing = m_state == kClosing;
    if (!closing && (m_state != kConnected || !(m_options & kKeepAlive)))
        return;
    const uint32_t limit = Manager().StuckTickLimit();
    if (m_progress) {
        m_progress = 0;
        m_stuckTicks = 0;
        return;
    }
    if (m_output.Size() != 0) {
        if (++m_stuckTicks >= limit) {
            Enter();
            Fail(UcmCode::kLost);
            Leave();
        }
        return;
    }
    if (IsTunnel() || closing)
        return;
    const int32_t sent = Manager().Port().Send(m_socket, &kKeepAliveByte, 1);
    TvlTraces().ucmMessages.Trace("SendKeep(%d,%d)", SocketNumber(m_socket), sent);
}

void CUcmConnection::SelectPoll()
{
    if (!HasSocket())
        return;
    TvlTraces().ucmSelect.Trace("Socket %d, mask=%" PRIx32, SocketNumber(m_socket), m_mask);
    Enter();
    SelectOrFail(m_mask != 0 ? m_mask : UcmEvent::kMaskConnecting);
    Leave();
}

void CUcmConnection::OnAddresses(const std::vector<CTvlIpAddress>&) {}
void CUcmConnection::OnLookupFailed(int32_t) {}
void CUcmConnection::OnConnected() {}
void CUcmConnection::OnConnectFailed(int32_t) {}
void CUcmConnection::OnFrame(uint32_t, const uint8_t*) {}
void CUcmConnection::OnBroken(int32_t) {}
void CUcmConnection::OnIdle() {}
