// Cuts the TCP control channel's received bytes into lines: every line ends
// with a line feed, empty lines are skipped and a line split over several
// reads is handed on once complete. A line that has reached 2048 bytes
// without its line feed is too long for the protocol and is reported instead
// of filling the buffer.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ControlLineBuffer
{
public:
    static constexpr size_t kBufferSize = 8192;
    static constexpr size_t kLongestLine = 2047;

    enum class Status { Ok, TooLong };

    // How many more bytes one read may bring.
    size_t Room() const { return kBufferSize - 1 - m_pending.size(); }
    // Appends received bytes (at most Room()) and adds the complete lines,
    // without their line feeds, to `lines`. TooLong: the unfinished line has
    // reached `tooLongLength` bytes; it is dropped.
    Status Append(const char* bytes, size_t length, std::vector<std::string>& lines,
                  size_t& tooLongLength);
    void Clear() { m_pending.clear(); }
    size_t Pending() const { return m_pending.size(); }

private:
    std::string m_pending;
};
