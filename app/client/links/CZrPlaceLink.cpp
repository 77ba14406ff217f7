#include "CZrPlaceLink.h"

#include <windows.h>

#include <cstdarg>
#include <memory>

#include "BroadcastPageLink.h"
#include "CAuditoriumEvents.h"
#include "TvlBlob.h"
#include "BroadcastRecord.h"
#include "CChatTabWnd.h"
#include "CChatWnd.h"
#include "CCommunityConnection.h"
#include "CDdeSession.h"
#include "CGames.h"
#include "CTransfers.h"
#include "CLocateDlg.h"
#include "CPlace.h"
#include "CPplManager.h"
#include "CSendImDlg.h"
#include "CSpyWnd.h"
#include "CVistaplexLink.h"
#include "CZrApp.h"
#include "ZrMessageBox.h"
#include "ZrMessageText.h"
#include "ZrPerson.h"
#include "ZrString.h"

namespace {

ZrDdeBytes BytesOf(const CTvlBlob& blob) {
  return blob.Bytes() ? ZrDdeBytes(blob.Bytes(), blob.Bytes() + blob.Length()) : ZrDdeBytes();
}

constexpr char kSettingsSection[] = "Settings";
// The saved position of the own avatar.
constexpr char kSavedXKey[] = "MyselfXPos";
constexpr char kSavedYKey[] = "MyselfYPos";
// The community text that names the list of the service's links.
constexpr uint16_t kServiceLinksText = 1024;

// The text in a heap buffer that the message box frees once shown.
char* BoxText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = CZrMessageText::Format(format, args);
  va_end(args);
  return text;
}

// A saved coordinate as a position value; none when out of range.
bool PositionValue(int32_t value, uint16_t& result) {
  if (value < 0 || value >= CZrPosition::kNoValue) return false;
  result = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

CZrPlaceLink::CZrPlaceLink(CZrApp& app) : m_app(app) {}

std::string CZrPlaceLink::GetCommunityText(uint16_t code) const {
  const auto found = m_texts.find(code);
  return found == m_texts.end() ? std::string() : found->second;
}

uint32_t CZrPlaceLink::GetCommunityValue(uint16_t code) const {
  const auto found = m_values.find(code);
  return found == m_values.end() ? 0 : found->second;
}

// ---- Texts and message boxes ----------------------------------------------

std::string CZrPlaceLink::LoadText(uint32_t id) const { return m_app.Boxes().LoadText(id); }

void CZrPlaceLink::PostMessageBox(const std::string& text) {
  m_app.Boxes().PostMessageBox(CZrMessageBox::kPlain, BoxText("%s", text.c_str()));
}

// The dialogs are shown once the network callback has returned.
void CZrPlaceLink::PostWarning(const std::string& text) {
  CChatWnd* main = m_app.MainFrame();
  if (!main) return;
  auto warning = std::make_unique<std::string>(text);
  if (main->PostMessage(CChatWnd::kShowWarning, 0, reinterpret_cast<LPARAM>(warning.get())))
    warning.release();
}

void CZrPlaceLink::PostRoomFullPrompt() {
  if (CChatWnd* main = m_app.MainFrame()) main->PostMessage(CChatWnd::kShowEnterDialog, 0, 0);
}

// ---- Connection state -----------------------------------------------------

void CZrPlaceLink::ClearReconnectState() { m_app.ClearReconnectState(); }

bool CZrPlaceLink::AcceptReconnect() { return m_app.PostReconnect(); }

// The question is asked once the network callback has returned.
void CZrPlaceLink::ConfirmAndLeave() {
  if (CChatWnd* main = m_app.MainFrame()) main->PostMessage(CChatWnd::kServerInaccessible, 0, 0);
}

// The program keeps no login password yet.
void CZrPlaceLink::ClearPassword() {}

// Without a login page the login goes straight to the community with the
// identity's nickname; a login page needs the browser view, which the
// program does not have yet.
void CZrPlaceLink::StartLogin() {
  CCommunityConnection* connection = m_app.GetConnection();
  CPlace* place = m_app.GetRootPlace();
  if (!connection || !place || !connection->IsConnected()) return;
  m_connected = true;
  if (!m_loginBaseUrl.empty()) return;
  place->SendBlobRequest(*connection, CZrString(GetNickname(), 1), std::string(), kPersonKind, 0, 0);
}

void CZrPlaceLink::ClearIdentityNick() {
  m_app.Settings().SetIdentityNick(std::string(), GetCommunityName());
}

// No community server list is kept yet: no state, and no choice to store.
int32_t CZrPlaceLink::GetServerListState() const { return 0; }

void CZrPlaceLink::StorePendingConnectionChoice() {}

// ---- Names ----------------------------------------------------------------

std::string CZrPlaceLink::GetCommunityName() const { return m_app.GetCommunityName(); }

std::string CZrPlaceLink::GetHomeTitle() const { return m_app.Settings().m_serverTitle; }

// Start-up keeps no place name of the address: none.
std::string CZrPlaceLink::GetAddressPlaceName() const { return std::string(); }

std::string CZrPlaceLink::GetNickname() const { return m_app.Settings().m_nickName; }

// Nicknames are shown: the client has no option for full names.
std::string CZrPlaceLink::DisplayNameOf(const CZrObject& person) const { return person.GetName(); }

// ---- Settings -------------------------------------------------------------

void CZrPlaceLink::SaveAndReloadSettings() {
  CZrSettings& settings = m_app.Settings();
  settings.Save(true);
  settings.Load(true);
}

int32_t CZrPlaceLink::ReadSetting(const std::string& key, int32_t defaultValue) const {
  return m_app.Settings().ReadInt(kSettingsSection, key, defaultValue);
}

void CZrPlaceLink::WriteSetting(const std::string& key, int32_t value) {
  m_app.Settings().WriteInt(kSettingsSection, key, value);
}

int32_t CZrPlaceLink::CurrentSecond() const {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now.wSecond;
}

// ---- Main window ----------------------------------------------------------

void CZrPlaceLink::SetStatusText(const std::string& text) { m_app.SetStatusText(text); }

void CZrPlaceLink::SetMainTitle(const std::string& title) {
  if (CChatWnd* main = m_app.MainFrame()) main->SetWindowText(title);
}

void CZrPlaceLink::ResetChatTabs() {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs()) tabs->ResetTabs();
}

// The program is no longer connected: the page text goes and the main window
// shows the product name again.
void CZrPlaceLink::ResetAfterDisconnect() {
  if (!m_connected) return;
  m_connected = false;
  m_pageText.clear();
  if (CChatWnd* main = m_app.MainFrame()) main->ResetAfterDisconnect();
}

// The previous place's menu, the event state and the pending refresh belong
// to place navigation and events, which the program does not have yet.
void CZrPlaceLink::RemovePreviousPlaceMenu() {}
void CZrPlaceLink::ResetEventState() {
  if (CAuditoriumEvents* events = m_app.Events()) events->Reset();
}
void CZrPlaceLink::RunPendingRefresh() {}

void CZrPlaceLink::StartIdleTimer() {
  if (CChatWnd* main = m_app.MainFrame()) main->StartTimer();
}

void CZrPlaceLink::StopIdleTimer() {
  if (CChatWnd* main = m_app.MainFrame()) main->StopIdleTimer();
}

// The welcome's count is the number of idle minutes after which the user is
// asked whether to stay online.
void CZrPlaceLink::SetPendingCount(int32_t count) { m_app.Settings().m_idleLimit = count; }

void CZrPlaceLink::SetPlaceLayout(int32_t placeType) {
  if (CChatWnd* main = m_app.MainFrame()) main->SetPlaceLayout(placeType, true);
}

int32_t CZrPlaceLink::GetActiveChatPageType() const {
  CChatTabWnd* tabs = m_app.Chat().Tabs();
  CPaneDlg* page = tabs ? tabs->GetActivePage() : nullptr;
  return page ? static_cast<int32_t>(page->GetKind()) : 0;
}

// The page text goes to the chat page shown as its separator line.
void CZrPlaceLink::SetPageText(const std::string& text) {
  m_pageText = text;
  CChatTabWnd* tabs = m_app.Chat().Tabs();
  if (auto* page = dynamic_cast<CChatPage*>(tabs ? tabs->GetActivePage() : nullptr)) page->AppendText(text);
}

void CZrPlaceLink::OnPlaceEntered() {
  m_entered = true;
  CPlace* place = m_app.GetRootPlace();
  if (CChatTabWnd* tabs = m_app.Chat().Tabs(); tabs && place) {
    tabs->SetPlaceKind(place->IsAuditorium()   ? CChatTabWnd::kAuditoriumPlace
                       : place->IsPrivateRoom() ? CChatTabWnd::kPrivatePlace
                                                : CChatTabWnd::kPlainPlace);
  }
  m_app.ClearReconnectState();
  m_app.SetIndicatorState(CZrApp::kParticipating);
  if (CPplManager* people = m_app.GetPeopleManager()) people->RebuildList(true);
}

// Not while a modal dialog has disabled the main window: the user typing in
// it keeps the keys.
void CZrPlaceLink::FocusMainWindow() {
  CChatWnd* main = m_app.MainFrame();
  if (main && main->GetSafeHwnd() && ::IsWindowEnabled(main->GetSafeHwnd())) main->SetFocus();
}

// ---- Own avatar -----------------------------------------------------------

// No avatar window exists yet.
void CZrPlaceLink::SetOwnMark(bool) {}

// The saved position of the settings while it is in use; no position else,
// as no avatar window stands on the page.
CZrPosition CZrPlaceLink::GetAvatarPosition() const {
  if (!m_usesSavedPosition) return CZrPosition();
  uint16_t x = 0;
  uint16_t y = 0;
  if (!PositionValue(ReadSetting(kSavedXKey, CPlace::kNoSavedPosition), x) ||
      !PositionValue(ReadSetting(kSavedYKey, CPlace::kNoSavedPosition), y))
    return CZrPosition();
  return CZrPosition::XY(x, y);
}

// ---- Chat ---------------------------------------------------------------------

void CZrPlaceLink::ShowSay(const CZrObject& sender, const std::string& text) { m_app.Chat().ShowSay(sender, text); }

void CZrPlaceLink::SetWordList(const std::vector<std::string>& words) { m_app.Chat().SetWordList(words); }

// ---- Voice ------------------------------------------------------------------

void CZrPlaceLink::StopVoiceSession() { m_app.Voice().Stop(); }

void CZrPlaceLink::StartVoiceSession() {
  const CPlace* place = m_app.GetRootPlace();
  const CZrPerson* myself = m_app.GetMyself();
  if (!place || !myself) return;
  VoiceStartFacts facts;
  facts.auditorium = place->IsAuditorium();
  facts.insidePlace = place->IsInRootPlace();
  facts.voiceEnabled = m_app.Settings().m_voiceEnabled != 0;
  m_app.Voice().Start(facts, VoiceConference{m_pageUrl, place->GetId(), myself->GetId()});
}

void CZrPlaceLink::ClearVoiceSpeaker() { m_app.Voice().ClearSpeakers(); }

void CZrPlaceLink::SetSpeakerLevel(int32_t level) { m_app.Voice().SetSpeakerLevel(level); }

void CZrPlaceLink::ShowTranscript(const std::string&) {}
void CZrPlaceLink::OpenInvitation(const std::string& place, const std::string& from) {
  if (CAuditoriumEvents* events = m_app.Events()) events->OnInvitation(from, place);
}

void CZrPlaceLink::CloseVoteDialog() {
  if (CAuditoriumEvents* events = m_app.Events()) events->CloseVote();
}

void CZrPlaceLink::OnEventAnnouncement(const std::string& text) {
  if (CAuditoriumEvents* events = m_app.Events()) events->OnAnnouncement(text);
}

void CZrPlaceLink::SetWelcomePicture(const CTvlBlob& picture) {
  if (CAuditoriumEvents* events = m_app.Events()) events->OnWelcomePicture(picture.Bytes(), picture.Length());
}

std::string CZrPlaceLink::EventKindName(int number) const {
  CAuditoriumEvents* events = m_app.Events();
  return events ? events->KindName(number) : std::string();
}

void CZrPlaceLink::OpenVote(const std::string& definition) {
  if (CAuditoriumEvents* events = m_app.Events()) events->OnVoteDefinition(definition);
}

void CZrPlaceLink::SendSlide(const std::string& text) {
  CVistaplexLink partner;
  partner.Send(text);
}
// A broadcast goes where its target code says: the "What's Hot" page, the
// promotion over the page, the people page's panel.
void CZrPlaceLink::ShowBroadcast(const CBroadcastInfo& record) {
  const CBroadcastRoute route = BroadcastRecord::Route(record);
  if (route.page) ShowBroadcastOnPage(m_app, record);
  if (route.promotion) m_app.Promotions().Show(record);
  if (!route.panel) return;
  if (CPplManager* people = m_app.GetPeopleManager()) people->ShowBroadcast(record);
}

void CZrPlaceLink::OnWhisperFailed(uint32_t target, uint32_t code) {
  m_app.Whispers().Ims().List().OnSendFailed(target, code);
  if (CTransfers* transfers = m_app.Transfers()) transfers->OnDeliveryFailed(target, code);
}
// In an auditorium, the seat report of a row goes to an open seat map only.
void CZrPlaceLink::ForwardPair(uint32_t kind, const CZrObjectDesc& answer) {
  CAuditoriumEvents* events = m_app.Events();
  if (kind == kSeatReport && m_app.IsAuditorium() && events && events->SeatMapOpen()) {
    events->OnSeatReport(answer.id, SeatedMembersOf(answer));
    return;
  }
  if (CPplManager* people = m_app.GetPeopleManager()) people->ForwardPair(kind, answer);
}

// The members of a row's description with their seats.
std::vector<AuditoriumSeating::SeatedMember> CZrPlaceLink::SeatedMembersOf(const CZrObjectDesc& row) {
  std::vector<AuditoriumSeating::SeatedMember> members;
  for (const auto& member : row.members) {
    if (member) members.push_back({member->id, member->name, member->position.GetId()});
  }
  return members;
}

// No window asks for person descriptions yet: none takes the answer.
void CZrPlaceLink::OnPlaceList(uint32_t first, uint32_t count, bool allPlaces, uint32_t total, uint32_t people,
                               uint32_t observers, const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) {
  m_app.Places().OnPlaceList(CPlaceResultPages::Answer{first, count, allPlaces, total, people, observers}, places);
}

// The look-up of a Send Instant Message dialog, the locate dialog and a
// page interaction take the answer to their own request.
bool CZrPlaceLink::OfferPersonDescription(uint32_t id, const std::string&,
                                          const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) {
  if (m_app.Whispers().Ims().OfferLookupReply(id, persons)) return true;
  CLocateDlg* locate = CLocateDlg::Current();
  if (locate && locate->TakeResults(id, persons)) return true;
  return m_app.Interactions().OfferLookupReply(id, persons);
}

// ---- DDE session ----------------------------------------------------------
// The notices go to the session while it exists; game data goes to the game
// too.

void CZrPlaceLink::PostConnectCommunity() {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostConnectCommunity();
}

void CZrPlaceLink::PostDisconnectCommunity(uint32_t stringId) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostDisconnectCommunity(stringId);
}

void CZrPlaceLink::PostNavigate() {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostNavigate();
}

void CZrPlaceLink::PostQueryPlaces(const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostQueryPlaces(places);
}

void CZrPlaceLink::PostMessageItem(uint32_t sender, const std::string& name, const std::string& text,
                                   const CTvlBlob& payload, uint32_t itemType) {
  if (CDdeSession* session = m_app.GetDdeSession())
    session->PostSay(sender, name, text, BytesOf(payload), itemType);
}

void CZrPlaceLink::SendGameData(uint32_t sender, const std::string& name, const std::string& text,
                                const CTvlBlob& payload, uint32_t first, uint32_t second) {
  if (CDdeSession* session = m_app.GetDdeSession())
    session->PostSend(sender, name, text, BytesOf(payload), first, second);
  if (CGames* games = m_app.Games()) games->OnGameData(sender, name, text, payload, first, second);
}

void CZrPlaceLink::ForwardGameData(uint32_t sender, uint32_t kind, uint32_t code, const std::string& text,
                                   const CTvlBlob& payload) {
  if (CGames* games = m_app.Games()) games->OnServiceData(sender, kind, code, text, payload);
}

// ---- Browser frame --------------------------------------------------------

void CZrPlaceLink::SetTitle(const std::string& title) {
  if (CSpyWnd* frame = m_app.PageFrame().GetFrame()) frame->SetTitle(title);
}

void CZrPlaceLink::Layout() {
  if (CSpyWnd* frame = m_app.PageFrame().GetFrame()) frame->Layout();
}

// The address becomes the page that the place enters on connect, and the
// page frame shows it as a page the place has entered already. There is no
// reset page: an empty address keeps the page.
void CZrPlaceLink::ShowPage(const std::string& url) {
  if (url.empty()) return;
  m_pageUrl = url;
  if (CSpyWnd* frame = m_app.PageFrame().GetFrame()) frame->Navigate(url, true);
}

// The frame goes there as to a page followed already: the place's page
// stays the one the user entered, shown again when the tour is left.
void CZrPlaceLink::FollowGuidePage(const std::string& url) {
  if (CSpyWnd* frame = m_app.PageFrame().GetFrame()) frame->Navigate(url, true);
}

void CZrPlaceLink::OnConnectFailed(int32_t reason) {
  if (CPlace* place = m_app.GetRootPlace()) place->OnConnectFailed(reason);
}

// ---- Community items ------------------------------------------------------

void CZrPlaceLink::SetCommunityText(uint16_t code, const std::string& text) { m_texts[code] = text; }

// True when the list named no page, so that the service's own pages fill
// the menu.
bool CZrPlaceLink::ReloadServiceLinks() {
  return m_app.LoadLinksMenu(GetCommunityText(kServiceLinksText));
}

void CZrPlaceLink::BuildServiceLinksMenu() { m_app.BuildServiceLinksMenu(); }

// No browser view exists whose reset page this would be.
std::string CZrPlaceLink::GetResetUrl() const { return std::string(); }

// ---- Person states --------------------------------------------------------

// An ignored person is not heard in the voice conference either.
void CZrPlaceLink::ShowIgnoreState(uint32_t person, int32_t state) { m_app.Voice().IgnoreMember(person, state != 0); }

std::unique_ptr<IPersonDialog> CZrPlaceLink::CreateSendImDlg(uint32_t person, const std::string& name) {
  auto dialog = std::make_unique<CSendImDlg>(m_app, person, name);
  if (!dialog->Open()) return nullptr;
  return dialog;
}
