#include "CSpecialUrlChain.h"

#include "CPlaceAddress.h"
#include "CWebLoginParams.h"
#include "IBrowserHost.h"
#include "IBrowserInteraction.h"
#include "IBrowserOwner.h"

CSpecialUrlChain::CSpecialUrlChain(IBrowserHost& host) : m_host(host) {}

CSpecialUrlChain::~CSpecialUrlChain() = default;

bool CSpecialUrlChain::Take(const std::string& url, IBrowserOwner* owner) {
  return HandlePlaceUrl(url, owner) || HandleSlotUrl(url) || HandleInteractionUrl(url);
}

bool CSpecialUrlChain::HandlePlaceUrl(const std::string& url, IBrowserOwner* owner) {
  CPlaceAddress address(m_host.GetCommunityCheck());
  if (!address.Parse(url)) return false;
  m_host.OpenPlaceAddress(address, 0);
  if (owner) owner->OnPlaceTaken();
  return true;
}

bool CSpecialUrlChain::HandleSlotUrl(const std::string& url) {
  CWebLoginParams params;
  if (!params.Parse(url)) return false;
  if (params.HasLoginValues()) params.Apply(m_host.GetLoginTarget());
  m_host.ConnectPlace();
  return true;
}

bool CSpecialUrlChain::HandleInteractionUrl(const std::string& url) {
  std::unique_ptr<IBrowserInteraction> interaction = m_host.ParseInteraction(url);
  if (!interaction) return false;
  if (interaction->IsValid() && !interaction->Perform()) m_queue.push_back(std::move(interaction));
  return true;
}

bool CSpecialUrlChain::FindInteraction(const std::string& id, CZrPerson& recipient) {
  for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
    if ((*it)->GetId() != id) continue;
    (*it)->SendItems(recipient);
    m_queue.erase(it);
    return true;
  }
  return false;
}
