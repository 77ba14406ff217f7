#include "CChatLink.h"

#include "CAvatarWindows.h"
#include "CBalloonManager.h"
#include "CChatTabWnd.h"
#include "CChatWnd.h"
#include "CMyselfClient.h"
#include "CMyselfWnd.h"
#include "CPayload.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CPresenceWnd.h"
#include "CZrApp.h"
#include "ZrKind.h"
#include "ZrPerson.h"

namespace {

// Command of a type-4 payload: a line for a host to repeat to the
// auditorium.
constexpr uint8_t kRepeatLineCommand = 20;
// Kind of a seat row of an auditorium.
constexpr uint32_t kSeatRowKind = 519;
// Host classes (low seven bits kept with the person bit).
constexpr uint32_t kHostKinds[] = {0x111, 0x112};

bool IsHostKind(uint32_t kind) {
  const uint32_t normal = kind & 0x17F;
  return normal == kHostKinds[0] || normal == kHostKinds[1];
}

}  // namespace

void CChatLink::Attach(CChatTabWnd* tabs, CBalloonManager* balloons) {
  m_tabs = tabs;
  m_balloons = balloons;
  if (m_balloons) m_balloons->SetTextFilter([this](const std::string& text) { return MaskForBalloon(text); });
}

void CChatLink::SetWordList(const std::vector<std::string>& words) {
  m_filter.ClearStringList();
  for (const std::string& word : words) m_filter.SplitCommaList(word);
}

std::string CChatLink::MaskForBalloon(const std::string& text) const {
  std::string masked = text;
  if (m_filterA || m_filterB) m_filter.MaskAll(masked);
  return masked;
}

std::string CChatLink::MaskWords(ChatPageKind kind, const std::string& text) {
  const bool mask = kind == ChatPageKind::Room ? (m_filterA || m_filterB) : m_filterA;
  std::string masked = text;
  if (mask) m_filter.MaskAll(masked);
  return masked;
}

// ---- Lines in --------------------------------------------------------------------

void CChatLink::ShowSay(const CZrObject& sender, const std::string& text) {
  ShowBalloonFor(sender, text);
  CPlace* place = m_app.GetRootPlace();
  ShowChatLine(place ? place->GetId() : 0, sender, text);
}

void CChatLink::ShowChatLine(uint32_t targetId, const CZrObject& speaker, const std::string& text) {
  if (!m_tabs) return;
  const bool speakerClass = ZrKindIsModerator(speaker.GetKind());
  m_tabs->AddLine(targetId, m_app.PlaceLink().DisplayNameOf(speaker), false, speakerClass, text);
}

void CChatLink::ShowBalloonFor(const CZrObject& speaker, const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  if (!m_balloons || !place) return;
  CWnd* target = nullptr;
  if (&speaker == m_app.GetMyself())
    target = m_app.Avatars().GetOwn();
  else if (auto* person = dynamic_cast<const CZrPerson*>(&speaker))
    target = m_app.Avatars().Find(*person);
  CWnd* page = m_app.Avatars().GetPlaceWnd();
  if (!target || !target->m_hWnd || !target->IsWindowVisible() || !page) return;
  CWnd* parent = page;
  if (speaker.GetParent() && speaker.GetParent()->GetKind() == kSeatRowKind) parent = m_app.MainFrame();
  const int32_t lifetime = BalloonLifetimeForSetting(m_app.Settings().m_balloonTime);
  m_balloons->Show(target->m_hWnd, parent->m_hWnd, lifetime, kBalloonColour, kBalloonPoints, text);
}

// ---- What pages ask ----------------------------------------------------------------

bool CChatLink::IsRunning() { return m_app.IsRunning(); }

bool CChatLink::AreWindowsDisabled() { return m_app.AreMainWindowsDisabled(); }

void CChatLink::ResetIdleMinutes() {
  if (CChatWnd* main = m_app.MainFrame()) main->ResetIdleMinutes();
}

ChatSendState CChatLink::SendStateFor(ChatPageKind kind) {
  ChatSendState state;
  state.kind = kind;
  CPlace* place = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  if (myself && myself->GetFlags().Has(CZrMemberFlags::kNoSend)) state.memberFlags |= kMemberMayNotSend;
  state.auditorium = place && place->IsAuditorium();
  state.inRootPlace = place && place->IsInRootPlace();
  auto* own = dynamic_cast<CMyselfClient*>(myself);
  state.pendingAction = own && own->GetPendingAction() == CMyselfClient::kInvitedToSpeak;
  return state;
}

CZrObject* CChatLink::FindTarget(ChatPageKind kind, uint32_t targetId) const {
  CPlace* place = m_app.GetRootPlace();
  if (!place) return nullptr;
  switch (kind) {
    case ChatPageKind::Room:
      return place;
    case ChatPageKind::Group:
    case ChatPageKind::Game:
      return place->FindById(targetId);
    case ChatPageKind::Stage:
      return place->GetRoom();
    default:
      return nullptr;
  }
}

bool CChatLink::SendTalk(ChatPageKind kind, uint32_t targetId, const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  CZrObject* target = FindTarget(kind, targetId);
  if (!place || !target) return false;
  place->RequestMove(*target, CPlace::kSayChat, text, CTvlBlob());
  return true;
}

bool CChatLink::SendThroughHost(const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  auto* own = dynamic_cast<CMyselfClient*>(m_app.GetMyself());
  if (!place || !own) return false;
  uint32_t host = own->GetPendingMember();
  if (host == 0) {
    for (CZrGroup* standing : {place->GetRoom(), place->GetCorridor()}) {
      if (!standing || host) continue;
      for (CTvlListIter it = standing->Children().Begin(); it.IsValid(); it.Next()) {
        auto* member = it.Get<CZrObject>();
        if (IsHostKind(member->GetKind())) {
          host = member->GetId();
          break;
        }
      }
    }
  }
  if (host == 0) return false;
  place->SendUserMessage(host, text, CPayload(CPayload::kCommand, kRepeatLineCommand, 0, nullptr));
  return true;
}

void CChatLink::SendInstantMessage(uint32_t person, const std::string& text) {
  if (CPlace* place = m_app.GetRootPlace()) place->SendUserMessage(person, text, CTvlBlob());
}

void CChatLink::SetTypingState(ChatPageKind kind, uint32_t targetId, bool on) {
  CPlace* place = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  if (!place || !myself) return;
  CPresenceWnd* own = m_app.Avatars().GetOwn();
  if (on) {
    CZrObject* target = FindTarget(kind, targetId);
    if (!target) return;
    if (own) own->SetOverlayState(true);
    place->RequestTarget(target);
  } else {
    place->RequestClearPending();
    if (own) own->SetOverlayState(false);
  }
}

void CChatLink::ShowOwnBalloon(const std::string& text) {
  if (CZrPerson* myself = m_app.GetMyself()) ShowBalloonFor(*myself, text);
}

void CChatLink::EchoLine(uint32_t targetId, const std::string& text) {
  if (CZrPerson* myself = m_app.GetMyself()) ShowChatLine(targetId, *myself, text);
}

bool CChatLink::IsPrivateRoom() {
  CPlace* place = m_app.GetRootPlace();
  return place && place->IsPrivateRoom();
}

std::string CChatLink::PlaceTitle() {
  CPlace* place = m_app.GetRootPlace();
  return place ? place->GetTitle() : std::string();
}

void CChatLink::OpenSendImDialog() {
  if (CPersonStateList* states = m_app.GetPersonStateList()) states->ShowSendImDlg();
}

// The game's group object takes no activation notice yet.
void CChatLink::SetGameActive(uint32_t, bool) {}

ChatPlaceState CChatLink::PlaceState() {
  ChatPlaceState state;
  state.running = m_app.IsRunning();
  CPlace* place = m_app.GetRootPlace();
  if (!place) return state;
  state.connected = m_app.IsConnected();
  state.auditorium = place->IsAuditorium();
  state.privateRoom = place->IsPrivateRoom();
  state.rootId = place->GetId();
  state.placeObjectId = place->GetRoom() ? place->GetRoom()->GetId() : 0;
  return state;
}
