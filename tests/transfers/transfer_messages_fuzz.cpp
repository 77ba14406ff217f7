// Any bytes as a transfer payload from another user: decoding and the
// manager's handling neither crash nor read out of bounds.
#include <cstddef>
#include <cstdint>

#include "CObjectTransfer.h"

namespace {

class QuietHost : public ITransferHost {
 public:
  void SendPayload(uint32_t, const std::vector<uint8_t>&) override {}
  uint32_t OwnMemberId() override { return 5; }
  bool MayTakeFiles() override { return true; }
  std::optional<uint32_t> FileSize(const std::string&) override { return 4u; }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string&) override { return std::vector<uint8_t>(4, 1); }
  bool WriteFile(const std::string&, const std::vector<uint8_t>&) override { return true; }
  bool ShowOffer(uint32_t, const std::string&, const CTransferFile&) override { return true; }
  void ShowPreview(const CTransferFile&) override {}
  void EndReceive() override {}
  void CloseDialogs() override {}
  void Saved(const CTransferFile&) override {}
  void ShowMessage(uint32_t, const std::string&) override {}
  void ShowStatus(const std::string&) override {}
  void ShowProgress(uint32_t, int, const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietHost host;
  CObjectTransfer transfer(host);
  transfer.Offer(9, "peer", "C:\\f", 4);
  CTransferFile asked;
  asked.serial = 1;
  asked.sender = 9;
  asked.size = 4;
  asked.path = "C:\\in";
  transfer.Request(9, "peer", asked);
  transfer.OnReceive(9, "peer", data, size, 5000);
  return 0;
}
