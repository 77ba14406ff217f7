// The transfer messages: each kind round-trips, and a message cut anywhere
// decodes only as far as it goes.
#include <gtest/gtest.h>

#include "TransferCodec.h"

namespace {

CTransferFile Described() {
  CTransferFile file;
  file.serial = 7;
  file.sender = 1003;
  file.name = "notes.txt";
  file.size = 3;
  file.data = {0x00, 0xFF, 0x7F};
  return file;
}

TEST(TransferCodec, EveryKindRoundTrips) {
  const CTransferFile file = Described();
  for (TransferKind kind : {TransferKind::kOffer, TransferKind::kRequest, TransferKind::kData}) {
    const std::vector<uint8_t> bytes = EncodeTransfer(kind, file);
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes[0], 6);
    EXPECT_EQ(bytes[1], 1);
    const auto message = DecodeTransfer(bytes.data(), bytes.size());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->kind, static_cast<uint8_t>(kind));
    EXPECT_TRUE(message->complete);
    EXPECT_EQ(message->file.serial, 7u);
    EXPECT_EQ(message->file.sender, 1003u);
    EXPECT_EQ(message->file.name, "notes.txt");
    EXPECT_EQ(message->file.size, 3u);
    EXPECT_EQ(message->file.data, kind == TransferKind::kData ? file.data : std::vector<uint8_t>());
  }
  const std::vector<uint8_t> status = EncodeTransferStatus(kStatusChanged, file);
  const auto message = DecodeTransfer(status.data(), status.size());
  ASSERT_TRUE(message);
  EXPECT_EQ(message->status, kStatusChanged);
  EXPECT_EQ(message->file.name, "notes.txt");
}

TEST(TransferCodec, OfferHasTheAgreedLayout) {
  const std::vector<uint8_t> expected = {6, 1, 0, 0, 0, 0, 7, 0, 0, 0x03, 0xEB, 0, 9, 'n', 'o', 't', 'e', 's',
                                         '.', 't', 'x', 't', 0, 0, 0, 3};
  EXPECT_EQ(EncodeTransfer(TransferKind::kOffer, Described()), expected);
}

TEST(TransferCodec, CutMessagesDecodeOnlyAsFarAsTheyGo) {
  const std::vector<uint8_t> data = EncodeTransfer(TransferKind::kData, Described());
  for (size_t length = 0; length < data.size(); ++length) {
    const auto message = DecodeTransfer(data.data(), length);
    if (length < 3) {
      EXPECT_FALSE(message) << length;
      continue;
    }
    ASSERT_TRUE(message) << length;
    EXPECT_FALSE(message->complete) << length;
    // The descriptor ends 4 + 4 + 2 + 9 + 4 bytes after the kind.
    EXPECT_EQ(message->described, length >= 3 + 23) << length;
  }
}

TEST(TransferCodec, OtherPayloadsAndLyingCountsAreRefused) {
  std::vector<uint8_t> data = EncodeTransfer(TransferKind::kData, Described());
  std::vector<uint8_t> otherType = data;
  otherType[0] = 4;
  EXPECT_FALSE(DecodeTransfer(otherType.data(), otherType.size()));
  std::vector<uint8_t> otherCode = data;
  otherCode[1] = 2;
  EXPECT_FALSE(DecodeTransfer(otherCode.data(), otherCode.size()));
  // The byte count claims more than the message holds.
  data[data.size() - 4] = 0x7F;
  const auto message = DecodeTransfer(data.data(), data.size());
  ASSERT_TRUE(message);
  EXPECT_TRUE(message->described);
  EXPECT_FALSE(message->complete);
  const std::vector<uint8_t> statusWithoutCode = {6, 1, 3};
  const auto status = DecodeTransfer(statusWithoutCode.data(), statusWithoutCode.size());
  ASSERT_TRUE(status);
  EXPECT_FALSE(status->described);
  EXPECT_EQ(status->status, 0);
}

}  // namespace
