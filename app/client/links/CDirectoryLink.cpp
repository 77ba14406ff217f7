#include "CDirectoryLink.h"

#include "CCommunityCheck.h"
#include "CInteractionLink.h"
#include "CPlace.h"
#include "CPlaceAddress.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "ZrProgramPaths.h"

namespace {

constexpr UINT kDirectoryTitle = 153;
constexpr UINT kEventManagementTitle = 61258;

}  // namespace

void CDirectoryLink::Start(Mode mode) {
  const std::string title = AfxLoadString(mode == kEventManagement ? kEventManagementTitle : kDirectoryTitle);
  Open(mode, title, GetProgramDir(), m_app.Settings().m_resources);
}

std::string CDirectoryLink::CurrentPageAddress() const { return m_app.PlaceLink().GetCurrentUrl(); }

std::string CDirectoryLink::EventPageAddress() const {
  return m_app.PlaceLink().GetCommunityText(kEventBaseItem);
}

std::string CDirectoryLink::Nickname() const {
  CZrSettings& settings = m_app.Settings();
  return settings.GetIdentityNick(m_app.GetCommunityName());
}

std::string CDirectoryLink::CurrentPlaceName() const {
  const CPlace* place = m_app.GetRootPlace();
  return place ? place->GetName() : std::string();
}

bool CDirectoryLink::IsPlaceLink(const std::string& text) const {
  CPlaceAddress address(CCommunityCheck::ForService(m_app.Settings().m_listFile));
  return address.Parse(text);
}

void CDirectoryLink::OpenPlace(const std::string& text) {
  CPlaceAddress address(CCommunityCheck::ForService(m_app.Settings().m_listFile));
  if (address.Parse(text)) m_app.OpenPlaceAddress(address, false);
}

bool CDirectoryLink::IsInteractionLink(const std::string& text) const { return CInteractionLink::IsInteraction(text); }

void CDirectoryLink::PerformInteraction(const std::string& text) { m_app.Interactions().Perform(text); }
