// CPayload: the byte block that rides on every whisper and every chat text
// of a place. Byte 0 is the type, byte 1 the code (subtype), the rest the
// data. Payloads arrive from other members over the network, so every
// reader here checks its lengths and reads a short block as far as it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TvlBlob.h"

// The local user's identity texts, as carried by an identity payload.
struct CIdentityTexts {
    std::string gender;
    std::string hobbies;
    std::string occupation;
    std::string quote;
};

class CPayload : public CTvlBlob {
public:
    enum Type : uint8_t {
        kPlainText = 0,
        kTextWithName = 1,
        kIdentityRequest = 2,
        kIdentityData = 3,
        kCommand = 4,
        kUnused = 5,
        kObjectTransfer = 6,
    };
    // Longest gesture name a type-1 payload holds (its length byte is 1-254).
    static constexpr size_t kMaxNameLength = 254;
    // Longest identity text kept on receipt; the rest of a text is skipped.
    static constexpr size_t kMaxIdentityText = 1023;

    CPayload() = default;
    // Header, then a copy of `length` bytes (none when `bytes` is missing).
    CPayload(uint8_t type, uint8_t code, uint32_t length, const uint8_t* bytes);
    // A copy of any received block.
    explicit CPayload(const CTvlBlob& blob) : CTvlBlob(blob) {}
    CPayload(const CPayload& other) = default;
    CPayload& operator=(const CPayload& other) = default;

    // The type; 0 for an empty block.
    uint8_t GetByte() const;
    // The code; 0 for a block shorter than 2 bytes.
    uint8_t GetCode() const;
    // The data after the header, and its length (0 and nullptr when none).
    const uint8_t* Data(uint32_t& length) const;

    // The name of a type-1 payload with code 0. False for any other payload,
    // a length byte of 0, or a length byte that claims more than is held.
    bool GetString(std::string& name) const;
    // Splits identity data into its four texts. A text runs to its NUL or to
    // the end of the data and is cut after kMaxIdentityText bytes; texts
    // missing at the end come out empty. False, with the outputs unchanged,
    // for a payload of another type or without data.
    bool ReadIdentity(CIdentityTexts& texts) const;

    // A type-1 payload carrying `name`; null when the name is empty or longer
    // than kMaxNameLength.
    static std::unique_ptr<CPayload> MakeString(const std::string& name);
    // A type-3 payload of the four texts, each followed by a NUL. A text is
    // cut at its first NUL so that it cannot shift the ones after it.
    static std::unique_ptr<CPayload> MakeIdentity(const CIdentityTexts& texts);
};
