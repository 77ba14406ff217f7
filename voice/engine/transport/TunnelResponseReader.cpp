#include "TunnelResponseReader.h"

#include "ConfText.h"

#include <optional>

namespace {

constexpr std::string_view kStatusStart = "HTTP";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kType = "Content-Type: ";
constexpr std::string_view kLength = "Content-Length: ";
constexpr std::string_view kEncoding = "Content-Encoding: ";
constexpr std::string_view kTextType = "text/x-sonorelle";
constexpr std::string_view kAudioType = "audio/x-sonorelle";

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// The value of header `name` among the header lines, which follow the
// status line inside `block`.
std::optional<std::string_view> HeaderValue(std::string_view block, std::string_view name)
{
    size_t at = block.find(kLineEnd);
    while (at != std::string_view::npos) {
        const size_t start = at + kLineEnd.size();
        const size_t end = block.find(kLineEnd, start);
        const std::string_view line =
            block.substr(start, end == std::string_view::npos ? std::string_view::npos
                                                              : end - start);
        if (StartsWith(line, name))
            return line.substr(name.size());
        at = end;
    }
    return std::nullopt;
}

} // namespace

TunnelResponseReader::Status TunnelResponseReader::Append(const char* bytes, size_t length,
                                                          std::vector<TunnelResponse>& responses)
{
    if (length > Room()) {
        m_badLength = std::to_string(m_buffer.size() + length);
        m_buffer.clear();
        return Status::TooLong;
    }
    m_buffer.append(bytes, length);
    size_t at = 0;
    while (at < m_buffer.size()) {
        size_t used = 0;
        const Step step = ReadOne(std::string_view(m_buffer).substr(at), used, responses);
        if (step == Step::Took) {
            at += used;
            continue;
        }
        if (step == Step::Discard) {
            m_buffer.clear();
            return Status::Ok;
        }
        if (step == Step::TooLong) {
            m_buffer.clear();
            return Status::TooLong;
        }
        break;
    }
    m_buffer.erase(0, at);
    return Status::Ok;
}

TunnelResponseReader::Step TunnelResponseReader::ReadOne(std::string_view text, size_t& used,
                                                         std::vector<TunnelResponse>& responses)
{
    // The first bytes may be only the start of "HTTP" yet.
    if (!StartsWith(kStatusStart, text.substr(0, kStatusStart.size())))
        return Step::Discard;
    const size_t blockEnd = text.find(kHeaderEnd);
    if (blockEnd == std::string_view::npos) {
        if (text.size() < kBufferSize)
            return Step::Wait;
        m_badLength = std::to_string(text.size());
        return Step::TooLong;
    }
    const std::string_view block = text.substr(0, blockEnd);
    const auto type = HeaderValue(block, kType);
    const auto bodyLength = HeaderValue(block, kLength);
    if (!type || !bodyLength)
        return Step::Discard;
    if (const auto encoding = HeaderValue(block, kEncoding))
        TakeSession(*encoding);
    return TakeBody(text, blockEnd + kHeaderEnd.size(), *type, *bodyLength, used, responses);
}

TunnelResponseReader::Step TunnelResponseReader::TakeBody(std::string_view text,
                                                          size_t headerSize,
                                                          std::string_view type,
                                                          std::string_view length, size_t& used,
                                                          std::vector<TunnelResponse>& responses)
{
    const auto declared = ConfText::ParseNumber(length);
    if (!declared || *declared < 0 ||
        static_cast<size_t>(*declared) > kBufferSize - headerSize) {
        m_badLength = std::string(length.substr(0, 20));
        return Step::TooLong;
    }
    const size_t bodyLength = static_cast<size_t>(*declared);
    if (text.size() - headerSize < bodyLength)
        return Step::Wait;
    TunnelResponse response;
    if (StartsWith(type, kAudioType))
        response.kind = TunnelResponse::Kind::Audio;
    else if (!StartsWith(type, kTextType))
        return Step::Discard;
    response.body.assign(text.substr(headerSize, bodyLength));
    responses.push_back(std::move(response));
    used = headerSize + bodyLength;
    return Step::Took;
}

void TunnelResponseReader::TakeSession(std::string_view value)
{
    if (const auto session = ConfText::ParseNumber(value))
        m_session = *session;
}
