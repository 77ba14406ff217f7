// Arbitrary messages into the protocol handler after a welcome and an entry
// snapshot, with a client place on the session.
//
// Input: byte 0 bit 0 makes every record a place operation for the current
// key (the record then holds the object id, operation code and fields);
// then records of a 16-bit length and that many bytes. After every message
// the tree must still hang together: the standing groups under the place
// and, while the session lives, the local user inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "LogCapture.h"
#include "PlaceBytes.h"
#include "PlaceDoubles.h"

namespace {

void CheckTree(PlaceHarness& h)
{
    CZrClientPlace& place = *h.place;
    if (place.GetRoom()->GetParent() != &place || place.GetCorridor()->GetParent() != &place)
        abort();
    if (h.myself->FindRoot() != &place)
        abort();
    if (place.GetHeight() > kZrMaxTreeLevels)
        abort();
    TreeDump(place);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CLogCapture logs;
    PlaceHarness h;
    h.Populate();
    const bool operations = (data[0] & 1) != 0;
    size_t at = 1;
    while (at + 2 <= size && !h.connection.session->IsEnded()) {
        const size_t length = static_cast<size_t>(data[at]) << 8 | data[at + 1];
        at += 2;
        const size_t taken = length < size - at ? length : size - at;
        Bytes record(data + at, data + at + taken);
        at += taken;
        if (operations)
            record = CWireEncoder().Header(15).U16(h.Key()).Raw(record);
        h.Feed(record);
        CheckTree(h);
    }
    return 0;
}
