#include "CImLink.h"

#include <utility>

#include "CPlace.h"
#include "CZrApp.h"
#include "ZrPerson.h"
#include "ZrPersonDesc.h"

namespace {

constexpr uint32_t kImItemType = 4;
constexpr uint32_t kBlankText = 199;
constexpr uint32_t kUserNotFoundText = 208;

}  // namespace

bool CImLink::OfferLookupReply(uint32_t request, const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) {
  std::vector<CImLookupResult> results;
  for (const auto& person : persons) {
    if (!person) continue;
    CImLookupResult result;
    result.displayName = person->name;
    result.placeKind = person->placeKind;
    result.stageReference = person->parentFlag;
    result.owner = person->id;
    results.push_back(result);
  }
  return m_list.OnLookupReply(request, results);
}

bool CImLink::SendIm(uint32_t recipient, const std::string& text, const CTvlBlob& payload) {
  CPlace* place = m_app.GetRootPlace();
  return place && m_app.IsConnected() && place->SendUserMessage(recipient, text, payload) == 0;
}

void CImLink::PostOutgoingNotice(const std::string& text, const CTvlBlob& payload) {
  CZrPerson* myself = m_app.GetMyself();
  if (!myself) return;
  m_app.PlaceLink().PostMessageItem(myself->GetId(), myself->GetName(), text, payload, kImItemType);
}

uint32_t CImLink::SendLookup(const std::string& name) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected()) return 0;
  return place->SendNumberedRequest(name, 0, true, false);
}

void CImLink::ShowIm(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
                     const std::string& pending) {
  CKeptMessage kept{sender, name, text, {}, pending};
  if (payload.Bytes()) kept.payload.assign(payload.Bytes(), payload.Bytes() + payload.Length());
  m_kept.push_back(std::move(kept));
}

void CImLink::ShowNotFound(const std::string& name) {
  if (CPlace* place = m_app.GetRootPlace()) place->ShowMessage(kBlankText, kUserNotFoundText, {name});
}
