// CZrMessage: one outgoing protocol message, written with the value coder.
#pragma once

#include <cstdint>
#include <string_view>

#include "TvlNdr.h"

class CTvlBlob;

// Message types of the community protocol.
enum ZrMessageType : uint16_t {
    kZrHello = 0,
    kZrChannelOpen = 1,
    kZrChannelData = 2,
    kZrCloseWithCode = 3,
    kZrBareHeader = 4,
    kZrText = 5,
    kZrBroadcast = 7,
    kZrRefused9 = 9,
    kZrLogin = 11,
    kZrWelcome = 12,
    kZrWelcomeReply = 13,
    kZrLeave = 14,
    kZrPlaceOperation = 15,
    kZrObjectReference = 26,
    kZrObjectReferenceGone = 27,
    kZrWindowAck = 33,
    kZrChannelOpenExtended = 36,
    kZrLastMessageType = 36,
};

// Close code that carries a protocol error report.
constexpr uint16_t kZrProtocolErrorCode = 222;

// Header flags: bit 0 lets a receiver drop a message it does not handle;
// bit 7 says that one more header byte follows.
constexpr uint8_t kZrFlagMayIgnore = 0x01;
constexpr uint8_t kZrFlagMoreHeader = 0x80;

// The header is the 16-bit big-endian type, then (except for types 2 and 4)
// a flags byte. A message sent on a channel other than the default one is
// carried behind a 6-byte prefix: the 16-bit value 2 and the channel id.
class CZrMessage : public TvlNdr {
public:
    // A status record: a text and one byte.
    struct StatusRecord {
        std::string_view text;
        uint8_t value;
    };

    static constexpr uint32_t kChannelPrefixLength = 6;

    CZrMessage() = default;

    // True for the types whose header has no flags byte.
    static bool HasNoFlags(uint32_t type) { return type == kZrChannelData || type == kZrBareHeader; }

    // Empties the writer and writes the header of `type` with flags 0.
    void SetHeader(uint16_t type);

    // Bit 0 of the flags byte; false for a header without one.
    bool GetFlag() const;
    void SetFlag(bool on);

    // Writes the channel prefix into `area` and answers 6, or answers 0 for
    // a message on the default channel.
    uint32_t WriteChannelPrefix(uint8_t (&area)[kChannelPrefixLength]) const;

    uint32_t Type() const { return m_type; }
    uint32_t HeaderLength() const { return m_headerLength; }
    uint32_t Channel() const { return m_channel; }
    void SetChannel(uint32_t channel) { m_channel = channel; }

    // Builders: each starts with SetHeader and writes the fields in order.
    void BuildHello(uint16_t major, uint16_t minor, uint8_t mode);
    void BuildClose(uint16_t code);
    void BuildErrorReport(uint8_t module, uint8_t error, uint32_t length, const uint8_t* bytes,
                          uint32_t offset);
    void BuildText(uint32_t sender, std::string_view text, const CTvlBlob& attachment,
                   uint32_t target);
    // `record` is the broadcast record as written by its own marshalling.
    void BuildBroadcast(uint32_t id, const TvlNdr& record, const bool* flag);
    void BuildLookupRequest(uint32_t first, uint32_t second, uint32_t third, std::string_view text,
                            bool flagA, bool flagB);
    void BuildLogin(uint16_t placeKey, const StatusRecord& nameKey, uint16_t kind,
                    const CTvlBlob& credentials);
    // `description` is the local user's description as written by its own
    // marshalling.
    void BuildWelcomeReply(uint16_t placeKey, const TvlNdr& description, uint32_t loginValue,
                           uint32_t secondLoginValue);
    void BuildLeave(uint16_t placeKey, uint32_t myselfId, uint16_t code);
    void BuildPictureRequest(uint32_t first, uint32_t second, const CTvlBlob* blob);
    void BuildMembersRequest(uint32_t first, uint32_t second, uint32_t third, uint16_t value,
                             uint32_t fifth, uint32_t sixth);
    void BuildTextsRequest(uint32_t id, std::string_view first, std::string_view second);
    void BuildPlaceListRequest(uint32_t first, uint32_t second);
    // Sets flag bit 0 as well.
    void BuildPlacesQuery(uint32_t first, uint32_t second, uint32_t third, bool flag);
    void BuildMemberRequest(uint32_t first, uint32_t second, uint16_t value, std::string_view text,
                            const CTvlBlob& blob, uint32_t last);
    void BuildWindowAck(uint32_t count);

    // Payload records without a header.
    static void WriteStatusRecord(TvlNdr& writer, const StatusRecord& record);
    static void WriteStatusPayload(TvlNdr& writer, const StatusRecord& record, uint8_t value,
                                   uint32_t number, std::string_view text);
    static void WriteStatusPayload(TvlNdr& writer, const StatusRecord& record,
                                   std::string_view first, std::string_view second);

    // Releases the writer's block; the message is empty afterwards.
    void Destroy();

private:
    void PutBlob(const CTvlBlob& blob);
    void PutCoded(const TvlNdr& coded);

    uint32_t m_type = 0;
    uint32_t m_headerLength = 0;
    uint32_t m_channel = 0;
};
