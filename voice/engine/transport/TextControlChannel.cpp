#include "TextControlChannel.h"

#include <array>
#include <vector>

TextControlChannel::TextControlChannel(std::unique_ptr<INetSocket> socket,
                                       IControlLineSink& sink, INetSocketFactory& sockets)
    : ControlChannel(std::move(socket)), m_sink(sink), m_sendMedia(sockets),
      m_receiveMedia(sockets)
{
}

bool TextControlChannel::SendLine(const std::string& text, int32_t& errorCode)
{
    return SendAll(text, errorCode);
}

bool TextControlChannel::OnReadable()
{
    std::array<char, ControlLineBuffer::kBufferSize> bytes;
    const int32_t received = ReadSome(bytes.data(), m_lines.Room());
    if (received <= 0) {
        m_lines.Clear();
        return false;
    }
    std::vector<std::string> lines;
    size_t tooLong = 0;
    const auto status =
        m_lines.Append(bytes.data(), static_cast<size_t>(received), lines, tooLong);
    for (const std::string& line : lines)
        m_sink.OnLine(line.data(), line.size());
    if (status == ControlLineBuffer::Status::TooLong)
        m_sink.OnTooLong(std::to_string(tooLong));
    return true;
}
