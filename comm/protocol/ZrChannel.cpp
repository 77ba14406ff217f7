#include "ZrChannel.h"

#include <algorithm>
#include <initializer_list>

#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrSession.h"
#include "ZrSessionHandler.h"

namespace {

constexpr uint64_t TypeSet(std::initializer_list<uint32_t> types)
{
    uint64_t set = 0;
    for (uint32_t type : types)
        set |= uint64_t{1} << type;
    return set;
}

bool InSet(uint64_t set, uint32_t type)
{
    return type < 64 && (set >> type & 1) != 0;
}

// Types of a set-up channel that the protocol handler's decoders and
// handlers take.
constexpr uint64_t kHandlerTypes = TypeSet({5, 7, 10, 19, 21, 24, 25, 28, 29, 32, 6, 8, 11, 12, 13, 14, 16,
                                            17, 18, 20, 22, 23, 26, 27, 30, 31, 34, 35});
// Types dropped silently on a channel that is not yet set up.
constexpr uint64_t kDroppedWhileNew = TypeSet({7, 26, 27});

constexpr int32_t kWrongMajor = 202;

} // namespace

CZrChannel::CZrChannel(CZrSession& session, uint32_t id, std::string peerName, uint32_t peerRole)
    : m_session(session), m_id(id), m_peerName(std::move(peerName)), m_peerRole(peerRole)
{
}

CZrChannel::~CZrChannel() = default;

void CZrChannel::Send(CZrMessage& message)
{
    if (m_state == kClosed)
        return;
    message.SetChannel(m_id);
    m_session.Send(message);
}

void CZrChannel::Accept()
{
    m_state = kSetUp;
    m_session.OnChannelAccepted(*this);
}

void CZrChannel::OnMessage(CZrMessageReader& reader)
{
    const uint32_t type = reader.Type();
    if (type == kZrCloseWithCode) {
        uint16_t code = 0;
        if (!reader.GetShort(code))
            ReportError(ZrModule::kSession, 1, reader);
        else
            Close(code);
        return;
    }
    if (type == kZrHello) {
        const bool resumed = IsDefault() && m_state == kSetUp && m_session.IsResuming();
        if (m_state == kNew || resumed)
            OnHello(reader);
        else
            ReportError(ZrModule::kSession, 4, reader);
        return;
    }
    if (m_state == kNew)
        DispatchNew(reader);
    else
        DispatchSetUp(reader);
}

void CZrChannel::DispatchSetUp(CZrMessageReader& reader)
{
    const uint32_t type = reader.Type();
    if (InSet(kHandlerTypes, type)) {
        const ZrProtocolError error = m_session.Handler().OnChannelMessage(*this, reader);
        if (error.IsError())
            ReportError(error, reader);
    } else if (type == kZrPlaceOperation) {
        DispatchPlaceOperation(reader);
    } else if (!reader.GetFlag()) {
        ReportError(ZrModule::kSession, 7, reader);
    }
}

void CZrChannel::DispatchPlaceOperation(CZrMessageReader& reader)
{
    uint16_t key = 0;
    if (!reader.GetShort(key)) {
        ReportError(ZrModule::kSession, 3, reader);
        return;
    }
    IZrPlaceLink* link = FindLinkByKey(key);
    if (link == nullptr)
        return;
    const ZrProtocolError error = link->OnOperation(reader);
    if (error.IsError())
        ReportError(error, reader);
}

void CZrChannel::DispatchNew(CZrMessageReader& reader)
{
    if (reader.GetFlag() || InSet(kDroppedWhileNew, reader.Type()))
        return;
    ReportError(ZrModule::kSession, 5, reader);
}

void CZrChannel::OnHello(CZrMessageReader& reader)
{
    if (!reader.GetShort(m_peerMajor) || !reader.GetShort(m_peerMinor)) {
        ReportError(ZrModule::kDecoders, 1, reader);
        return;
    }
    if (!IsDefault()) {
        // A further channel only needs the version; the session's own hello
        // (and any resumption) belongs to the default channel.
        AnswerHello(m_peerMajor == CZrSession::kMajor ? 0 : kWrongMajor, reader);
        return;
    }
    if (m_state == kNew) {
        AnswerHello(m_session.Handler().OnHello(*this, reader), reader);
        return;
    }
    uint32_t received = 0;
    int32_t answer = m_session.Handler().OnResumedHello(*this, reader, received);
    if (!m_session.FinishResume(answer == 0, received) && answer == 0)
        answer = kZrProtocolErrorCode;
    AnswerHello(answer, reader);
}

void CZrChannel::AnswerHello(int32_t answer, CZrMessageReader& reader)
{
    if (answer == 0) {
        if (m_state == kNew)
            Accept();
        return;
    }
    if (answer == kZrProtocolErrorCode) {
        ReportError(ZrModule::kDecoders, 12, reader);
        return;
    }
    CZrMessage close;
    close.BuildClose(static_cast<uint16_t>(answer));
    Send(close);
    Close(answer);
}

IZrPlaceLink* CZrChannel::AddLink(std::unique_ptr<IZrPlaceLink> link)
{
    link->SetKey(TakeKey());
    m_links.push_back(std::move(link));
    return m_links.back().get();
}

std::vector<IZrPlaceLink*> CZrChannel::Links() const
{
    std::vector<IZrPlaceLink*> links;
    for (const auto& link : m_links)
        links.push_back(link.get());
    return links;
}

IZrPlaceLink* CZrChannel::FindLinkByKey(uint16_t key) const
{
    for (const auto& link : m_links) {
        if (link->Key() == key)
            return link.get();
    }
    return nullptr;
}

IZrPlaceLink* CZrChannel::FindLinkByObject(uint32_t personId) const
{
    for (const auto& link : m_links) {
        if (link->PersonId() == personId)
            return link.get();
    }
    return nullptr;
}

void CZrChannel::RemoveLink(IZrPlaceLink* link, int32_t code)
{
    const auto found = std::find_if(m_links.begin(), m_links.end(),
                                    [link](const std::unique_ptr<IZrPlaceLink>& held) { return held.get() == link; });
    if (found == m_links.end())
        return;
    std::unique_ptr<IZrPlaceLink> removed = std::move(*found);
    m_links.erase(found);
    removed->OnRemoved(code);
}

void CZrChannel::ReportError(ZrProtocolError error, const CZrMessageReader& reader)
{
    ReportError(error.module, error.error, reader);
}

void CZrChannel::ReportError(uint8_t module, uint8_t error, const CZrMessageReader& reader)
{
    if (m_state == kClosed)
        return;
    CZrMessage report;
    report.BuildErrorReport(module, error, reader.Length(), reader.Bytes(), reader.Used());
    Send(report);
    Close(kZrProtocolErrorCode);
}

void CZrChannel::Close(int32_t code)
{
    if (m_state == kClosed)
        return;
    m_state = kClosed;
    while (!m_links.empty())
        RemoveLink(m_links.front().get(), code);
    m_session.OnChannelClosed(*this, code);
}
