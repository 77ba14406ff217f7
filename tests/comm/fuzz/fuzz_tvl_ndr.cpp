// Arbitrary bytes through every TvlNdr reader and CTvlBlob::Unmarshal.
//
// Input: byte 0 gives the number of script bytes that follow; each script
// byte picks a reader (low nibble) and a small count (high nibble); the rest
// of the input is the message, read over and over by the script. Each value
// read is written again into a mirror writer, so at the end the mirror must
// hold exactly the bytes the reader consumed; a failed read must leave the
// output and the cursor alone (GetText and Unmarshal may consume their
// length fields).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "TvlBlob.h"
#include "TvlNdr.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class Walker {
public:
    Walker(const uint8_t* message, uint32_t length) : m_reader(length, message) {}

    void Step(uint8_t op)
    {
        const uint32_t before = m_reader.Used();
        const uint32_t count = op >> 4;
        switch (op & 0x0F) {
        case 0: Value<uint8_t>(1, [&](uint8_t& v) { return m_reader.GetByte(v); }, [&](uint8_t v) { m_mirror.PutByte(v); }); break;
        case 1: Value<uint16_t>(2, [&](uint16_t& v) { return m_reader.GetShort(v); }, [&](uint16_t v) { m_mirror.PutShort(v); }); break;
        case 2: Value<uint16_t>(2, [&](uint16_t& v) { return m_reader.GetShort(v, false); }, [&](uint16_t v) { m_mirror.PutShort(v, false); }); break;
        case 3: Value<uint32_t>(4, [&](uint32_t& v) { return m_reader.GetLong(v); }, [&](uint32_t v) { m_mirror.PutLong(v); }); break;
        case 4: Value<uint32_t>(4, [&](uint32_t& v) { return m_reader.GetLong(v, false); }, [&](uint32_t v) { m_mirror.PutLong(v, false); }); break;
        case 5: Value<uint32_t>(2, [&](uint32_t& v) { return m_reader.GetWord(v); }, [&](uint32_t v) { Check(v <= 0xFFFF); m_mirror.PutShort(static_cast<uint16_t>(v)); }); break;
        case 6: Value<uint32_t>(1, [&](uint32_t& v) { return m_reader.GetOctet(v); }, [&](uint32_t v) { Check(v <= 0xFF); m_mirror.PutByte(static_cast<uint8_t>(v)); }); break;
        case 7: Bool(); break;
        case 8: Kind(); break;
        case 9: Text(); break;
        case 10: Bytes(count * 3); break;
        case 11: Blob(true); break;
        case 12: Blob(false); break;
        default: Skip(count); break;
        }
        Check(m_reader.Used() >= before);
        Check(m_reader.Used() <= m_reader.Capacity());
    }

    // The mirror holds exactly the consumed bytes.
    void Finish() const
    {
        Check(m_mirror.Used() == m_reader.Used());
        if (m_mirror.Used())
            Check(std::memcmp(m_mirror.Data(), m_reader.Data(), m_mirror.Used()) == 0);
    }

    bool AtEnd() const { return m_reader.Remaining() == 0; }

private:
    template <class T, class Read, class Write>
    void Value(uint32_t size, Read read, Write write)
    {
        const uint32_t before = m_reader.Used();
        const bool fits = m_reader.Remaining() >= size;
        T value = static_cast<T>(0xA5A5A5A5u);
        const bool ok = read(value);
        Check(ok == fits);
        if (!ok) {
            Check(value == static_cast<T>(0xA5A5A5A5u));
            Check(m_reader.Used() == before);
            return;
        }
        Check(m_reader.Used() == before + size);
        write(value);
    }

    // Copies consumed bytes to the mirror unchanged (length fields of failed
    // reads, bytes whose value a reader reduces).
    void MirrorRaw(uint32_t from)
    {
        m_mirror.PutBytes(m_reader.Used() - from, m_reader.Data() + from);
    }

    void Bool()
    {
        const uint32_t before = m_reader.Used();
        int32_t value = -7;
        if (!m_reader.GetBool(value)) {
            Check(value == -7 && m_reader.Used() == before);
            return;
        }
        Check(value == (m_reader.Data()[before] & 1));
        MirrorRaw(before);
    }

    void Kind()
    {
        const uint32_t before = m_reader.Used();
        uint32_t kind = 0xA5A5A5A5u;
        const bool ok = m_reader.GetKind(kind);
        if (m_reader.Used() == before) {
            Check(!ok && kind == 0xA5A5A5A5u);
            return;
        }
        const uint32_t high = kind & 0xFF00;
        Check(kind <= 0xFFFF);
        Check(ok == (high && !(high & (high - 1))));
        m_mirror.PutShort(static_cast<uint16_t>(kind));
    }

    void Text()
    {
        const uint32_t before = m_reader.Used();
        std::string text = "unchanged";
        if (m_reader.GetText(text)) {
            Check(text.size() <= TvlNdr::kMaxText);
            m_mirror.PutText(text);
            return;
        }
        Check(text == "unchanged");
        Check(m_reader.Used() == before || m_reader.Used() == before + 2);
        MirrorRaw(before);
    }

    void Bytes(uint32_t n)
    {
        const uint32_t before = m_reader.Used();
        uint8_t buffer[45];
        std::memset(buffer, 0xA5, sizeof buffer);
        if (m_reader.GetBytes(n, buffer)) {
            m_mirror.PutBytes(n, buffer);
            return;
        }
        Check(n > 0 && m_reader.Used() == before && buffer[0] == 0xA5);
    }

    void Blob(bool copy)
    {
        const uint32_t before = m_reader.Used();
        const uint8_t keep[] = {0x5A};
        CTvlBlob blob(1, keep, true);
        if (blob.Unmarshal(m_reader, copy)) {
            Check(blob.IsOwned() == copy);
            Check(copy || blob.Length() == 0 || blob.Bytes() == m_reader.Cursor() - blob.Length());
            m_mirror.PutLong(blob.Length());
            m_mirror.PutBytes(blob.Length(), blob.Bytes());
            return;
        }
        Check(blob.Length() == 1 && blob.Bytes()[0] == 0x5A);
        Check(m_reader.Used() == before || m_reader.Used() == before + 4);
        MirrorRaw(before);
    }

    void Skip(uint32_t n)
    {
        const uint32_t before = m_reader.Used();
        if (m_reader.Skip(n))
            MirrorRaw(before);
        else
            Check(m_reader.Used() == before);
    }

    TvlNdr m_reader;
    TvlNdr m_mirror;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t scriptLength = 1 + data[0] % 16;
    if (size < 1 + scriptLength)
        return 0;
    const uint8_t* script = data + 1;
    const uint8_t* message = script + scriptLength;
    const auto messageLength = static_cast<uint32_t>(size - 1 - scriptLength);

    Walker walker(message, messageLength);
    for (int round = 0; round < 64 && !walker.AtEnd(); ++round) {
        for (size_t i = 0; i < scriptLength; ++i)
            walker.Step(script[i]);
    }
    walker.Finish();
    return 0;
}
