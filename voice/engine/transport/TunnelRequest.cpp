#include "TunnelRequest.h"

std::string TunnelRequest::Format(int32_t session, const char* contentType, const void* body,
                                  size_t length)
{
    std::string request = "POST " + std::to_string(session) + " HTTP/1.1\r\nContent-Type: " +
                          contentType + "\r\nContent-Length: " + std::to_string(length) +
                          "\r\n\r\n";
    request.append(static_cast<const char*>(body), length);
    return request;
}
