#include "ZrProtocol.h"

#include "BroadcastInfo.h"
#include "TvlBlob.h"
#include "ZrChannel.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrSession.h"

namespace {

CZrProtocol* g_instance = nullptr;

constexpr uint8_t kDecoders = ZrModule::kDecoders;

} // namespace

CZrProtocol::CZrProtocol(uint32_t registrationLimit)
    : m_destroying(0), m_registrationLimit(registrationLimit)
{
    g_instance = this;
}

CZrProtocol::~CZrProtocol()
{
    Shutdown();
    if (g_instance == this)
        g_instance = nullptr;
}

CZrProtocol* CZrProtocol::Instance()
{
    return g_instance;
}

uint32_t CZrProtocol::RegistrationLimit()
{
    return g_instance ? g_instance->m_registrationLimit : kDefaultRegistrationLimit;
}

void CZrProtocol::Shutdown()
{
    if (m_destroying)
        return;
    m_destroying = 1;
    const std::vector<CZrSession*> sessions = m_sessions;
    for (CZrSession* session : sessions)
        session->Close(0);
    m_sessions.clear();
}

void CZrProtocol::OnSessionOpened(CZrSession& session)
{
    m_sessions.push_back(&session);
}

void CZrProtocol::OnSessionClosed(CZrSession& session, int32_t)
{
    for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it) {
        if (*it == &session) {
            m_sessions.erase(it);
            return;
        }
    }
}

ZrProtocolError CZrProtocol::OnRefusedMessage(CZrChannel&, CZrMessageReader&)
{
    return {ZrModule::kClientHandlers, 2};
}

void CZrProtocol::OnChannelOpened(CZrChannel&, CZrChannel&) {}

void CZrProtocol::OnChannelOffer(CZrChannel&, uint32_t, uint32_t, const std::string&, CZrMessageReader&) {}

ZrProtocolError CZrProtocol::OnChannelMessage(CZrChannel& channel, CZrMessageReader& reader)
{
    if (reader.Type() == kZrLeave)
        return OnLinkClosed(channel, reader);
    return Decode(channel, reader);
}

// The base decoders: each reads its type's leading fields (the recipient
// first, which must not be 0 where the type says so) and calls the type's
// operation; any other type goes to the handlers as it is.
ZrProtocolError CZrProtocol::Decode(CZrChannel& channel, CZrMessageReader& reader)
{
    uint32_t recipient = 0;
    switch (reader.Type()) {
    case 5: {
        std::string text;
        CTvlBlob blob;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetText(text) || !blob.Unmarshal(reader, true))
            return {kDecoders, 4};
        return OnText(channel, recipient, text, blob, reader);
    }
    case 7: {
        CBroadcastInfo record;
        if (!reader.GetLong(recipient) || !record.Read(reader))
            return {kDecoders, 2};
        return OnBroadcast(channel, recipient, record);
    }
    case 10: {
        uint32_t id = 0;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(id))
            return {kDecoders, 3};
        return OnPersonDescriptions(channel, recipient, id, reader);
    }
    case 19: {
        uint32_t person = 0;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(person))
            return {kDecoders, 5};
        return OnPersonPicture(channel, recipient, person, reader);
    }
    case 21: {
        uint32_t values[4] = {};
        uint16_t word = 0;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(values[0]) ||
            !reader.GetLong(values[1]) || !reader.GetShort(word) || !reader.GetLong(values[3]))
            return {kDecoders, 6};
        values[2] = word;
        return OnObjectDescription(channel, recipient, values, reader);
    }
    case 24: {
        uint32_t value = 0;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(value))
            return {kDecoders, 7};
        return OnPlaceList(channel, recipient, value, reader);
    }
    case 25: {
        uint32_t first = 0;
        uint32_t second = 0;
        int32_t flag = 0;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(first) || !reader.GetLong(second) ||
            !reader.GetBool(flag))
            return {kDecoders, 10};
        return OnPlaceDescriptions(channel, recipient, first, second, flag != 0, reader);
    }
    case 28:
    case 29: {
        const bool is28 = reader.Type() == 28;
        uint32_t id = 0;
        uint16_t mode = 0;
        std::string text;
        CTvlBlob blob;
        uint32_t member = 0;
        if (!reader.GetLong(recipient) || !reader.GetLong(id) || !reader.GetShort(mode) || !reader.GetText(text) ||
            !blob.Unmarshal(reader, true) || (!is28 && !reader.GetLong(member)))
            return {kDecoders, static_cast<uint8_t>(is28 ? 8 : 9)};
        if (is28)
            return OnServiceReply(channel, recipient, id, mode, text, blob, reader);
        return OnGameNotice(channel, recipient, id, mode, text, blob, member);
    }
    case 32: {
        uint32_t kind = 0;
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetKind(kind))
            return {kDecoders, 13};
        return OnKindChanged(channel, recipient, kind);
    }
    default:
        return OnHandlerMessage(channel, reader);
    }
}

ZrProtocolError CZrProtocol::OnLinkClosed(CZrChannel& channel, CZrMessageReader& reader)
{
    uint16_t key = 0;
    uint32_t objectId = 0;
    uint16_t code = 0;
    if (!reader.GetShort(key) || !reader.GetLong(objectId) || !reader.GetShort(code))
        return {kDecoders, 11};
    IZrPlaceLink* link = objectId != 0 ? channel.FindLinkByObject(objectId) : channel.FindLinkByKey(key);
    if (link)
        channel.RemoveLink(link, code);
    return {};
}
