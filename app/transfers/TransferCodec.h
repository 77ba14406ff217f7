// The object transfer messages between users: a payload of type 6, code 1,
// then the message kind and its body, coded with network byte order values
// and length-prefixed strings. Every message carries the descriptor
// (serial, sender, name, size); data adds the byte count and the bytes,
// status puts its code before the descriptor.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "TransferFile.h"

enum class TransferKind : uint8_t { kOffer = 0, kRequest = 1, kData = 2, kStatus = 3 };

enum TransferStatus : uint8_t {
  kStatusProtocolError = 2,
  kStatusUnreadable = 3,
  kStatusChanged = 4,
  kStatusNotHeld = 5,
  kStatusCannotTake = 6,
};

struct TransferMessage {
  uint8_t kind = 0;
  uint8_t status = 0;
  // Set when the descriptor decoded.
  bool described = false;
  // Set when the whole body (for data, the bytes too) decoded.
  bool complete = false;
  CTransferFile file;
};

constexpr uint8_t kTransferPayloadType = 6;
constexpr uint8_t kTransferPayloadCode = 1;

// The whole payload, header included. Data messages carry file.data.
std::vector<uint8_t> EncodeTransfer(TransferKind kind, const CTransferFile& file);
std::vector<uint8_t> EncodeTransferStatus(uint8_t status, const CTransferFile& file);

// Reads a whole payload. Nothing for another payload type or code, or one
// too short for its kind byte; otherwise the kind and as much as decoded (a
// status without its code byte has neither descriptor nor status).
std::optional<TransferMessage> DecodeTransfer(const uint8_t* bytes, size_t length);
