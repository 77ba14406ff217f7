// Arbitrary frames into a session whose default channel is set up.
//
// Input: byte 0 picks the window (bit 0: on) and whether a side channel and
// a place link exist (bit 1); then records of a control byte, a 16-bit
// length and that many frame bytes. Control bit 0 sends a client message
// first, bit 1 breaks the connection and resumes it on a new socket.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "LogCapture.h"
#include "SessionDoubles.h"
#include "ZrChannel.h"
#include "ZrMessage.h"
#include "ZrSession.h"

namespace {

void Feed(CZrSession& session, const Bytes& frame)
{
    session.OnMessage(static_cast<uint32_t>(frame.size()), frame.data());
}

void SendClientMessage(CZrSession& session)
{
    CZrMessage message;
    message.BuildPlaceListRequest(1, 2);
    if (CZrChannel* side = session.FindChannel(7))
        side->Send(message);
    else
        session.DefaultChannel().Send(message);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CLogCapture logs;
    CFakeSessionSocket socket;
    CFakeSessionSocket resumed;
    CFakeSessionOwner owner;
    CFakeSessionHandler handler;
    std::vector<std::string> linkEvents;
    CZrSession session(&owner, &socket, handler, "server", 0);
    Feed(session, Server::Hello(data[0] & 1 ? 5 : 0));
    if (data[0] & 2) {
        Feed(session, Server::ChannelOpen(7, "side"));
        Feed(session, OnChannel(7, Server::Hello(0)));
        session.DefaultChannel().AddLink(std::make_unique<CFakePlaceLink>(1, linkEvents));
    }
    size_t pos = 1;
    while (pos + 3 <= size && !session.IsEnded()) {
        const uint8_t control = data[pos];
        const size_t length = static_cast<size_t>(data[pos + 1] << 8 | data[pos + 2]);
        pos += 3;
        const size_t take = length < size - pos ? length : size - pos;
        if (control & 1)
            SendClientMessage(session);
        if (control & 2) {
            session.OnConnectionBroken(41);
            if (!session.IsEnded())
                session.ResumeOn(&resumed);
        }
        Feed(session, Bytes(data + pos, data + pos + take));
        pos += take;
        socket.sent.clear();
        resumed.sent.clear();
    }
    return 0;
}
