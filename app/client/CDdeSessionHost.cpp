#include "CDdeSessionHost.h"

#include <windows.h>

#include "CChatWnd.h"
#include "CPlace.h"
#include "CSessionConnection.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "PictureBlob.h"
#include "ZrPerson.h"
#include "ZrPlaceContent.h"

CDdeSessionHost::CDdeSessionHost(CZrApp& app)
    : m_app(app), m_session(*this), m_connection(std::make_unique<CSessionConnection>(m_session)) {
  // Without a running service the client goes on without DDE.
  if (m_connection->StartService(reinterpret_cast<uintptr_t>(AfxGetInstanceHandle())))
    m_session.SetPoster(m_connection.get());
}

CDdeSessionHost::~CDdeSessionHost() {
  m_session.SetPoster(nullptr);
  m_connection.reset();
}

CZrClientPlace* CDdeSessionHost::GetRootPlace() { return m_app.GetRootPlace(); }

unsigned CDdeSessionHost::GetIndicatorState() const { return m_app.GetIndicatorState(); }

std::string CDdeSessionHost::GetCommunityName() const { return m_app.GetCommunityName(); }

std::string CDdeSessionHost::GetCurrentAddress() const { return m_app.PlaceLink().GetCurrentUrl(); }

std::string CDdeSessionHost::LoadText(uint32_t id) const { return m_app.PlaceLink().LoadText(id); }

void CDdeSessionHost::ConnectCommunity(const std::string& community) {
  m_app.ActivateMainWindow();
  m_app.GoToPlace(community);
  m_app.PlaceLink().SetCommunityText(CZrPlaceContent::kPlaceText1000, community);
  m_app.SetCommunityName(community);
}

void CDdeSessionHost::Navigate(const std::string& url) {
  HWND focus = ::GetFocus();
  m_app.PlaceLink().ShowPage(url);
  if (focus && ::IsWindow(focus)) ::SetFocus(focus);
}

void CDdeSessionHost::ToggleObserve() { m_app.ToggleObserve(); }

void CDdeSessionHost::StartVoiceSession() { m_app.PlaceLink().StartVoiceSession(); }

CZrPosition CDdeSessionHost::GetAvatarPosition() const { return m_app.PlaceLink().GetAvatarPosition(); }

void CDdeSessionHost::StoreIdentity(const CDdeIdentity& identity) {
  CZrSettings& settings = m_app.Settings();
  settings.m_nickName = identity.nickName;
  settings.m_name = identity.fullName;
  settings.m_address = identity.location;
  settings.m_email = identity.email;
  settings.Save(true);
}

bool CDdeSessionHost::SetOwnPicture(const ZrDdeBytes& bytes) {
  CPlace* root = m_app.GetRootPlace();
  if (!root || !root->GetMyself()) return false;
  auto picture = std::make_unique<CPictureBlob>(static_cast<uint32_t>(bytes.size()), bytes.data());
  if (!picture->Decode()) return false;
  root->SetMyMemberData(*root->GetMyself(), std::move(picture));
  if (CChatWnd* main = m_app.MainFrame()) main->Invalidate();
  return true;
}

// The member data of an object is its picture as it travels; it goes out
// again as GIF only when it decodes.
ZrDdeBytes CDdeSessionHost::EncodePicture(CZrObject& object) {
  const CTvlBlob* data = object.GetInfo().Member().Body().GetData();
  if (!data || data->Length() == 0) return {};
  CPictureBlob blob(data->Length(), data->Bytes());
  CPicture* picture = blob.Decode();
  return picture ? picture->EncodeGif() : ZrDdeBytes();
}
