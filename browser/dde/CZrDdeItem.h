// Base of every item of the client's DDE service: the value coding in which
// item fields travel as DDE data, and the factory that makes an empty item
// from its type code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Text field of an item. On the wire it is a u16 length and the bytes, no NUL.
using ZrDdeString = std::string;
// Raw byte field of an item (pictures, payloads). Same wire shape as a text.
using ZrDdeBytes = std::vector<uint8_t>;

class CZrDdeItem
{
public:
    // The largest text or block that a u16 length can carry.
    static constexpr size_t kMaxFieldLength = 0xFFFF;
    static constexpr uint8_t kSeparator = ',';

    virtual ~CZrDdeItem() = default;
    CZrDdeItem(const CZrDdeItem&) = delete;
    CZrDdeItem& operator=(const CZrDdeItem&) = delete;

    // Makes an empty item of the class for the type code; null for a code
    // that is not in the service table. The side reaches only the classes
    // whose coding depends on it.
    static std::unique_ptr<CZrDdeItem> CreateByType(uint16_t type, int32_t side);

    // Bytes that Write produces for the current values and side.
    virtual uint32_t GetSize() const = 0;
    virtual uint16_t GetType() const = 0;

    // Codes the current values into a buffer that the item keeps until the
    // next Write, FreeBuffer or its destruction.
    const uint8_t* Write(uint32_t& size);
    void FreeBuffer();

    // Decodes the form written by the other end from exactly `size` bytes.
    // Returns false when a value or a required separator is missing; the
    // values read before the failure stay in the item.
    bool Read(const uint8_t* data, uint32_t size);

    int32_t GetSide() const { return m_side; }
    int32_t GetByteOrder() const { return m_byteOrder; }
    // 1: 16- and 32-bit values travel in network byte order; anything else:
    // little-endian, which is what the client always uses.
    void SetByteOrder(int32_t byteOrder) { m_byteOrder = byteOrder; }

protected:
    // The side that the factory gives the classes whose coding is the same
    // at both ends.
    static constexpr int32_t kEitherSide = 2;

    explicit CZrDdeItem(int32_t side) : m_side(side) {}

    // True for the server end of a conversation, which writes notifications
    // and answers and reads commands.
    bool IsServerEnd() const { return m_side == 0; }

    virtual void WriteFields() = 0;
    virtual bool ReadFields() = 0;

    static constexpr uint32_t kU16Size = 2;
    static constexpr uint32_t kU32Size = 4;
    static constexpr uint32_t kSeparatorSize = 1;
    static uint32_t TextSize(const ZrDdeString& text);
    static uint32_t BlockSize(const ZrDdeBytes& block);

    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    // Texts over kMaxFieldLength are cut; blocks over it go out empty.
    void WriteText(const ZrDdeString& text);
    void WriteBlock(const ZrDdeBytes& block);
    void WriteSeparator();

    // Each reader fails without consuming when the value would run past the
    // end of the data.
    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);
    // A zero length leaves the field as it was; a text ends at its first NUL.
    bool ReadText(ZrDdeString& text);
    bool ReadBlock(ZrDdeBytes& block);
    // Takes one byte and succeeds only when it is ','.
    bool ReadSeparator();
    // Takes one byte whatever it is.
    bool SkipByte();
    // True when the data goes on with ','; the ',' is then consumed.
    bool ReadOptionalSeparator();

private:
    size_t Remaining() const { return static_cast<size_t>(m_end - m_cursor); }
    bool ReadLengthPrefixed(const uint8_t*& bytes, uint16_t& length);

    std::vector<uint8_t> m_buffer;
    const uint8_t* m_cursor = nullptr;
    const uint8_t* m_end = nullptr;
    int32_t m_side;
    int32_t m_byteOrder = 0;
};
