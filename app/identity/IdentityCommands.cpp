#include "IdentityCommands.h"

#include "CChatWnd.h"
#include "CDdeSession.h"
#include "CIdDialog.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CZrApp.h"
#include "IIdentityHost.h"
#include "PersonIdentityDialogs.h"
#include "PictureBlob.h"
#include "ZrPerson.h"
#include "ZrPersonInfo.h"

namespace {

// Person classes 272 to 287 are the moderators.
constexpr uint32_t kFirstModeratorClass = 272;
constexpr uint32_t kLastModeratorClass = 287;
// The resource library's colour of the image library's cells.
constexpr uint32_t kImageCellColour = 7;

class CIdentityLink : public IIdentityHost {
 public:
  explicit CIdentityLink(CZrApp& app) : m_app(app) {}

  // No option shows full names instead of nicknames yet.
  bool ShowsNames() override { return false; }

  bool IsLocalModerator() override {
    const uint32_t localClass = m_app.GetOwnUserClass();
    return localClass >= kFirstModeratorClass && localClass <= kLastModeratorClass;
  }

  HWND OwnerWindow() override { return m_app.MainFrame() ? m_app.MainFrame()->m_hWnd : nullptr; }

  void SetIgnored(uint32_t person, bool ignored) override {
    if (CPersonStateList* states = m_app.GetPersonStateList()) states->SetState(person, ignored ? 1 : 0);
  }

  void OpenSendIm(uint32_t person, const std::string& name) override {
    if (CPersonStateList* states = m_app.GetPersonStateList()) states->ShowWindowFor(person, name);
  }

  void RequestFace(uint32_t person) override {
    if (CPlace* root = m_app.GetRootPlace()) root->SendSimpleRequest(person);
  }

  bool SendIdentityRequest(uint32_t person) override {
    CPlace* root = m_app.GetRootPlace();
    const CPayload request(CPayload::kIdentityRequest, 0, 0, nullptr);
    return root && root->SendUserMessage(person, std::string(), request) == ZrRequest::kSent;
  }

  void ForgetIdentityDialog(uint32_t person, IPersonDialog* dialog) override {
    if (CPersonStateList* states = m_app.GetPersonStateList()) states->ForgetData(person, dialog);
  }

 private:
  CZrApp& m_app;
};

CIdentityLink& LinkOf(CZrApp& app) {
  static CIdentityLink link(app);
  return link;
}

CIdentityPerson DescribePerson(CZrApp& app, uint32_t person, const std::string& name) {
  CIdentityPerson described;
  described.id = person;
  described.nickname = name;
  described.mayReceiveIms = !app.IsAuditorium();
  if (CPersonStateList* states = app.GetPersonStateList()) described.ignored = states->GetState(person) != 0;
  CPlace* root = app.GetRootPlace();
  CZrObject* found = root ? root->FindById(person) : nullptr;
  if (!found || !found->HasBit8()) return described;
  const CZrPersonInfo& info = static_cast<CZrPerson*>(found)->GetPersonInfo();
  described.nickname = found->GetName();
  described.name = info.GetFullName();
  described.location = info.GetLocation();
  described.email = info.GetEmail();
  described.address = info.GetValue();
  return described;
}

// The changed texts go to the server, and the local user's new identity to
// the programs that follow the client over DDE.
void SendMyInfo(CZrApp& app, const CMyInfoChange& change) {
  CPlace* root = app.GetRootPlace();
  if (!root) return;
  root->SetMyInfo(change.name ? &*change.name : nullptr, change.location ? &*change.location : nullptr,
                  change.email ? &*change.email : nullptr);
  CDdeSession* dde = app.GetDdeSession();
  if (dde && app.GetMyself()) dde->PostPresenceIdentity(*app.GetMyself());
}

// A new face goes to the place as the local user's member data, shows on
// the own avatar and goes to the programs that follow the client.
bool SendMyFace(CZrApp& app, const std::string& file) {
  std::unique_ptr<CPictureBlob> picture = CPictureBlob::PictureBlobFromFile(file);
  if (!picture || !picture->Decode()) return false;
  CPlace* root = app.GetRootPlace();
  if (!root || !root->GetMyself()) return true;
  root->SetMyMemberData(*root->GetMyself(), std::move(picture));
  if (CChatWnd* main = app.MainFrame()) ::RedrawWindow(main->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  CDdeSession* dde = app.GetDdeSession();
  if (dde && app.GetMyself()) dde->PostPresenceFace(*app.GetMyself());
  return true;
}

}  // namespace

void RunIdentitySheet(CZrApp& app) {
  const bool connected = app.IsConnected();
  std::string nickname;
  if (connected && app.GetMyself()) nickname = app.GetMyself()->GetName();
  const CBasicInfoValues basic =
      CBasicInfoValues::FromSettings(app.Settings(), connected ? &nickname : nullptr, nullptr);
  CIdDialog::AvatarColumn avatar;
  avatar.useAvatarService = app.Resources().IsUseAvatarService();
  avatar.cellColour = app.Resources().GetColor(kImageCellColour);
  avatar.sendFace = [&app](const std::string& file) { return SendMyFace(app, file); };
  CIdDialog sheet(app.Settings(), basic, app.IsRunning(), connected, false,
                  [&app](const CMyInfoChange& change) { SendMyInfo(app, change); }, app.MainFrame(),
                  std::move(avatar));
  app.Boxes().RunWithMainWindowsDisabled([&sheet] { return static_cast<int>(sheet.DoModal()); });
}

void OpenPersonIdentity(CZrApp& app, uint32_t person, const std::string& name) {
  if (CPersonStateList* states = app.GetPersonStateList())
    OpenIdentityDialog(*states, LinkOf(app), DescribePerson(app, person, name));
}

void ShowReceivedIdentity(CZrApp& app, uint32_t person, const CIdentityTexts& texts) {
  if (CPersonStateList* states = app.GetPersonStateList()) GiveIdentityTexts(*states, person, texts);
}
