// Two users' transfer managers joined by a loopback: offers, requests, data
// and statuses travel as real payloads; files live in a map. The clock is
// the test's.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>

#include "CObjectTransfer.h"
#include "TransferNames.h"

namespace {

constexpr uint32_t kAlice = 1003;
constexpr uint32_t kBob = 1007;
constexpr uint32_t kCarol = 1011;

struct Sent {
  uint32_t from;
  uint32_t to;
  std::vector<uint8_t> payload;
};

class User : public ITransferHost {
 public:
  User(uint32_t id, std::deque<Sent>& wire) : id(id), wire(wire), transfer(*this) {}

  void SendPayload(uint32_t member, const std::vector<uint8_t>& payload) override {
    wire.push_back({id, member, payload});
  }
  uint32_t OwnMemberId() override { return id; }
  bool MayTakeFiles() override { return takesFiles; }
  std::optional<uint32_t> FileSize(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return static_cast<uint32_t>(found->second.size());
  }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override {
    if (!writable) return false;
    files[path] = bytes;
    return true;
  }
  bool ShowOffer(uint32_t, const std::string&, const CTransferFile& offer) override {
    offers.push_back(offer);
    return !dialogOpen;
  }
  void ShowPreview(const CTransferFile& file) override { previews.push_back(file); }
  void EndReceive() override { ++ends; }
  void CloseDialogs() override { ++closes; }
  void Saved(const CTransferFile& file) override { saved.push_back(file.path); }
  void ShowMessage(uint32_t stringId, const std::string& argument) override {
    messages.push_back(std::to_string(stringId) + " " + argument);
  }
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowProgress(uint32_t stringId, int percent, const std::string& path) override {
    progress.push_back(std::to_string(stringId) + " " + std::to_string(percent) + " " + path);
  }

  uint32_t id;
  std::deque<Sent>& wire;
  CObjectTransfer transfer;
  bool takesFiles = true;
  bool dialogOpen = false;
  bool writable = true;
  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<CTransferFile> offers;
  std::vector<CTransferFile> previews;
  std::vector<std::string> saved;
  std::vector<std::string> messages;
  std::vector<std::string> statuses;
  std::vector<std::string> progress;
  int ends = 0;
  int closes = 0;
};

class ObjectTransferTest : public ::testing::Test {
 protected:
  // Hands every payload on the wire to its receiver, `gapMs` apart.
  void Deliver(uint64_t gapMs = 1500) {
    while (!wire.empty()) {
      const Sent sent = wire.front();
      wire.pop_front();
      now += gapMs;
      User& to = sent.to == kAlice ? alice : sent.to == kBob ? bob : carol;
      const std::string name = sent.from == kAlice ? "alice" : sent.from == kBob ? "bob" : "carol";
      to.transfer.OnReceive(sent.from, name, sent.payload.data(), sent.payload.size(), now);
    }
  }

  std::vector<uint8_t> Random(size_t size) {
    std::vector<uint8_t> bytes(size);
    std::mt19937 random(42);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    return bytes;
  }

  // alice offers the file at path; the offer reaches bob.
  CTransferFile OfferToBob(const std::string& path, size_t size) {
    alice.files[path] = Random(size);
    EXPECT_TRUE(alice.transfer.Offer(kBob, "bob", path, static_cast<uint32_t>(size)));
    Deliver();
    EXPECT_FALSE(bob.offers.empty());
    return bob.offers.empty() ? CTransferFile() : bob.offers.back();
  }

  void BobAsks(CTransferFile offer, const std::string& path) {
    offer.path = path;
    bob.transfer.Request(kAlice, "alice", offer);
    Deliver();
  }

  std::deque<Sent> wire;
  User alice{kAlice, wire};
  User bob{kBob, wire};
  User carol{kCarol, wire};
  uint64_t now = 100000;
};

TEST_F(ObjectTransferTest, LargestFileArrivesByteExact) {
  const CTransferFile offer = OfferToBob("C:\\data\\big.bin", kMaxTransferSize);
  EXPECT_EQ(offer.name, "big.bin");
  EXPECT_EQ(offer.size, kMaxTransferSize);
  EXPECT_EQ(offer.sender, kAlice);
  BobAsks(offer, "C:\\inbox\\big.bin");
  EXPECT_EQ(bob.files["C:\\inbox\\big.bin"], alice.files["C:\\data\\big.bin"]);
  EXPECT_EQ(bob.saved, std::vector<std::string>{"C:\\inbox\\big.bin"});
  EXPECT_EQ(bob.ends, 1);
  EXPECT_EQ(bob.transfer.HeldCount(), 0u);
  EXPECT_EQ(bob.transfer.PendingMember(), 0u);
  EXPECT_EQ(alice.transfer.HeldCount(), 0u);
  EXPECT_EQ(alice.progress.back(), "417 100 C:\\data\\big.bin");
}

TEST_F(ObjectTransferTest, OneByteOverTheLimitIsNotOffered) {
  alice.files["C:\\x"] = Random(kMaxTransferSize + 1);
  EXPECT_FALSE(alice.transfer.Offer(kBob, "bob", "C:\\x", kMaxTransferSize + 1));
  EXPECT_TRUE(wire.empty());
}

TEST_F(ObjectTransferTest, PreviewIsShownAndNotSaved) {
  const CTransferFile offer = OfferToBob("C:\\g\\wave.zra", 300);
  BobAsks(offer, CObjectTransfer::kPreviewName);
  ASSERT_EQ(bob.previews.size(), 1u);
  EXPECT_EQ(bob.previews[0].data, alice.files["C:\\g\\wave.zra"]);
  EXPECT_TRUE(bob.saved.empty());
  EXPECT_EQ(bob.ends, 0);
}

TEST_F(ObjectTransferTest, SenderAnswersWhatItCannotSend) {
  struct Case {
    const char* what;
    std::function<void(User&)> change;
    const char* message;
  };
  const Case cases[] = {
      {"file gone", [](User& u) { u.files.clear(); }, "61231 doc.txt"},
      {"file changed", [](User& u) { u.files["C:\\doc.txt"].push_back(1); }, "61233 doc.txt"},
  };
  for (const Case& c : cases) {
    bob.messages.clear();
    const CTransferFile offer = OfferToBob("C:\\doc.txt", 500);
    c.change(alice);
    BobAsks(offer, "C:\\in\\doc.txt");
    EXPECT_EQ(bob.messages, std::vector<std::string>{c.message}) << c.what;
    EXPECT_EQ(bob.files.count("C:\\in\\doc.txt"), 0u) << c.what;
  }
}

TEST_F(ObjectTransferTest, FiftyFirstOfferPushesOutTheOldest) {
  alice.files["C:\\f"] = Random(10);
  for (int i = 0; i < 51; ++i) ASSERT_TRUE(alice.transfer.Offer(kBob, "bob", "C:\\f", 10));
  Deliver();
  ASSERT_EQ(bob.offers.size(), 51u);
  EXPECT_EQ(alice.transfer.HeldCount(), 50u);
  BobAsks(bob.offers.front(), "C:\\in\\first");
  EXPECT_EQ(bob.messages, std::vector<std::string>{"61245 alice"});
  BobAsks(bob.offers.back(), "C:\\in\\last");
  EXPECT_EQ(bob.files["C:\\in\\last"], alice.files["C:\\f"]);
}

TEST_F(ObjectTransferTest, WithFilesOffOffersAreRefusedButDataStillArrives) {
  const CTransferFile offer = OfferToBob("C:\\a.txt", 20);
  bob.transfer.Request(kAlice, "alice", [&] {
    CTransferFile asked = offer;
    asked.path = "C:\\in\\a.txt";
    return asked;
  }());
  bob.takesFiles = false;
  Deliver();
  EXPECT_EQ(bob.files["C:\\in\\a.txt"], alice.files["C:\\a.txt"]);

  bob.offers.clear();
  alice.files["C:\\b.txt"] = Random(5);
  alice.transfer.Offer(kBob, "bob", "C:\\b.txt", 5);
  Deliver();
  EXPECT_TRUE(bob.offers.empty());
  EXPECT_EQ(alice.messages, std::vector<std::string>{"61234 bob"});
}

TEST_F(ObjectTransferTest, OfferWhileADialogIsOpenIsRefused) {
  bob.dialogOpen = true;
  OfferToBob("C:\\a.txt", 20);
  EXPECT_EQ(alice.messages, std::vector<std::string>{"61234 bob"});
  EXPECT_EQ(alice.transfer.HeldCount(), 0u);
}

TEST_F(ObjectTransferTest, ProtocolErrorsCountPerSender) {
  const std::vector<uint8_t> badRequest = {6, 1, 1, 0, 0};
  for (int i = 0; i < 2; ++i) {
    now += 2000;
    bob.transfer.OnReceive(kAlice, "alice", badRequest.data(), badRequest.size(), now);
    Deliver();
  }
  ASSERT_EQ(alice.statuses.size(), 2u);
  EXPECT_EQ(alice.statuses[0], "FILE PROTOCOL ERROR!  bob tried sending a file to you.  This action has been ignored.");
  EXPECT_EQ(alice.statuses[1],
            "FILE PROTOCOL ERROR!  bob tried sending a file to you.  This action has been ignored. (2 attempts)");
}

TEST_F(ObjectTransferTest, QuickMessagesAreDroppedButAnswersToOwnRequestsPass) {
  // A second offer within a second of the first is dropped unanswered.
  alice.files["C:\\a"] = Random(5);
  alice.transfer.Offer(kBob, "bob", "C:\\a", 5);
  alice.transfer.Offer(kBob, "bob", "C:\\a", 5);
  Deliver(200);
  EXPECT_EQ(bob.offers.size(), 1u);
  EXPECT_TRUE(wire.empty());
  // The data bob asked for passes even right after another message.
  CTransferFile asked = bob.offers[0];
  asked.path = "C:\\in\\a";
  bob.transfer.Request(kAlice, "alice", asked);
  Deliver(200);
  EXPECT_EQ(bob.files["C:\\in\\a"], alice.files["C:\\a"]);
}

TEST_F(ObjectTransferTest, DataFromSomeoneElseOrOfTheWrongSizeIsNotSaved) {
  const CTransferFile offer = OfferToBob("C:\\a.txt", 20);
  CTransferFile asked = offer;
  asked.path = "C:\\in\\a.txt";
  bob.transfer.Request(kAlice, "alice", asked);
  wire.clear();
  // carol forges alice's data.
  CTransferFile forged = offer;
  forged.data = std::vector<uint8_t>(20, 'X');
  const std::vector<uint8_t> payload = EncodeTransfer(TransferKind::kData, forged);
  now += 2000;
  bob.transfer.OnReceive(kCarol, "carol", payload.data(), payload.size(), now);
  EXPECT_EQ(bob.files.count("C:\\in\\a.txt"), 0u);
  // alice's data claims a size other than the offer's.
  CTransferFile shorter = offer;
  shorter.data = std::vector<uint8_t>(19, 'Y');
  const std::vector<uint8_t> wrong = EncodeTransfer(TransferKind::kData, shorter);
  now += 2000;
  bob.transfer.OnReceive(kAlice, "alice", wrong.data(), wrong.size(), now);
  EXPECT_EQ(bob.files.count("C:\\in\\a.txt"), 0u);
  EXPECT_EQ(bob.transfer.HeldCount(), 0u);
  EXPECT_EQ(bob.statuses.size(), 2u);
}

TEST_F(ObjectTransferTest, FailedSaveIsReported) {
  const CTransferFile offer = OfferToBob("C:\\a.txt", 20);
  bob.writable = false;
  BobAsks(offer, "C:\\in\\a.txt");
  EXPECT_EQ(bob.messages, std::vector<std::string>{"61232 C:\\in\\a.txt"});
  EXPECT_TRUE(bob.saved.empty());
}

TEST_F(ObjectTransferTest, UndeliveredRequestEndsOnlyThePendingOne) {
  const CTransferFile offer = OfferToBob("C:\\a.txt", 20);
  bob.transfer.Request(kAlice, "alice", offer);
  wire.clear();
  EXPECT_FALSE(bob.transfer.OnDeliveryFailed(kCarol, 1));
  EXPECT_TRUE(bob.transfer.OnDeliveryFailed(kAlice, 1));
  EXPECT_EQ(bob.messages, std::vector<std::string>{"208 alice"});
  EXPECT_FALSE(bob.transfer.OnDeliveryFailed(kAlice, 1));
}

}  // namespace
