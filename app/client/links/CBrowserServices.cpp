#include "CBrowserServices.h"

#include "CCommunityCheck.h"
#include "CInteractionLink.h"
#include "CPlaceAddress.h"
#include "CZrApp.h"
#include "IBrowserInteraction.h"
#include "ZrProgramPaths.h"

namespace {

constexpr char kWelcomePage[] = "welcome.htm";

}  // namespace

CCommunityCheck CBrowserServices::GetCommunityCheck() const {
  return CCommunityCheck::ForService(m_app.Settings().m_listFile);
}

void CBrowserServices::OpenPlaceAddress(const CPlaceAddress& address, int32_t flag) {
  m_app.OpenPlaceAddress(address, flag != 0);
}

// The place is connected again, with the login values the page gave.
void CBrowserServices::ConnectPlace() { m_app.Reconnect(); }

std::unique_ptr<IBrowserInteraction> CBrowserServices::ParseInteraction(const std::string& url) {
  if (!CInteractionLink::IsInteraction(url)) return nullptr;
  return std::make_unique<CPageInteraction>(m_app.Interactions(), url);
}

std::string CBrowserServices::GetWelcomeUrl() const { return GetProgramDir() + kWelcomePage; }

void CBrowserServices::SetLoginNick(const std::string& nick) { m_app.Settings().m_nickName = nick; }

void CBrowserServices::SetIdentityNick(const std::string& nick) { m_app.Settings().m_nickName = nick; }

// The login's password, guest flag, preference flag and slot pictures have
// no place in the program yet.
void CBrowserServices::SetPassword(const std::string&) {}
void CBrowserServices::SetGuestFlag(bool) {}
void CBrowserServices::SetFFlag(bool) {}
void CBrowserServices::SetSlotPictures(const std::string&, const std::string&, const std::string&,
                                       const std::string&) {}
