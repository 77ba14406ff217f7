// CObjectTransfer: the objects this user offers and asks for. The sender
// offers (name and size), the receiver requests, the sender answers with
// the whole object or a status; the manager keeps the offers and requests
// matched by (serial, sender), checks every message that arrives and tells
// the user what became of a transfer.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "ITransferHost.h"
#include "TransferCodec.h"

class CObjectTransfer {
 public:
  // Every message is acted on at most once a second, except data and status
  // that answer a request of this user, which always pass (they would
  // otherwise be lost while the user waits for them).
  static constexpr uint64_t kMinGapMs = 1000;
  static constexpr char kPreviewName[] = "~Preview";

  explicit CObjectTransfer(ITransferHost& host);

  // Offers the file at path to the member; false (nothing sent) when the
  // file is larger than 127 K.
  bool Offer(uint32_t member, const std::string& memberName, const std::string& path, uint32_t size);
  // Asks the sender of an offer for it; the copy kept waits for the data.
  // A path of kPreviewName asks for a preview.
  void Request(uint32_t member, const std::string& memberName, const CTransferFile& offer);
  // A transfer payload (type 6) from a member that the user does not
  // ignore, at `nowMs` of a monotonic clock.
  void OnReceive(uint32_t sender, const std::string& senderName, const uint8_t* payload, size_t length,
                 uint64_t nowMs);
  // Whether the payload is the data or status that answers a request of
  // this user to the sender.
  bool AwaitsAnswer(uint32_t sender, const uint8_t* payload, size_t length) const;
  // A request to the member was not delivered: true when it was the
  // pending request's (which ends).
  bool OnDeliveryFailed(uint32_t member, uint32_t code);
  // The Receive File dialog ended: its request leaves the list.
  void OnReceiveDialogEnd(const CTransferFile& file);
  // Writes the object to its path and tells the user.
  bool Save(const CTransferFile& file);

  size_t HeldCount() const { return m_list.size(); }
  uint32_t OffersKept() const { return m_offersKept; }
  uint32_t PendingMember() const { return m_pendingMember; }

 private:
  bool Passes(const std::optional<TransferMessage>& message, uint32_t sender, uint64_t nowMs);
  bool AnswersOwnRequest(const TransferMessage& message, uint32_t sender) const;
  void OnOffer(uint32_t sender, const std::string& senderName, const TransferMessage& message);
  void OnRequest(uint32_t sender, const TransferMessage& message);
  void OnData(uint32_t sender, const std::string& senderName, const TransferMessage& message);
  void OnStatus(uint32_t sender, const std::string& senderName, const TransferMessage& message);
  void ReportStatus(const std::string& senderName, const CTransferFile& file, uint8_t code);
  void SendStatus(uint32_t member, uint8_t code, const CTransferFile& file);
  void SendData(uint32_t member, CTransferFile entry);
  std::deque<CTransferFile>::iterator Find(const CTransferFile& file);
  void ClearPendingFrom(uint32_t sender);

  ITransferHost& m_host;
  std::deque<CTransferFile> m_list;
  uint32_t m_lastSerial = 0;
  uint32_t m_offersKept = 0;
  uint32_t m_pendingMember = 0;
  std::string m_pendingName;
  bool m_anyReceived = false;
  uint64_t m_lastReceivedMs = 0;
  std::string m_errorName;
  int m_errorCount = 0;
};
