// The HTTP tunnel's request: every control line and every media packet goes
// to the server as the body of one POST request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace TunnelRequest {

constexpr char kTextType[] = "text/x-sonorelle";
constexpr char kAudioType[] = "audio/x-sonorelle";

// Header and body of one request, ready to send in one call.
std::string Format(int32_t session, const char* contentType, const void* body, size_t length);

} // namespace TunnelRequest
