#include "TunnelConnection.h"

#include "TunnelRequest.h"

#include <array>

bool TunnelConnection::Post(const char* contentType, const void* body, size_t length,
                            int32_t& errorCode)
{
    if (!m_socket) {
        errorCode = m_lastError;
        return false;
    }
    const std::string request =
        TunnelRequest::Format(m_reader.Session(), contentType, body, length);
    if (m_socket->Send(reinterpret_cast<const uint8_t*>(request.data()), request.size()))
        return true;
    m_lastError = m_socket->LastError();
    errorCode = m_lastError;
    return false;
}

bool TunnelConnection::Read(std::vector<TunnelResponse>& responses, bool& tooLong)
{
    tooLong = false;
    if (!m_socket)
        return false;
    std::array<uint8_t, TunnelResponseReader::kBufferSize> bytes;
    const int32_t received = m_socket->Receive(bytes.data(), m_reader.Room());
    if (received <= 0) {
        m_lastError = m_socket->LastError();
        return false;
    }
    const auto status = m_reader.Append(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<size_t>(received), responses);
    tooLong = status == TunnelResponseReader::Status::TooLong;
    return !tooLong;
}
