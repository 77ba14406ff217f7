// A protocol error: the module that found a malformed message and its error.
#pragma once

#include <cstdint>

struct ZrProtocolError {
    uint8_t module = 0;
    uint8_t error = 0;

    bool IsError() const { return module != 0 || error != 0; }
};

// Modules of protocol errors.
namespace ZrModule {
constexpr uint8_t kDecoders = 1;
constexpr uint8_t kSession = 2;
constexpr uint8_t kPlaceOperation = 3;
constexpr uint8_t kItems = 4;
constexpr uint8_t kGroup = 6;
constexpr uint8_t kClientPlace = 7;
constexpr uint8_t kClientHandlers = 9;
} // namespace ZrModule
