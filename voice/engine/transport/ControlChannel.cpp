#include "ControlChannel.h"

bool ControlChannel::SendAll(const std::string& bytes, int32_t& errorCode)
{
    if (!m_socket) {
        errorCode = m_lastError;
        return false;
    }
    if (m_socket->Send(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
        return true;
    m_lastError = m_socket->LastError();
    errorCode = m_lastError;
    return false;
}

int32_t ControlChannel::ReadSome(char* buffer, size_t capacity)
{
    if (!m_socket || capacity == 0)
        return -1;
    const int32_t received = m_socket->Receive(reinterpret_cast<uint8_t*>(buffer), capacity);
    if (received < 0)
        m_lastError = m_socket->LastError();
    return received;
}
