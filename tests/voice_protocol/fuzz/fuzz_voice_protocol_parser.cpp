// The parser of the server's lines alone, on arbitrary text: every result is
// one of the four statuses, a refused line carries no kind, and an offered
// media channel is only usable with ports and interval in range.
#include "ConfServerLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ConfServerLine line = ConfServerLineParser::Parse(text);
    if ((line.status == ConfLineStatus::Ok) != (line.kind != ConfLineKind::None))
        std::abort();
    const ConfChannelOffer& offer = line.channel;
    if (offer.usable && (offer.port < 1 || offer.port > ConfServerLineParser::kHighestMediaPort))
        std::abort();
    if (offer.usable && offer.transport != "TCP" &&
        (offer.interval < 1 || offer.interval > ConfServerLineParser::kLongestInterval))
        std::abort();
    return 0;
}
