#include "SessionDoubles.h"

#include "ZrChannel.h"
#include "ZrMessageReader.h"
#include "ZrSession.h"

void CFakeSessionSocket::Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body,
                              uint32_t bodyLength)
{
    Bytes message(prefix, prefix + prefixLength);
    message.insert(message.end(), body, body + bodyLength);
    sent.push_back(message);
}

int32_t CFakeSessionHandler::OnHello(CZrChannel& channel, CZrMessageReader& reader)
{
    events.push_back("hello " + std::to_string(channel.Id()));
    uint32_t windowId = 0;
    if (!reader.GetLong(windowId))
        return 222;
    if (helloAnswer == 0)
        session->Window().SetWindowId(windowId);
    return helloAnswer;
}

int32_t CFakeSessionHandler::OnResumedHello(CZrChannel& channel, CZrMessageReader& reader, uint32_t& received)
{
    events.push_back("resumed hello " + std::to_string(channel.Id()));
    return reader.GetLong(received) ? helloAnswer : 222;
}

ZrProtocolError CFakeSessionHandler::OnChannelMessage(CZrChannel& channel, CZrMessageReader& reader)
{
    events.push_back(std::to_string(channel.Id()) + ":" + std::to_string(reader.Type()));
    const auto found = errors.find(reader.Type());
    return found == errors.end() ? ZrProtocolError{} : found->second;
}

ZrProtocolError CFakeSessionHandler::OnRefusedMessage(CZrChannel& channel, CZrMessageReader&)
{
    events.push_back(std::to_string(channel.Id()) + ":9");
    return {9, 2};
}

void CFakeSessionHandler::OnChannelOpened(CZrChannel& defaultChannel, CZrChannel& channel)
{
    events.push_back("opened " + std::to_string(defaultChannel.Id()) + "," + std::to_string(channel.Id()));
}

void CFakeSessionHandler::OnChannelOffer(CZrChannel&, uint32_t id, uint32_t value, const std::string& name,
                                         CZrMessageReader&)
{
    events.push_back("offer " + std::to_string(id) + "," + std::to_string(value) + "," + name);
}

ZrProtocolError CFakePlaceLink::OnOperation(CZrMessageReader& reader)
{
    m_events.push_back("op " + std::to_string(m_key) + " at " + std::to_string(reader.Used()));
    return answer;
}

void CFakePlaceLink::OnRemoved(int32_t code)
{
    m_events.push_back("link " + std::to_string(m_key) + " removed " + std::to_string(code));
}

namespace Server {

Bytes Hello(uint32_t windowId, uint32_t major)
{
    return CWireEncoder().Header(0).U16(major).U16(1).U32(windowId);
}

Bytes ResumedHello(uint32_t received)
{
    return CWireEncoder().Header(0).U16(3).U16(1).U32(received);
}

Bytes Message(uint32_t type, uint32_t flags, const Bytes& fields)
{
    return CWireEncoder().Header(type, flags).Raw(fields);
}

Bytes ChannelOpen(uint32_t id, const std::string& name)
{
    return CWireEncoder().Header(1).U32(id).Text(name);
}

Bytes WindowAck(uint32_t count)
{
    return CWireEncoder().Header(33).U32(count);
}

Bytes ErrorReport(uint32_t module, uint32_t error, const Bytes& message, uint32_t offset)
{
    return CWireEncoder().Header(3).U16(222).U8(module).U8(error).Blob(message).U32(offset);
}

} // namespace Server
