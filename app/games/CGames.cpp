#include "CGames.h"

#include "CClientPlace.h"
#include "CCmdUI.h"
#include "CGameDetailsDlg.h"
#include "CGameListDlg.h"
#include "CGamesRegistry.h"
#include "CMyselfClient.h"
#include "CPlace.h"
#include "GameGroupRecord.h"
#include "ModuleState.h"
#include "ZrGroup.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"
#include "ZrKind.h"
#include "ZrPerson.h"
#include "resource.h"

namespace {

constexpr UINT kPossessiveString = 528;  // "'s "
constexpr uint16_t kServerItem = kGameServerItem;

uint16_t ClassOf(const CZrObject& person) { return static_cast<uint16_t>(ZrKindLow7(person.GetKind())); }

bool IsPerson(const CZrObject& object) { return object.HasBit8(); }

// Every person of the subtree, depth first in children order.
void CollectPersons(CZrObject& object, std::vector<CZrObject*>& persons) {
  if (IsPerson(object)) persons.push_back(&object);
  const CZrGroup* group = object.AsGroup();
  if (!group) return;
  for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next())
    CollectPersons(*it.Get<CZrObject>(), persons);
}

std::string BytesOf(const CTvlBlob& blob) {
  return blob.Length() ? std::string(reinterpret_cast<const char*>(blob.Bytes()), blob.Length()) : std::string();
}

uint32_t ParentIdOf(const CZrObject& object) { return object.GetParent() ? object.GetParent()->GetId() : 0; }

}  // namespace

CGames::CGames(Program program) : m_program(std::move(program)), m_session(*this) {}

CGames::~CGames() { m_session.Release(); }

CMyselfClient* CGames::Myself() const {
  CPlace* place = m_program.rootPlace();
  return place ? dynamic_cast<CMyselfClient*>(place->GetMyself()) : nullptr;
}

bool CGames::InGame() const {
  const CMyselfClient* myself = Myself();
  return myself && CClientPlace::IsGame(myself->GetParent());
}

// ---- The user's command ---------------------------------------------------

void CGames::UpdateCommand(UINT id, CCmdUI* ui) {
  if (id != ID_START_GAME) ui->Enable(false);
}

void CGames::RunCommand(UINT id) {
  if (id == ID_START_GAME) StartOrLeave();
}

void CGames::StartOrLeave() {
  CMyselfClient* myself = Myself();
  if (!myself) return;
  if (InGame()) {
    myself->Leave();
    return;
  }
  if (!ChooseGame()) return;
  CZrGroupInfo record;
  if (!DescribeGroup(record)) return;
  myself->StartGame(record);
}

bool CGames::ChooseGame() {
  CGameListDlg dialog(m_program.dialogParent());
  const int answer = m_program.runModal([&dialog] { return static_cast<int>(dialog.DoModal()); });
  return answer == IDOK && m_session.CreateServer(dialog.GetServerClass());
}

bool CGames::DescribeGroup(CZrGroupInfo& record) {
  m_session.GetGameDetails();
  const CGameInfo& info = m_session.Info();
  CMyselfClient* myself = Myself();
  CGameDetailsDlg dialog(m_program.dialogParent(), CGameDetailsDlg::Mode::kNewGroup);
  dialog.m_name = (myself ? myself->GetName() : std::string()) + AfxLoadString(kPossessiveString) + info.name;
  dialog.m_players = info.minPlayers;
  dialog.m_minPlayers = info.minPlayers;
  dialog.m_maxPlayers = info.maxPlayers;
  dialog.m_goTo = m_program.goTo;
  const int answer = m_program.runModal([&dialog] { return static_cast<int>(dialog.DoModal()); });
  if (answer != IDOK) {
    m_session.EndGame();
    m_session.Release();
    return false;
  }
  int width = 0, height = 0;
  if (!info.logo.empty() && !m_program.measurePicture(info.logo, width, height)) width = height = 0;
  const GameGroupChoice choice{dialog.m_name, static_cast<uint16_t>(dialog.m_players), dialog.m_comment};
  FillGameGroupRecord(record, info, choice, m_session.GetServerClass(), width, height);
  m_session.Info().logo.clear();
  return true;
}

bool CGames::JoinGame(const CZrObject& group, uint16_t seat) {
  const CZrItem* server = group.GetInfo().Items().Find(kServerItem);
  CMyselfClient* myself = Myself();
  if (!myself || !server || !CGamesRegistry::LookupGame(server->GetText())) return false;
  if (m_session.GetServerClass() != server->GetText() || !m_session.IsBound()) {
    if (!m_session.CreateServer(server->GetText())) return false;
  }
  myself->JoinGame(group, seat);
  return true;
}

// ---- Group events ---------------------------------------------------------

void CGames::OnGroupStarted(CZrGroup& group, CZrPerson& starter) {
  const CMyselfClient* myself = Myself();
  if (!CClientPlace::IsGame(&group) || &starter != myself) return;
  const auto* info = dynamic_cast<const CZrGroupInfo*>(&group.GetInfo());
  m_session.StartGame(group.GetId(), group.GetName(), starter.GetId(), starter.GetName(), group.GetKind(),
                      info ? info->GetCapacity() : 0, ParentIdOf(group));
}

void CGames::OnMemberJoined(CZrPerson& person, CZrGroup& group) {
  if (!CClientPlace::IsGame(&group)) return;
  m_session.JoinGroup(group.GetId(), group.GetName(), person.GetId(), ParentIdOf(group),
                      person.GetPosition().GetId(), person.GetName());
}

void CGames::OnMemberLeft(CZrPerson& person, CZrGroup& group) {
  if (!CClientPlace::IsGame(&group)) return;
  m_session.LeaveGroup(group.GetId(), group.GetName(), person.GetId(), person.GetName());
  if (&person == Myself()) m_session.Release();
}

void CGames::OnGroupBroken(CZrGroup& group) {
  if (CClientPlace::IsGame(&group)) m_session.Release();
}

void CGames::OnGameData(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
                        uint32_t first, uint32_t second) {
  m_session.Send(sender, name, static_cast<uint16_t>(first), payload.Length(), static_cast<uint16_t>(second), text,
                 BytesOf(payload));
}

void CGames::OnServiceData(uint32_t sender, uint32_t userClass, uint32_t code, const std::string& text,
                           const CTvlBlob& payload) {
  m_session.SendFromService(sender, static_cast<uint16_t>(userClass), code, text, BytesOf(payload), 0);
}

// ---- The game's calls -----------------------------------------------------

// The program has no consumer of game events yet: they are dropped.
void CGames::DispatchGameEvent(std::unique_ptr<GameEvent>) {}

// A member of the connection's member table (a service) gets a member
// request of the kind. A player has no entry there: the data goes to the
// player as application data addressed to its person, which its client
// hands to its own game.
void CGames::SendToMember(uint32_t member, uint32_t kind, const std::string& text, const std::string& data) {
  CPlace* place = m_program.rootPlace();
  if (!place) return;
  const CTvlBlob blob(static_cast<uint32_t>(data.size()), reinterpret_cast<const uint8_t*>(data.data()));
  if (place->FindMemberOfSession(member)) {
    place->SendMemberRequest(0, member, static_cast<uint16_t>(kind), text, blob);
  } else if (CZrObject* person = place->FindById(member); person && IsPerson(*person)) {
    place->RequestMove(*person, CPlace::kSayApplicationData, text, blob);
  }
}

// One EnumMembers call per member of the place that holds the member; the
// count goes back in the high 16 bits.
long CGames::EnumerateMembers(uint32_t member, long) {
  CPlace* place = m_program.rootPlace();
  CZrObject* found = place ? place->FindById(member) : nullptr;
  if (!found || !found->GetParent()) return 0;
  std::vector<CZrObject*> persons;
  CollectPersons(*found->GetParent(), persons);
  uint32_t index = 0;
  for (CZrObject* person : persons) {
    m_session.EnumMembers(index++, 1, person->GetId(), person->GetName(), static_cast<uint16_t>(person->GetKind()),
                          person->GetPosition().GetId(), 0);
  }
  return static_cast<long>(index << 16);
}

std::vector<GameMember> CGames::GameMembers() {
  std::vector<GameMember> members;
  CPlace* place = m_program.rootPlace();
  if (!place) return members;
  std::vector<CZrObject*> persons;
  CollectPersons(*place, persons);
  for (CZrObject* person : persons) members.push_back({person->GetId(), ClassOf(*person)});
  return members;
}

bool CGames::MemberIdentity(uint32_t member, std::array<std::string, 4>& texts) {
  CPlace* place = m_program.rootPlace();
  CZrObject* found = place ? place->FindById(member) : nullptr;
  auto* person = dynamic_cast<CZrPerson*>(found);
  if (!person) return false;
  const CZrPersonInfo& info = person->GetPersonInfo();
  texts = {person->GetName(), info.GetFullName(), info.GetLocation(), info.GetEmail()};
  return true;
}

std::string CGames::PlaceName() {
  CPlace* place = m_program.rootPlace();
  return place ? place->GetName() : std::string();
}

uint32_t CGames::OwnGameId() {
  const CMyselfClient* myself = Myself();
  return myself ? myself->GetId() : 0;
}

// Game states and the forwarding to group and member places have no
// receiver in the program yet.
void CGames::SetGameState(long) {}

void CGames::ForwardToGroup(uint32_t, long) {}

void CGames::ForwardToMember(uint32_t, const std::array<long, 4>&) {}
