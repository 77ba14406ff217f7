// Reads the HTTP tunnel's responses: a status line beginning "HTTP", header
// lines, an empty line and a body of "Content-Length" bytes whose
// "Content-Type" says whether it is a control line or a media packet. A
// "Content-Encoding" header carries the tunnel session number for later
// requests. Headers are looked for only inside the header block, and a
// length that cannot fit the buffer ends the session instead of waiting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TunnelResponse
{
    enum class Kind { Text, Audio };
    Kind kind = Kind::Text;
    std::string body;
};

class TunnelResponseReader
{
public:
    static constexpr size_t kBufferSize = 16000;

    enum class Status { Ok, TooLong };

    // How many more bytes the buffer takes.
    size_t Room() const { return kBufferSize - m_buffer.size(); }
    // Appends bytes (at most Room()) and adds every complete response to
    // `responses`. TooLong: a header block or body that can never fit the
    // buffer; BadLength() gives the length as received and the buffer is
    // emptied.
    Status Append(const char* bytes, size_t length, std::vector<TunnelResponse>& responses);

    int32_t Session() const { return m_session; }
    const std::string& BadLength() const { return m_badLength; }
    size_t Buffered() const { return m_buffer.size(); }

private:
    enum class Step { Took, Wait, Discard, TooLong };

    Step ReadOne(std::string_view text, size_t& used, std::vector<TunnelResponse>& responses);
    Step TakeBody(std::string_view text, size_t headerSize, std::string_view type,
                  std::string_view length, size_t& used, std::vector<TunnelResponse>& responses);
    void TakeSession(std::string_view value);

    std::string m_buffer;
    std::string m_badLength;
    int32_t m_session = 0;
};
