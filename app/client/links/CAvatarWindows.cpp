#include "CAvatarWindows.h"

#include <windows.h>

#include "CAuditoriumEvents.h"
#include "CCmdUI.h"
#include "CChatWnd.h"
#include "CClientPlace.h"
#include "CClientRoom.h"
#include "CGameWnd.h"
#include "CGroupWnd.h"
#include "CMyselfClient.h"
#include "CMyselfWnd.h"
#include "CPersonClient.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CPplManager.h"
#include "CPresenceWnd.h"
#include "CSeatRowWnd.h"
#include "CSpyWnd.h"
#include "CTourWnd.h"
#include "CTransfers.h"
#include "GroupLayout.h"
#include "CZrApp.h"
#include "Picture.h"
#include "ZrItem.h"
#include "ZrKind.h"
#include "ZrPerson.h"
#include "resource.h"

namespace {

constexpr uint32_t kStrIgnored = 466;
constexpr uint32_t kStrEnterRoom = 395;
constexpr uint32_t kStrEndTour = 401;
constexpr uint32_t kStrLeaveTour = 402;
constexpr uint32_t kStrParticipate = 349;
// What a person on an auditorium's stage cannot be offered: the stage takes
// part in the event only through PARTICIPATE.
constexpr UINT kNotOnStage[] = {ID_PERSON_SEND_IM, ID_PERSON_ALERT, ID_PERSON_IGNORE,
                                ID_EJECT_FROM_TOUR, ID_PERSON_CALL, ID_PERSON_SEND_FILE};
// A move that the server carries out for the user.
constexpr uint32_t kMoveMode = 1;

struct MoodCommand {
  UINT id;
  int32_t mood;
};
constexpr MoodCommand kMoodCommands[] = {
    {ID_MOOD_NORMAL, 1}, {ID_MOOD_HAPPY, 2}, {ID_MOOD_ANGRY, 3}, {ID_MOOD_SAD, 4}};

int32_t MoodOf(UINT id) {
  for (const MoodCommand& command : kMoodCommands) {
    if (command.id == id) return command.mood;
  }
  return 0;
}

bool HasItem(HMENU menu, UINT id) { return ::GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1); }

}  // namespace

CAvatarWindows::CAvatarWindows(CZrApp& app) : m_app(app), m_sizes(MakeAvatarSizes(false, 768)) {}

CAvatarWindows::~CAvatarWindows() { DestroyAll(); }

void CAvatarWindows::InitMetrics(bool bigAvatars) {
  m_sizes = MakeAvatarSizes(bigAvatars, ::GetSystemMetrics(SM_CYSCREEN));
}

void CAvatarWindows::Create(CZrPerson& person) {
  Destroy(person);
  CWnd* place = GetPlaceWnd();
  if (!place) return;
  auto* window = new CPresenceWnd(person, *this);
  const RECT rect{0, 0, m_sizes.avatar.width, m_sizes.avatar.height};
  if (!window->CreateMemberWindow(place, rect)) {
    delete window;
    return;
  }
  m_windows[&person] = window;
  window->UpdateVisibility(true);
}

CPresenceWnd* CAvatarWindows::Find(const CZrPerson& person) const {
  const auto found = m_windows.find(&person);
  return found == m_windows.end() ? nullptr : found->second;
}

void CAvatarWindows::Destroy(CZrPerson& person) {
  const auto found = m_windows.find(&person);
  if (found == m_windows.end()) return;
  CPresenceWnd* window = found->second;
  m_windows.erase(found);
  window->SafeDelete();
}

// Persons first: their windows may lie in the group windows.
void CAvatarWindows::DestroyAll() {
  if (m_own) {
    m_own->SafeDelete();
    m_own = nullptr;
  }
  while (!m_windows.empty()) {
    CPresenceWnd* window = m_windows.begin()->second;
    m_windows.erase(m_windows.begin());
    window->SafeDelete();
  }
  while (!m_groups.empty()) {
    CGroupWnd* window = m_groups.begin()->second;
    m_groups.erase(m_groups.begin());
    window->SafeDelete();
  }
  while (!m_rows.empty()) {
    CSeatRowWnd* row = m_rows.begin()->second;
    m_rows.erase(m_rows.begin());
    row->SafeDelete();
  }
}

CGroupWnd* CAvatarWindows::MakeGroupWindow(CZrGroup& group) {
  CWnd* place = GetPlaceWnd();
  const MemberContainer container = ContainerKindOf(&group);
  if (!place || container == MemberContainer::kPlace || container == MemberContainer::kSeatRow) return nullptr;
  CGroupWnd* window = nullptr;
  if (auto* room = dynamic_cast<CClientRoom*>(&group)) {
    room->LoadSlots(UsesBigAvatars());
    window = new CGameWnd(group, *this);
  } else if (container == MemberContainer::kTour) {
    window = new CTourWnd(group, *this);
  } else {
    window = new CGroupWnd(group, *this);
  }
  const RECT rect{0, 0, m_sizes.avatar.width, m_sizes.avatar.height};
  if (!window->CreateMemberWindow(place, rect)) {
    delete window;
    return nullptr;
  }
  m_groups[&group] = window;
  return window;
}

void CAvatarWindows::ShowGroup(CZrGroup& group) {
  if (CMemberWnd* window = GroupWindowFor(group)) window->UpdateVisibility(true);
}

void CAvatarWindows::RelayoutGroup(CZrGroup& group) {
  if (CSeatRowWnd* row = RowWindowOf(group)) {
    row->Relayout(IsOwnGroup(group));
    return;
  }
  if (CMemberWnd* window = FindWindowOf(group)) window->UpdateVisibility(true);
}

void CAvatarWindows::WithdrawGroup(CZrGroup& group) {
  if (CMemberWnd* window = FindWindowOf(group)) window->Withdraw();
}

void CAvatarWindows::RepaintGroup(CZrGroup& group) {
  if (CMemberWnd* window = FindWindowOf(group)) window->Invalidate();
}

void CAvatarWindows::ReleaseMembers(CZrGroup& group) {
  CWnd* place = GetPlaceWnd();
  for (CTvlListIter it = group.Children().Begin(); it.IsValid(); it.Next()) {
    auto* child = it.Get<CZrObject>();
    CMemberWnd* member = child ? FindWindowOf(*child) : nullptr;
    if (!member || !member->GetSafeHwnd()) continue;
    member->ShowWindow(SW_HIDE);
    if (place) ::SetParent(member->GetSafeHwnd(), place->GetSafeHwnd());
  }
}

void CAvatarWindows::DestroyGroup(CZrGroup& group) {
  const auto row = m_rows.find(&group);
  if (row != m_rows.end()) {
    CSeatRowWnd* window = row->second;
    m_rows.erase(row);
    ReleaseMembers(group);
    window->SafeDelete();
  }
  const auto found = m_groups.find(&group);
  if (found == m_groups.end()) return;
  CGroupWnd* window = found->second;
  m_groups.erase(found);
  ReleaseMembers(group);
  window->SafeDelete();
}

// Along the foot of the page, as wide as the page.
void CAvatarWindows::PlaceRow(CSeatRowWnd& row) {
  const AvatarPage page = GetPageArea();
  const AvatarExtent cell = SeatRowCell(page.width, row.SeatCount(), row.CellSize());
  const int32_t height = cell.height + 4;
  ::SetWindowPos(row.GetSafeHwnd(), HWND_TOP, page.left, page.top + page.height - height, page.width, height,
                 SWP_NOACTIVATE);
}

void CAvatarWindows::ShowRow(CZrGroup& group) {
  CSeatRowWnd* row = RowWindowOf(group);
  if (!row) {
    CWnd* place = GetPlaceWnd();
    if (!place || !CClientPlace::IsSeatRow(&group)) return;
    row = new CSeatRowWnd(group, *this);
    if (!row->CreateRow(place)) {
      delete row;
      return;
    }
    m_rows[&group] = row;
  }
  PlaceRow(*row);
  row->Relayout(true);
}

void CAvatarWindows::FreeSeat(CZrGroup& group, uint16_t seat) {
  if (CSeatRowWnd* row = RowWindowOf(group)) row->AddSeat(seat);
}

bool CAvatarWindows::EnsureOwn() {
  if (m_own) return true;
  CWnd* place = GetPlaceWnd();
  CZrPerson* myself = m_app.GetMyself();
  if (!place || !myself) return false;
  auto* own = new CMyselfWnd(*myself, *this);
  const RECT rect{0, 0, m_sizes.avatar.width, m_sizes.avatar.height};
  if (!own->CreateMemberWindow(place, rect)) {
    delete own;
    return false;
  }
  m_own = own;
  return true;
}

void CAvatarWindows::ShowOwn(bool show) {
  if (!show && !m_own) return;
  if (!EnsureOwn()) return;
  const bool wasShown = m_own->IsWindowVisible();
  m_own->SetShown(show);
  ZoomOnChange(wasShown);
}

// A row shows while the user sits in it.
void CAvatarWindows::LayoutOwn() {
  for (auto& [group, row] : m_rows) row->Relayout(IsOwnGroup(*group));
  if (!EnsureOwn()) return;
  const bool wasShown = m_own->IsWindowVisible();
  m_own->ShowMood(m_app.Settings().m_sel);
  m_own->UpdateVisibility(true);
  ZoomOnChange(wasShown);
}

// A change of the own avatar's visibility zooms between it and the
// indicator.
void CAvatarWindows::ZoomOnChange(bool wasShown) {
  const bool shown = m_own->IsWindowVisible();
  CChatWnd* main = m_app.MainFrame();
  if (shown != wasShown && main) main->PostMessage(CChatWnd::kAvatarZoomStep, shown ? 1 : 0);
}

void CAvatarWindows::RedrawAll() {
  for (CWnd* window : m_redrawn) {
    if (window->GetSafeHwnd()) window->Invalidate();
  }
}

CWnd* CAvatarWindows::GetPlaceWnd() const {
  CSpyWnd* frame = m_app.PageFrame().GetFrame();
  return frame && frame->GetSafeHwnd() ? frame : nullptr;
}

AvatarPage CAvatarWindows::GetPageArea() const {
  CSpyWnd* frame = m_app.PageFrame().GetFrame();
  if (!frame) return {0, 0, 0, 0};
  const CSpyWnd::PageArea& area = frame->GetPageArea();
  return {area.left, area.top, area.width, area.height};
}

bool CAvatarWindows::IsPageActive() const { return GetPlaceWnd() != nullptr; }

bool CAvatarWindows::IsIgnored(uint32_t person) const {
  CPersonStateList* states = m_app.GetPersonStateList();
  return states && states->GetState(person) != 0;
}

std::string CAvatarWindows::DisplayNameOf(const CZrObject& person) const {
  return m_app.PlaceLink().DisplayNameOf(person);
}

std::string CAvatarWindows::IgnoredText() const { return LoadText(kStrIgnored); }

HMODULE CAvatarWindows::GetResourceModule() const { return m_app.Resources().Module(); }

CPicture* CAvatarWindows::GetSharedPicture(uint32_t bitmapId) {
  auto found = m_pictures.find(bitmapId);
  if (found == m_pictures.end()) {
    auto picture = std::make_unique<CPicture>();
    if (!picture->LoadResource(GetResourceModule(), bitmapId)) picture.reset();
    found = m_pictures.emplace(bitmapId, std::move(picture)).first;
  }
  return found->second.get();
}

bool CAvatarWindows::IsLocalModerator() const {
  CZrPerson* myself = m_app.GetMyself();
  return myself && ZrKindIsModerator(myself->GetKind());
}

void CAvatarWindows::MoveMyself(uint16_t x, uint16_t y) {
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself())) myself->MoveTo(CZrPosition::XY(x, y));
}

int32_t CAvatarWindows::GetIndicatorState() const { return static_cast<int32_t>(m_app.GetIndicatorState()); }

CWnd* CAvatarWindows::GetMainWnd() const { return m_app.MainFrame(); }

CNameBubble* CAvatarWindows::GetNameBubble() const {
  CChatWnd* main = m_app.MainFrame();
  return main ? main->GetNameBubble() : nullptr;
}

bool CAvatarWindows::IsMyselfInPlainGroup() const {
  CZrPerson* myself = m_app.GetMyself();
  const CZrGroup* parent = myself ? myself->GetParent() : nullptr;
  return parent && dynamic_cast<const CClientPlace*>(parent) && !CClientPlace::IsGame(parent);
}

COLORREF CAvatarWindows::GetColor(uint32_t index) const { return m_app.Resources().GetColor(index); }

void CAvatarWindows::OnAvatarWithdrawn() {
  m_app.PlaceLink().StopVoiceSession();
  m_app.PlaceLink().ClearVoiceSpeaker();
}

void CAvatarWindows::MoveGroup(const CZrObject& group, uint16_t x, uint16_t y) {
  CPlace* root = m_app.GetRootPlace();
  if (!root || !root->GetRoom()) return;
  root->Request(const_cast<CZrObject&>(group), root->GetRoom()->GetId(), CZrPosition::XY(x, y), kMoveMode);
}

CMemberWnd* CAvatarWindows::FindWindowOf(const CZrObject& member) const {
  if (m_own && &m_own->GetMember() == &member) return m_own;
  if (const auto* person = dynamic_cast<const CZrPerson*>(&member)) return Find(*person);
  const auto found = m_groups.find(&member);
  return found == m_groups.end() ? nullptr : found->second;
}

CMemberWnd* CAvatarWindows::GroupWindowFor(const CZrObject& group) {
  if (CMemberWnd* window = FindWindowOf(group)) return window;
  auto* zrGroup = const_cast<CZrObject&>(group).AsGroup();
  if (!zrGroup) return nullptr;
  CGroupWnd* window = MakeGroupWindow(*zrGroup);
  if (window) window->UpdateVisibility(true);
  return window;
}

MemberContainer CAvatarWindows::ContainerKindOf(const CZrObject* container) const {
  if (!container || container->IsRoot() || container->IsRoom() || container->IsCorridor())
    return MemberContainer::kPlace;
  if (CClientPlace::IsSeatRow(container)) return MemberContainer::kSeatRow;
  if (CClientPlace::IsGame(container)) return MemberContainer::kGame;
  if (CClientPlace::IsLedGroup(container)) return MemberContainer::kTour;
  return MemberContainer::kSideBySide;
}

void CAvatarWindows::PreparePersonMenu(HMENU menu, const CZrObject& person) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->PreparePersonMenu(menu, person.GetId());
  // Retrieve Picture: for a person whose own picture has not arrived.
  const bool missing = person.GetInfo().Member()->DataFlag() != 0 && !person.GetInfo().Member()->GetData();
  ::EnableMenuItem(menu, CTourWnd::kCmdRetrievePicture, MF_BYCOMMAND | (missing ? MF_ENABLED : MF_GRAYED));
  CPlace* root = m_app.GetRootPlace();
  if (root && root->IsAuditorium() && ContainerKindOf(person.GetParent()) == MemberContainer::kPlace)
    OfferParticipateOnly(menu);
}

// PARTICIPATE takes the place of the person-to-person items, before the
// moderators' items (which follow a separator); it is enabled once the event
// has announced its kinds of participation.
void CAvatarWindows::OfferParticipateOnly(HMENU menu) {
  for (UINT id : kNotOnStage) ::DeleteMenu(menu, id, MF_BYCOMMAND);
  int position = 0;
  const int count = ::GetMenuItemCount(menu);
  while (position < count && !(::GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR)) ++position;
  CAuditoriumEvents* events = m_app.Events();
  const UINT enabled = events && events->HasKinds() ? MF_ENABLED : MF_GRAYED;
  ::InsertMenuA(menu, position, MF_BYPOSITION | MF_STRING | enabled, ID_PERSON_PARTICIPATE,
                m_app.PlaceLink().LoadText(kStrParticipate).c_str());
}

void CAvatarWindows::RunPersonCommand(UINT command, const CZrObject& person) {
  if (command == ID_PERSON_PARTICIPATE) {
    if (CAuditoriumEvents* events = m_app.Events()) events->OpenParticipate();
    return;
  }
  if (command == CTourWnd::kCmdRetrievePicture) {
    if (CPlace* root = m_app.GetRootPlace()) root->RequestPicture(const_cast<CZrObject&>(person));
    return;
  }
  if (CPplManager* people = m_app.GetPeopleManager()) people->RunPersonCommand(command, person.GetId());
  if (CPresenceWnd* window = dynamic_cast<CPresenceWnd*>(FindWindowOf(person))) window->Invalidate();
}

void CAvatarWindows::SendDroppedFile(const CZrObject& person, const std::string& path) {
  if (CTransfers* transfers = m_app.Transfers()) transfers->StartSend(person.GetId(), DisplayNameOf(person), path);
}

bool CAvatarWindows::IsOwnGroup(const CZrObject& group) const {
  CZrPerson* myself = m_app.GetMyself();
  return myself && myself->GetParent() == &group;
}

// The tour's own join item reads what joining means for the user: end the
// tour for its guide, back to the room for the others.
void CAvatarWindows::PrepareGroupMenu(HMENU menu, const CZrObject& group) {
  if (HasItem(menu, CTourWnd::kCmdJoinTour) && IsOwnGroup(group)) {
    const uint32_t text = m_app.GetTourRole() == CZrApp::GroupRole::kHost ? kStrEndTour : kStrLeaveTour;
    ::ModifyMenuA(menu, CTourWnd::kCmdJoinTour, MF_BYCOMMAND | MF_STRING, CTourWnd::kCmdJoinTour,
                  m_app.PlaceLink().LoadText(text).c_str());
  }
  const int32_t indicator = GetIndicatorState();
  const bool ready = indicator == 1 || indicator == 2;
  ::EnableMenuItem(menu, CTourWnd::kCmdJoinTour, MF_BYCOMMAND | (ready ? MF_ENABLED : MF_GRAYED));
  const bool missing = group.GetInfo().Member()->DataFlag() != 0 && !group.GetInfo().Member()->GetData();
  ::EnableMenuItem(menu, CTourWnd::kCmdRetrievePicture, MF_BYCOMMAND | (missing ? MF_ENABLED : MF_GRAYED));
}

void CAvatarWindows::RunGroupCommand(UINT command, const CZrObject& group) {
  if (command == CTourWnd::kCmdRetrievePicture) {
    if (CPlace* root = m_app.GetRootPlace()) root->RequestPicture(const_cast<CZrObject&>(group));
    return;
  }
  if (command != CTourWnd::kCmdJoinTour) return;
  const int32_t indicator = GetIndicatorState();
  if (indicator != 1 && indicator != 2) return;
  if (IsOwnGroup(group)) {
    LeaveOwnGroup(group);
  } else {
    JoinGroup(group);
  }
}

// Back to the room where the group stands; a guide who leaves ends the
// tour.
void CAvatarWindows::LeaveOwnGroup(const CZrObject& group) {
  auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself());
  if (!myself) return;
  const CZrPosition& position = group.GetPosition();
  myself->MoveTo(position.IsXY() ? position : m_app.PlaceLink().GetAvatarPosition());
}

void CAvatarWindows::JoinGroup(const CZrObject& group) {
  CPlace* root = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  if (!root || !myself || IsOwnGroup(group)) return;
  root->Request(*myself, group.GetId(), CZrPosition(), kMoveMode);
}

void CAvatarWindows::StartGroupWith(const CZrObject& person) {
  auto* other = dynamic_cast<CPersonClient*>(const_cast<CZrObject*>(&person));
  if (other && !IsIgnored(person.GetId())) other->BuildPairText();
}

void CAvatarWindows::PrepareOwnMenu(HMENU menu) {
  if (CChatWnd* main = m_app.MainFrame()) main->PrepareOwnAvatarMenu(menu);
}

void CAvatarWindows::RunOwnCommand(UINT command) {
  if (CChatWnd* main = m_app.MainFrame()) main->SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void CAvatarWindows::PublishOwnItem(uint16_t code, const std::string& text) {
  CPlace* root = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  if (root && myself) root->PutItem(*myself, CZrItem::Text(code, text));
}

void CAvatarWindows::UpdateCommand(UINT id, CCmdUI* ui) {
  if (const int32_t mood = MoodOf(id)) ui->SetCheck(m_app.Settings().m_sel == mood ? 1 : 0);
  // Showing and hiding the avatars is not offered here.
  if (id == ID_SHOW_AVATARS) ui->Enable(false);
}

// The mood is kept in the settings even while the own avatar is not shown.
void CAvatarWindows::RunCommand(UINT id) {
  if (const int32_t mood = MoodOf(id)) {
    m_app.Settings().m_sel = mood;
    if (EnsureOwn()) m_own->SetMood(mood);
  } else if (id == ID_FLIP_HORIZONTAL || id == ID_FLIP_VERTICAL) {
    if (EnsureOwn()) m_own->SetFlip(id == ID_FLIP_HORIZONTAL ? 0 : 1);
  }
}

const std::vector<CSlotAttr>* CAvatarWindows::GameSlotsOf(const CZrObject& game) const {
  const auto* room = dynamic_cast<const CClientRoom*>(&game);
  return room && room->HasSlots() ? &room->Slots() : nullptr;
}

bool CAvatarWindows::UsesBigAvatars() const { return m_app.Settings().m_bigFaces != 0; }

void CAvatarWindows::JoinGame(const CZrObject& game, uint16_t slot) {
  CPlace* root = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  if (!root || !myself) return;
  if (IsOwnGroup(game)) {
    LeaveOwnGroup(game);
    return;
  }
  root->Request(*myself, game.GetId(), slot ? CZrPosition::Seat(slot) : CZrPosition(), kMoveMode);
}

const CZrObject* CAvatarWindows::GetOwnMember() const { return m_app.GetMyself(); }

CSeatRowWnd* CAvatarWindows::RowWindowOf(const CZrObject& row) const {
  const auto found = m_rows.find(&row);
  return found == m_rows.end() ? nullptr : found->second;
}

void CAvatarWindows::ChooseSeat(const CZrObject& row, uint16_t seat) {
  CPlace* root = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  const int32_t indicator = GetIndicatorState();
  if (!root || !myself || (indicator != 1 && indicator != 2)) return;
  root->Request(*myself, row.GetId(), CZrPosition::Seat(seat), kMoveMode);
}

// An auditorium's rows stand in its audience, where the user goes back to;
// elsewhere the user goes back to the room.
void CAvatarWindows::LeaveRow(const CZrObject& row) {
  auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself());
  if (!myself || !IsOwnGroup(row)) return;
  if (m_app.IsAuditorium()) {
    myself->Leave();
  } else {
    LeaveOwnGroup(row);
  }
}

std::string CAvatarWindows::LoadText(uint32_t id) const { return m_app.PlaceLink().LoadText(id); }

void CAvatarWindows::PaintBalloonTails(HWND window, HDC dc) {
  if (CChatWnd* main = m_app.MainFrame()) main->Balloons().PaintTails(window, dc);
}
