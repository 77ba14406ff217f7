// CZrItem: a named value published on an object of the tree.
#pragma once

#include <cstdint>
#include <string>

#include "TvlBlob.h"
#include "TvlObject.h"

class TvlNdr;

// Coded as one byte (the type, OR 0x80 when the item has no value), the u16
// code and then, when the item has a value or the full form is written, the
// value by type: text, blob, u32, u16, one byte, or one byte 0/1.
class CZrItem : public CTvlObject {
public:
    enum Type : uint8_t { kText = 0, kBlob = 1, kLong = 2, kShort = 3, kByte = 4, kBool = 5 };
    static constexpr uint8_t kLastType = kBool;
    static constexpr uint8_t kNoValueBit = 0x80;

    // An item of the type and code without a value.
    explicit CZrItem(uint8_t type = kText, uint16_t code = 0);
    static CZrItem Text(uint16_t code, const std::string& text);
    static CZrItem Blob(uint16_t code, uint32_t length, const uint8_t* bytes);
    // Types 2 to 5; the value is cut to the type's width when written.
    static CZrItem Number(uint8_t type, uint16_t code, uint32_t value);

    void Write(TvlNdr& writer, bool full) const;
    // False for a type above 5, a short field, or an item without a value
    // when the full form is not being read (only the full form carries the
    // value of such an item).
    bool Read(TvlNdr& reader, bool full);

    uint8_t GetType() const { return m_type; }
    uint16_t GetCode() const { return m_code; }
    bool HasValue() const { return m_hasValue != 0; }
    // Set once the item holds a value that was made or read whole.
    bool IsValid() const { return m_valid != 0; }
    const std::string& GetText() const { return m_name; }
    const CTvlBlob& GetBlob() const { return m_blob; }
    uint32_t GetValue() const { return m_value; }

private:
    void WriteValue(TvlNdr& writer) const;
    bool ReadValue(TvlNdr& reader);

    uint8_t m_type;
    uint16_t m_code;
    int32_t m_hasValue;
    int32_t m_valid;
    std::string m_name;
    CTvlBlob m_blob;
    uint32_t m_value;
};
