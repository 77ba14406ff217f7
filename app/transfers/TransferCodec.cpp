#include "TransferCodec.h"

#include <string>

#include "TvlNdr.h"

namespace {

void PutDescriptor(TvlNdr& writer, const CTransferFile& file) {
  writer.PutLong(file.serial);
  writer.PutLong(file.sender);
  writer.PutText(file.name.size() > TvlNdr::kMaxText ? file.name.substr(0, TvlNdr::kMaxText) : file.name);
  writer.PutLong(file.size);
}

bool GetDescriptor(TvlNdr& reader, CTransferFile& file) {
  return reader.GetLong(file.serial) && reader.GetLong(file.sender) && reader.GetText(file.name) &&
         reader.GetLong(file.size);
}

std::vector<uint8_t> Finish(const TvlNdr& writer) { return std::vector<uint8_t>(writer.Data(), writer.Data() + writer.Used()); }

void PutHeader(TvlNdr& writer, uint8_t kind) {
  writer.PutByte(kTransferPayloadType);
  writer.PutByte(kTransferPayloadCode);
  writer.PutByte(kind);
}

}  // namespace

std::vector<uint8_t> EncodeTransfer(TransferKind kind, const CTransferFile& file) {
  TvlNdr writer;
  PutHeader(writer, static_cast<uint8_t>(kind));
  PutDescriptor(writer, file);
  if (kind == TransferKind::kData) {
    writer.PutLong(static_cast<uint32_t>(file.data.size()));
    writer.PutBytes(static_cast<uint32_t>(file.data.size()), file.data.data());
  }
  return Finish(writer);
}

std::vector<uint8_t> EncodeTransferStatus(uint8_t status, const CTransferFile& file) {
  TvlNdr writer;
  PutHeader(writer, static_cast<uint8_t>(TransferKind::kStatus));
  writer.PutByte(status);
  PutDescriptor(writer, file);
  return Finish(writer);
}

std::optional<TransferMessage> DecodeTransfer(const uint8_t* bytes, size_t length) {
  if (!bytes || length < 3 || bytes[0] != kTransferPayloadType || bytes[1] != kTransferPayloadCode)
    return std::nullopt;
  TransferMessage message;
  message.kind = bytes[2];
  TvlNdr reader(static_cast<uint32_t>(length - 3), bytes + 3);
  if (message.kind == static_cast<uint8_t>(TransferKind::kStatus) && !reader.GetByte(message.status))
    return message;
  if (!GetDescriptor(reader, message.file)) return message;
  message.described = true;
  if (message.kind == static_cast<uint8_t>(TransferKind::kData)) {
    uint32_t count = 0;
    if (!reader.GetLong(count) || count > reader.Remaining()) return message;
    message.file.data.resize(count);
    if (!reader.GetBytes(count, message.file.data.data())) return message;
  }
  message.complete = true;
  return message;
}
