#include "CDdeSessionHost.h"

#include <windows.h>

#include "CChatWnd.h"
#include "CGames.h"
#include "CMyselfClient.h"
#include "CPlaceMessage.h"
#include "CSpyWnd.h"
#include "CPlace.h"
#include "CSessionConnection.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "PictureBlob.h"
#include "ZrPerson.h"
#include "ZrMessageText.h"
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

namespace {

constexpr uint32_t kTourPictureKind = 2;
constexpr uint32_t kStrNoFirst = 199;
constexpr uint32_t kStrCannotDisplay = 198;
constexpr uint32_t kStrTour = 444;

}  // namespace

// The tour's picture: the bytes given when they decode, else the settings'
// picture for the kind; a picture file that does not load is reported and
// the tour starts without one.
std::unique_ptr<CTvlBlob> CDdeSessionHost::TourPicture(uint32_t kind, const ZrDdeBytes& bytes) {
  if (!bytes.empty()) {
    auto given = std::make_unique<CPictureBlob>(static_cast<uint32_t>(bytes.size()), bytes.data());
    if (given->Decode()) return given;
  }
  const CZrSettings& settings = m_app.Settings();
  const std::string& file = kind == kTourPictureKind ? settings.m_tour2Picture : settings.m_tour11Picture;
  if (file.empty()) return nullptr;
  std::unique_ptr<CPictureBlob> loaded = CPictureBlob::PictureBlobFromFile(file);
  if (loaded && loaded->Decode()) return loaded;
  m_app.PlaceLink().PostMessageBox(CPlaceMessage::Fill(
      CZrMessageText::Join(LoadText(kStrNoFirst), LoadText(kStrCannotDisplay)), {LoadText(kStrTour), file}));
  return nullptr;
}

void CDdeSessionHost::StartTour(const std::string& name, uint32_t kind, const ZrDdeBytes& picture) {
  auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself());
  if (!myself) return;
  const int32_t capacity = m_app.Settings().m_tourCapacity;
  myself->GoToPlace(name, static_cast<uint16_t>(capacity > 1 ? capacity : 2), TourPicture(kind, picture));
}

void CDdeSessionHost::StopVoiceAndGoBack() {
  m_app.PlaceLink().StopVoiceSession();
  if (CSpyWnd* frame = m_app.PageFrame().GetFrame()) {
    if (frame->CanGoBack()) frame->GoBack();
  }
}

// A game installed here is joined through the game session; otherwise the
// user goes to where the group is.
void CDdeSessionHost::JoinGroup(CZrObject& group) {
  CGames* games = m_app.Games();
  if (games && games->JoinGame(group, 0)) return;
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself())) myself->GoToPersonsPlace(group);
}

void CDdeSessionHost::SendOwnPosition() {
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself())) myself->SendPosition();
}

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
