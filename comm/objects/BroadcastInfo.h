// CBroadcastInfo: the record of a broadcast (message type 7).
#pragma once

#include <cstdint>
#include <string>

#include "TvlBlob.h"
#include "TvlObject.h"

class TvlNdr;

// Coded as three texts, the picture blob, five u16 values, a blob, four u16
// values and a last blob. The sending dialog fills the second and third
// texts, the picture, values 2-4 of the first five and the last two of the
// four; the promotion window reads values 2 and 3 of the first five (a
// display position), the last two of the four and the last blob.
class CBroadcastInfo : public CTvlObject {
public:
    CBroadcastInfo();

    void Write(TvlNdr& writer) const;
    // Every blob is copied out of the message.
    bool Read(TvlNdr& reader);

    std::string texts[3];
    CTvlBlob picture;
    uint16_t values[5];
    CTvlBlob middle;
    uint16_t moreValues[4];
    CTvlBlob last;
};
