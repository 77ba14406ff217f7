#include "ImConversationList.h"

bool CImConversationList::SendIm(uint32_t recipient, const std::string& name, const std::string& text,
                                 const CTvlBlob& payload) {
  if (!Find(recipient)) Obtain(recipient, name, text);
  return SendToPage(recipient, text, payload);
}

bool CImConversationList::SendToPage(uint32_t recipient, const std::string& text, const CTvlBlob& payload) {
  if (!m_road.SendIm(recipient, text, payload)) return false;
  m_road.PostOutgoingNotice(text, payload);
  return true;
}

void CImConversationList::OnImReceived(uint32_t sender, const std::string& text, const CTvlBlob& payload,
                                       const std::string& name) {
  Conversation& conversation = Obtain(sender, name, std::string());
  const std::string pending = conversation.pending;
  conversation.pending.clear();
  m_road.ShowIm(sender, name, CutIncoming(text), payload, pending);
}

void CImConversationList::CloseConversation(uint32_t member) {
  m_conversations.remove_if([member](const Conversation& entry) { return entry.member == member; });
}

void CImConversationList::OnSendFailed(uint32_t member, uint32_t code) {
  const Conversation* conversation = Find(member);
  if (conversation && code != kQuietFailure) m_road.ShowNotFound(conversation->name);
}

uint32_t CImConversationList::Lookup(const std::string& name, IImLookupClient& dialog) {
  const uint32_t request = m_road.SendLookup(name);
  if (request != 0) m_lookups.push_back(LookupEntry{request, name, &dialog});
  return request;
}

bool CImConversationList::OnLookupReply(uint32_t request, const std::vector<CImLookupResult>& results) {
  IImLookupClient* dialog = TakeLookup(request);
  if (!dialog) return false;
  dialog->OnLookupResult(results);
  return true;
}

void CImConversationList::DropLookup(uint32_t request) { TakeLookup(request); }

const CImConversationList::Conversation* CImConversationList::Find(uint32_t member) const {
  for (const Conversation& entry : m_conversations)
    if (entry.member == member) return &entry;
  return nullptr;
}

void CImConversationList::Clear() {
  m_conversations.clear();
  m_lookups.clear();
}

std::string CImConversationList::CutIncoming(const std::string& text) {
  return text.size() <= kLongestWhole ? text : text.substr(0, kCutLength);
}

CImConversationList::Conversation& CImConversationList::Obtain(uint32_t member, const std::string& name,
                                                               const std::string& pending) {
  for (Conversation& entry : m_conversations)
    if (entry.member == member) return entry;
  m_conversations.push_back(Conversation{member, name, pending});
  return m_conversations.back();
}

IImLookupClient* CImConversationList::TakeLookup(uint32_t request) {
  for (auto it = m_lookups.begin(); it != m_lookups.end(); ++it) {
    if (it->request != request) continue;
    IImLookupClient* dialog = it->dialog;
    m_lookups.erase(it);
    return dialog;
  }
  return nullptr;
}
