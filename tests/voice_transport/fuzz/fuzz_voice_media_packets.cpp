// Feeds arbitrary bytes to a media channel's receive parser: the first two
// bytes choose the frame size and largest count, the rest is cut into reads
// as a stream and as datagrams. Every packet handed on must lie inside what
// was received and carry a valid count and payload type.
#include "TunnelMediaChannel.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class CheckingReceiver : public IPacketReceiver
{
public:
    size_t largestCount = 1;
    size_t frameSize = 1;

    void TakePacket(std::unique_ptr<Packet> packet) override
    {
        const size_t count = packet->FrameCount();
        if (count == 0 || count > largestCount || !Packet::IsKnownPayloadType(packet->PayloadType()) ||
            packet->Bytes().size() != Packet::kHeaderSize + count * frameSize)
            std::abort();
    }
};

void Run(const uint8_t* data, size_t size, bool datagrams)
{
    TunnelMediaChannel channel;
    CheckingReceiver receiver;
    receiver.frameSize = data[0];
    receiver.largestCount = data[1] % 4;
    channel.SetFrameSize(receiver.frameSize);
    channel.SetLargestCount(receiver.largestCount);
    channel.SetPacketReceiver(&receiver);
    size_t at = 2;
    while (at < size) {
        const size_t length = std::min<size_t>(size - at, 1 + data[at] % 64);
        if (datagrams)
            channel.ReceiveDatagram(data + at, length);
        else
            channel.Receive(data + at, length);
        at += length;
    }
    channel.TakeTestCount();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    Run(data, size, false);
    Run(data, size, true);
    return 0;
}
