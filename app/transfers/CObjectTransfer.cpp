#include "CObjectTransfer.h"

#include <algorithm>

#include "TransferNames.h"

namespace {

constexpr uint32_t kStrUnreadable = 61231;
constexpr uint32_t kStrSaveFailed = 61232;
constexpr uint32_t kStrChanged = 61233;
constexpr uint32_t kStrCannotTake = 61234;
constexpr uint32_t kStrNoLongerWilling = 61245;
constexpr uint32_t kStrUserNotFound = 208;
constexpr uint32_t kStrSent = 417;
constexpr uint32_t kNotDeliveredQuietly = 8;

bool Is(const TransferMessage& message, TransferKind kind) { return message.kind == static_cast<uint8_t>(kind); }

}  // namespace

CObjectTransfer::CObjectTransfer(ITransferHost& host) : m_host(host) {}

bool CObjectTransfer::Offer(uint32_t member, const std::string&, const std::string& path, uint32_t size) {
  if (size > kMaxTransferSize) return false;
  CTransferFile offer;
  offer.SetPath(path);
  offer.size = size;
  if (++m_offersKept > kMaxOffersHeld) {
    const auto oldest = std::find_if(m_list.begin(), m_list.end(),
                                     [&](const CTransferFile& file) { return file.sender == m_host.OwnMemberId(); });
    if (oldest != m_list.end()) m_list.erase(oldest);
    --m_offersKept;
  }
  offer.serial = ++m_lastSerial;
  offer.sender = m_host.OwnMemberId();
  m_list.push_back(offer);
  m_host.SendPayload(member, EncodeTransfer(TransferKind::kOffer, offer));
  return true;
}

void CObjectTransfer::Request(uint32_t member, const std::string& memberName, const CTransferFile& offer) {
  m_host.SendPayload(member, EncodeTransfer(TransferKind::kRequest, offer));
  m_list.push_back(offer);
  m_pendingMember = member;
  m_pendingName = memberName;
}

// ---- Receiving ------------------------------------------------------------

bool CObjectTransfer::AnswersOwnRequest(const TransferMessage& message, uint32_t sender) const {
  if (!Is(message, TransferKind::kData) && !Is(message, TransferKind::kStatus)) return false;
  if (!message.described || message.file.serial == 0) return false;
  return std::any_of(m_list.begin(), m_list.end(), [&](const CTransferFile& file) {
    return file.Matches(message.file) && file.sender == sender;
  });
}

bool CObjectTransfer::AwaitsAnswer(uint32_t sender, const uint8_t* payload, size_t length) const {
  const std::optional<TransferMessage> message = DecodeTransfer(payload, length);
  return message && AnswersOwnRequest(*message, sender);
}

// The clock moves on with every transfer payload, passed or dropped.
bool CObjectTransfer::Passes(const std::optional<TransferMessage>& message, uint32_t sender, uint64_t nowMs) {
  const bool tooSoon = m_anyReceived && nowMs - m_lastReceivedMs < kMinGapMs;
  m_anyReceived = true;
  m_lastReceivedMs = nowMs;
  return message && (!tooSoon || AnswersOwnRequest(*message, sender));
}

void CObjectTransfer::OnReceive(uint32_t sender, const std::string& senderName, const uint8_t* payload,
                                size_t length, uint64_t nowMs) {
  const std::optional<TransferMessage> message = DecodeTransfer(payload, length);
  if (!Passes(message, sender, nowMs)) return;
  if (!m_host.MayTakeFiles() && !Is(*message, TransferKind::kData)) {
    SendStatus(sender, kStatusCannotTake, CTransferFile());
    return;
  }
  switch (static_cast<TransferKind>(message->kind)) {
    case TransferKind::kOffer: OnOffer(sender, senderName, *message); break;
    case TransferKind::kRequest: OnRequest(sender, *message); break;
    case TransferKind::kData: OnData(sender, senderName, *message); break;
    case TransferKind::kStatus: OnStatus(sender, senderName, *message); break;
    default: break;
  }
}

// The offer is taken as coming from the member that sent it, whatever its
// descriptor claims.
void CObjectTransfer::OnOffer(uint32_t sender, const std::string& senderName, const TransferMessage& message) {
  if (!message.complete || message.file.serial == 0) return;
  CTransferFile offer = message.file;
  offer.sender = sender;
  if (!m_host.ShowOffer(sender, senderName, offer)) SendStatus(sender, kStatusCannotTake, offer);
}

void CObjectTransfer::OnRequest(uint32_t sender, const TransferMessage& message) {
  if (!message.complete || message.file.serial == 0) {
    SendStatus(sender, kStatusProtocolError, CTransferFile());
    return;
  }
  const auto entry = std::find_if(m_list.begin(), m_list.end(), [&](const CTransferFile& file) {
    return file.Matches(message.file) && file.sender == m_host.OwnMemberId();
  });
  if (entry == m_list.end()) {
    SendStatus(sender, kStatusNotHeld, CTransferFile());
    return;
  }
  SendData(sender, *entry);
}

void CObjectTransfer::SendData(uint32_t member, CTransferFile entry) {
  const std::optional<uint32_t> size = m_host.FileSize(entry.path);
  if (!size) {
    SendStatus(member, kStatusUnreadable, entry);
    return;
  }
  if (*size != entry.size) {
    SendStatus(member, kStatusChanged, entry);
    return;
  }
  std::optional<std::vector<uint8_t>> bytes = m_host.ReadFile(entry.path);
  if (!bytes || bytes->size() != entry.size) {
    SendStatus(member, kStatusUnreadable, entry);
    return;
  }
  entry.data = std::move(*bytes);
  m_host.SendPayload(member, EncodeTransfer(TransferKind::kData, entry));
  m_host.ShowProgress(kStrSent, 100, entry.path);
  const auto held = Find(entry);
  if (held != m_list.end()) m_list.erase(held);
  if (m_offersKept > 0) --m_offersKept;
}

void CObjectTransfer::OnData(uint32_t sender, const std::string& senderName, const TransferMessage& message) {
  ClearPendingFrom(sender);
  const bool fromItsSender = message.described && message.file.serial != 0 && message.file.sender == sender;
  const auto entry = fromItsSender ? Find(message.file) : m_list.end();
  if (entry == m_list.end()) {
    ReportStatus(senderName, CTransferFile(), kStatusProtocolError);
    return;
  }
  CTransferFile file = *entry;
  m_list.erase(entry);
  if (!message.complete || message.file.data.size() != file.size) {
    ReportStatus(senderName, file, kStatusProtocolError);
    return;
  }
  file.data = message.file.data;
  if (file.path == kPreviewName) {
    m_host.ShowPreview(file);
    return;
  }
  Save(file);
  m_host.EndReceive();
}

void CObjectTransfer::OnStatus(uint32_t sender, const std::string& senderName, const TransferMessage& message) {
  ClearPendingFrom(sender);
  if (!message.described) {
    if (message.status != 0) ReportStatus(senderName, CTransferFile(), kStatusProtocolError);
    return;
  }
  ReportStatus(senderName, message.file, message.status);
  const auto entry = Find(message.file);
  if (entry != m_list.end()) m_list.erase(entry);
}

void CObjectTransfer::ReportStatus(const std::string& senderName, const CTransferFile& file, uint8_t code) {
  m_host.CloseDialogs();
  switch (code) {
    case kStatusUnreadable: m_host.ShowMessage(kStrUnreadable, file.name); return;
    case kStatusChanged: m_host.ShowMessage(kStrChanged, file.name); return;
    case kStatusNotHeld: m_host.ShowMessage(kStrNoLongerWilling, senderName); return;
    case kStatusCannotTake: m_host.ShowMessage(kStrCannotTake, senderName); return;
    default: break;
  }
  if (senderName != m_errorName) {
    m_errorName = senderName;
    m_errorCount = 1;
    m_host.ShowStatus("FILE PROTOCOL ERROR!  " + senderName +
                      " tried sending a file to you.  This action has been ignored.");
    return;
  }
  ++m_errorCount;
  m_host.ShowStatus("FILE PROTOCOL ERROR!  " + senderName + " tried sending a file to you.  This action has been ignored. (" +
                    std::to_string(m_errorCount) + " attempts)");
}

void CObjectTransfer::SendStatus(uint32_t member, uint8_t code, const CTransferFile& file) {
  m_host.SendPayload(member, EncodeTransferStatus(code, file));
}

std::deque<CTransferFile>::iterator CObjectTransfer::Find(const CTransferFile& file) {
  return std::find_if(m_list.begin(), m_list.end(), [&](const CTransferFile& held) { return held.Matches(file); });
}

void CObjectTransfer::ClearPendingFrom(uint32_t sender) {
  if (sender != m_pendingMember) return;
  m_pendingMember = 0;
  m_pendingName.clear();
}

bool CObjectTransfer::OnDeliveryFailed(uint32_t member, uint32_t code) {
  if (m_pendingMember == 0 || member != m_pendingMember) return false;
  const std::string name = m_pendingName;
  m_pendingMember = 0;
  m_pendingName.clear();
  if (code != kNotDeliveredQuietly) m_host.ShowMessage(kStrUserNotFound, name);
  m_host.CloseDialogs();
  return true;
}

void CObjectTransfer::OnReceiveDialogEnd(const CTransferFile& file) {
  const auto entry = Find(file);
  if (entry != m_list.end()) m_list.erase(entry);
}

bool CObjectTransfer::Save(const CTransferFile& file) {
  if (!m_host.WriteFile(file.path, file.data)) {
    m_host.ShowMessage(kStrSaveFailed, file.path);
    return false;
  }
  m_host.Saved(file);
  return true;
}
