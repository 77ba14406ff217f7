#include "UcmHttpHandshake.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstring>

#include "TvlDebugSwitch.h"
#include "ZrServerAddress.h"

namespace {

constexpr char kEmptyLine[] = "\r\n\r\n";
constexpr uint32_t kEmptyLineLength = 4;
constexpr char kContentLength[] = "\r\ncontent-length: ";

bool StartsWith(const uint8_t* bytes, uint32_t length, const char* text)
{
    const size_t n = std::strlen(text);
    return length >= n && std::memcmp(bytes, text, n) == 0;
}

} // namespace

CUcmHttpHandshake::CUcmHttpHandshake(const UcmProxyTarget& target, uint32_t bodyBytes)
    : CUcmProxyHandshake(target), m_bodyBytes(bodyBytes), m_scanned(0), m_headerLength(0)
{
}

uint32_t CUcmHttpHandshake::ReplyLength(const std::vector<uint8_t>& reply, bool& malformed)
{
    if (m_headerLength == 0) {
        const uint32_t size = static_cast<uint32_t>(std::min<size_t>(reply.size(), kReceiveBufferSize));
        const uint32_t from = m_scanned >= kEmptyLineLength ? m_scanned - (kEmptyLineLength - 1) : 0;
        const auto end = reply.begin() + size;
        const auto found = std::search(reply.begin() + from, end, kEmptyLine, kEmptyLine + kEmptyLineLength);
        m_scanned = size;
        if (found == end) {
            malformed = size == kReceiveBufferSize;
            if (malformed)
                TvlTraces().ucmDebug.Trace("HTTP reply header over %" PRIu32 " bytes", kReceiveBufferSize);
            return 0;
        }
        m_headerLength = static_cast<uint32_t>(found - reply.begin()) + kEmptyLineLength;
    }
    const uint32_t total = m_headerLength + m_bodyBytes;
    return reply.size() >= total ? total : 0;
}

bool CUcmHttpHandshake::IsGranted(const uint8_t* header, uint32_t length, bool allowHttp11)
{
    if (!StartsWith(header, length, "HTTP/1.0") && !(allowHttp11 && StartsWith(header, length, "HTTP/1.1")))
        return false;
    const uint32_t afterVersion = 8;
    uint32_t at = afterVersion;
    while (at < length && header[at] == ' ')
        ++at;
    if (at == afterVersion || !StartsWith(header + at, length - at, "200"))
        return false;
    at += 3;
    return at < length && (header[at] == ' ' || header[at] == '\r');
}

bool CUcmHttpHandshake::HasContentLength(const uint8_t* header, uint32_t length, uint32_t minimum)
{
    std::string lower(reinterpret_cast<const char*>(header), length);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    const size_t name = lower.find(kContentLength);
    if (name == std::string::npos)
        return false;
    size_t at = name + std::strlen(kContentLength);
    while (at < lower.size() && lower[at] == ' ')
        ++at;
    uint64_t value = 0;
    const size_t digits = at;
    for (; at < lower.size() && std::isdigit(static_cast<unsigned char>(lower[at])); ++at)
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(lower[at] - '0'), UINT32_MAX);
    return at > digits && value >= minimum;
}

bool CUcmHttpHandshake::IsNameWritable() const
{
    return std::none_of(m_target.peerName.begin(), m_target.peerName.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F;
    });
}

std::string CUcmHttpHandshake::TargetText() const
{
    return m_target.peerName + ":" + std::to_string(TvlPortFromNet(m_target.port));
}
