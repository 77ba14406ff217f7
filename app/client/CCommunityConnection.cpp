#include "CCommunityConnection.h"

#include <cctype>

#include "ZrClientPlace.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

CCommunityConnection::CCommunityConnection(CUcmManager& manager, IZrSessionHandler& handler,
                                           ICommunityEvents& events)
    : CZrServerConnection(manager, &handler), m_events(events) {}

bool CCommunityConnection::SetUrl(const std::string& community) {
  const bool same = EqualNoCase(community, m_url) && GetState() != kIdle;
  m_url = community;
  if (same) return true;
  if (GetState() != kIdle) Disconnect();
  return Connect(community, CZrServerAddress()) == 0;
}

void CCommunityConnection::Queue(CZrClientPlace& place) {
  m_place = &place;
  CZrServerConnection::Queue(this);
}

void CCommunityConnection::Unqueue(CZrClientPlace&) { CZrServerConnection::Unqueue(this); }

void CCommunityConnection::OnConnectionUp(CZrServerConnection&) {
  if (m_place) m_place->OnConnectionUp(*this);
}

const CZrObjectRef* CCommunityConnection::FindReference(uint32_t ownerId, uint32_t kind) const {
  return CZrServerConnection::FindReference(ownerId, kind);
}

const CZrObjectRef* CCommunityConnection::FindReferenceByOwner(uint32_t ownerId) const {
  return CZrServerConnection::FindReferenceByOwner(ownerId);
}

const CZrObjectRef* CCommunityConnection::FindReferenceByKind(uint32_t kind) const {
  return CZrServerConnection::FindReferenceByKind(kind);
}

const CZrObjectRef* CCommunityConnection::AddReference(CZrMessageReader& reader, uint32_t localId) {
  if (!CZrServerConnection::AddReference(reader, localId)) return nullptr;
  return &References().back();
}

std::unique_ptr<CZrObjectRef> CCommunityConnection::RemoveReference(CZrMessageReader& reader) {
  return CZrServerConnection::RemoveReference(reader);
}

int32_t CCommunityConnection::CheckHello(CZrMessageReader& reader, uint32_t& received) {
  return CZrServerConnection::CheckHello(reader, received);
}

void CCommunityConnection::OnSessionReady() { m_events.OnCommunitySessionReady(); }

void CCommunityConnection::OnDisconnected(int32_t reason) {
  m_events.OnCommunityDisconnected(reason);
}
