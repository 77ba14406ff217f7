#include "CPeopleList.h"

#include <algorithm>

#include "CDC.h"
#include "CPeoplePage.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "IPeopleHost.h"
#include "ModuleState.h"
#include "ZrGroup.h"
#include "ZrObject.h"
#include "ZrPerson.h"
#include "ZrObjectDesc.h"

namespace {

constexpr UINT kGuestText = 32867;
constexpr UINT kTourText = 444;
constexpr UINT kGameText = 446;
constexpr UINT kGroupText = 464;
// Row icons of the resource library.
constexpr UINT kTourIcon = 275;
constexpr UINT kPersonIcon = 276;
constexpr UINT kOwnIcon = 277;
constexpr UINT kOneOnOneIcon = 279;
constexpr UINT kSeatRowIcon = 356;
constexpr UINT kGameIcon = 440;
// Voice states of a person row: silent (the local user's own), speaking.
constexpr UINT kVoiceSilentIcon = 798;
constexpr UINT kVoiceOwnSilentIcon = 797;
constexpr UINT kVoiceSpeakingIcon = 799;
constexpr int32_t kIconWidth = 16;
constexpr uint32_t kOwnColor = 5;
constexpr COLORREF kIgnoredColor = RGB(255, 0, 0);
// Posted to the list's window to run the pass that arrivals asked for.
constexpr UINT kSyncMessage = WM_APP + 0x150;

}  // namespace

CPeopleList::CPeopleList(CPeoplePage& page) : m_page(page) {
  m_rootSpecial = CPeopleItem::Label(AfxLoadString(people::kTextOtherObservers, "Other Observers"), nullptr);
}

CPeopleList::~CPeopleList() { RemoveAll(false); }

void CPeopleList::SetContext(CPlace* root, CPersonStateList* states, IPeopleHost* host) {
  m_root = root;
  m_states = states;
  m_host = host;
}

bool CPeopleList::Create(CWnd* parent, const RECT& rect) {
  return COutlineCtrl::Create(parent, kListId, false, 0, rect);
}

// ---- Rows and the place ---------------------------------------------------------

bool CPeopleList::IsConnected() const { return m_root && m_root->IsConnected(); }

bool CPeopleList::IsUserInside() const {
  if (!m_root || !m_root->GetRoom()) return false;
  CZrPerson* myself = m_root->GetMyself();
  return myself && myself->GetId() != 0 && myself->IsInside(m_root->GetRoom());
}

bool CPeopleList::IsAuditorium() const { return m_root && people::IsAuditoriumPlace(m_root->GetKind()); }

bool CPeopleList::IsIgnored(uint32_t id) const {
  return m_states && id != 0 && m_states->GetState(id) != 0;
}

bool CPeopleList::IsOwnObject(const CPeopleItem& item) const {
  if (item.listMade || !m_root) return false;
  CZrPerson* myself = m_root->GetMyself();
  return people::IsOwnKind(item.kind) || (myself && myself->GetId() != 0 && myself->GetId() == item.id);
}

std::string CPeopleList::DisplayNameOf(const std::string& nickname) const {
  return people::DisplayName(nickname, AfxLoadString(kGuestText, "Guest"));
}

CZrObject* CPeopleList::ObjectOf(const CPeopleItem& item) const {
  if (item.listMade || !m_root || !m_root->IsConnected()) return nullptr;
  if (item.kind == people::kRoomKind) return m_root->GetRoom();
  if (item.kind == people::kCorridorKind) return m_root->GetCorridor();
  if (item.id == 0 || item.id == m_leaving) return nullptr;
  return m_root->FindById(item.id);
}

CPeopleItem* CPeopleList::FindPersonRow(uint32_t id) {
  for (const auto& item : m_items) {
    if (!item->listMade && item->id == id && FindNode(item.get())) return item.get();
  }
  return nullptr;
}

void CPeopleList::Rebuild(bool full) {
  m_leaving = 0;
  if (full) {
    m_observersRequested = false;
    if (List().m_hWnd) List().EnableWindow(true);
    RemoveAll(false);
  }
  Sync();
}

void CPeopleList::AddPerson(CZrObject&) { ScheduleSync(); }

void CPeopleList::UpdatePerson(CZrObject&) { ScheduleSync(); }

void CPeopleList::ScheduleSync() {
  if (m_syncPosted) return;
  if (!m_hWnd || !PostMessage(kSyncMessage)) {
    Sync();
    return;
  }
  m_syncPosted = true;
}

LRESULT CPeopleList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kSyncMessage) return COutlineCtrl::WindowProc(message, wParam, lParam);
  m_syncPosted = false;
  Sync();
  return 0;
}

void CPeopleList::ChangePerson(CZrObject& object) {
  if (CPeopleItem* row = FindPersonRow(object.GetId())) DeleteItem(row, false);
  Sync();
}

void CPeopleList::RemovePerson(CZrObject& object) {
  m_leaving = object.GetId();
  Sync();
  m_leaving = 0;
}

// Rows whose object went, moved, was renamed or changed its ignore state go;
// then every expanded row gets the rows of its members that it lacks.
void CPeopleList::Sync() {
  m_syncPosted = false;
  std::vector<COutlineNode*> stale;
  PruneStale(Root(), stale);
  for (COutlineNode* node : stale) DeleteNode(node, false);
  if (IsConnected()) {
    COutlineNode* room = AddHeader(*m_root->GetRoom());
    COutlineNode* corridor = AddHeader(*m_root->GetCorridor());
    if (room) AddMembers(room, *m_root->GetRoom());
    if (corridor) AddMembers(corridor, *m_root->GetCorridor());
    if (!IsAuditorium()) AddRootSpecial();
  } else {
    // Without a connection only the rows the list made stay.
    std::vector<COutlineNode*> live;
    for (const auto& child : Root()->children) {
      if (!Item(child.get())->listMade) live.push_back(child.get());
    }
    for (COutlineNode* node : live) DeleteNode(node, false);
  }
  Refresh();
}

void CPeopleList::PruneStale(COutlineNode* node, std::vector<COutlineNode*>& stale) {
  for (const auto& child : node->children) {
    CPeopleItem* item = Item(child.get());
    if (!item->listMade && IsStale(*item, *child)) {
      stale.push_back(child.get());
      continue;
    }
    if (!item->listMade && (child->state & people::kRowGreyed) && !child->IsFullWidth()) {
      CZrObject* object = ObjectOf(*item);
      if (object && (!object->GetPosition().IsNone() || !object->GetParent() ||
                     object->GetParent()->GetKind() != people::kRoomKind)) {
        child->state &= ~people::kRowGreyed;
      }
    }
    PruneStale(child.get(), stale);
  }
}

bool CPeopleList::IsStale(const CPeopleItem& item, const COutlineNode& node) const {
  CZrObject* object = ObjectOf(item);
  if (!object) return true;
  if (item.kind == people::kRoomKind || item.kind == people::kCorridorKind) return false;
  const CPeopleItem* parent = node.parent && node.parent->item ? Item(node.parent) : nullptr;
  if (!parent || ObjectOf(*parent) != object->GetParent()) return true;
  if (object->GetKind() != item.kind || IsEmptyGroup(*object)) return true;
  const std::string name = people::IsPersonKind(item.kind) ? DisplayNameOf(object->GetName()) : object->GetName();
  return name != item.displayName || IsIgnored(item.id) != item.ignoredShown;
}

// A group that lost its last member is about to dissolve: it is not shown.
bool CPeopleList::IsEmptyGroup(CZrObject& object) const {
  CZrGroup* group = object.AsGroup();
  return group && group->ChildCount() == 0;
}

COutlineNode* CPeopleList::FindChild(COutlineNode* node, uint32_t id) const {
  for (const auto& child : node->children) {
    const CPeopleItem* item = Item(child.get());
    if (!item->listMade && item->id == id) return child.get();
  }
  return nullptr;
}

void CPeopleList::AddMembers(COutlineNode* node, CZrGroup& group) {
  if (!node->expanded) return;
  for (CTvlListIter it = group.Children().Begin(); it.IsValid(); it.Next()) {
    CZrObject* member = it.Get<CZrObject>();
    if (!member || member->GetId() == 0 || member->GetId() == m_leaving || IsEmptyGroup(*member)) continue;
    COutlineNode* row = FindChild(node, member->GetId());
    if (!row) row = AddObjectRow(*member, node);
    if (row && member->AsGroup()) AddMembers(row, *member->AsGroup());
  }
}

COutlineNode* CPeopleList::AddObjectRow(CZrObject& object, COutlineNode* parent) {
  const bool isPerson = people::IsPersonKind(object.GetKind());
  auto owned = CPeopleItem::ForObject(object, isPerson ? DisplayNameOf(object.GetName()) : object.GetName());
  CPeopleItem* item = owned.get();
  item->parent = parent->item ? Item(parent) : nullptr;
  item->ignoredShown = IsIgnored(item->id);
  m_items.push_back(std::move(owned));
  COutlineNode* node = AddItem(item, parent->item, false);
  const uint32_t parentKind = object.GetParent() ? object.GetParent()->GetKind() : 0;
  node->SetState(people::InitialRowState(FactsOf(*item), parentKind, !object.GetPosition().IsNone()));
  // Groups show their members at once.
  if (item->container) node->expanded = 1;
  return node;
}

COutlineNode* CPeopleList::AddHeader(CZrGroup& group) {
  for (const auto& child : Root()->children) {
    CPeopleItem* item = Item(child.get());
    if (!item->listMade && item->kind == group.GetKind()) return child.get();
  }
  auto owned = CPeopleItem::ForObject(group, group.GetName());
  CPeopleItem* item = owned.get();
  item->kind = group.GetKind();
  m_items.push_back(std::move(owned));
  COutlineNode* node = AddItem(item, nullptr, false);
  node->SetState(people::kRowHeader);
  return node;
}

void CPeopleList::AddRootSpecial() {
  if (FindNode(m_rootSpecial.get())) return;
  COutlineNode* node = AddItem(m_rootSpecial.get(), nullptr, false);
  node->SetState(people::kRowToggles);
}

void CPeopleList::AddListMade(std::unique_ptr<CPeopleItem> owned, int32_t state) {
  CPeopleItem* item = owned.get();
  m_items.push_back(std::move(owned));
  COutlineNode* node = AddItem(item, item->parent ? item->parent : m_rootSpecial.get(), false);
  node->SetState(state);
  if (item->container) node->expanded = 1;
}

void CPeopleList::OnItemDeleted(void* item) {
  auto it = std::find_if(m_items.begin(), m_items.end(),
                         [item](const auto& owned) { return owned.get() == item; });
  if (it != m_items.end()) m_items.erase(it);
}

// ---- Order ---------------------------------------------------------------------------

people::SortTexts CPeopleList::SortTexts() const {
  return {AfxLoadString(people::kTextObservers, "Observers"),
          AfxLoadString(people::kTextOtherObservers, "Other Observers"),
          AfxLoadString(people::kTextCorridor, "corridor"), AfxLoadString(people::kTextRoom, "room"),
          AfxLoadString(people::kTextIgnored, "ignored")};
}

people::RowFacts CPeopleList::FactsOf(const CPeopleItem& item) const {
  people::RowFacts facts;
  facts.rootSpecial = IsRootSpecial(&item);
  facts.listMade = item.listMade;
  facts.kind = item.kind;
  facts.name = item.displayName;
  facts.ignored = item.person && IsIgnored(item.id);
  return facts;
}

// Look-ups (insert 0) find only the item itself: two persons of one name
// are two rows.
int32_t CPeopleList::CompareItems(void* a, void* b, int32_t insert) {
  if (!insert) return a == b ? 0 : 1;
  const CPeopleItem& left = *static_cast<CPeopleItem*>(a);
  const CPeopleItem& right = *static_cast<CPeopleItem*>(b);
  return people::CompareRows(FactsOf(left), FactsOf(right), IsUserInside(), SortTexts());
}

// ---- The speak-loud marks -------------------------------------------------------------

bool CPeopleList::IsListed(uint32_t id) const {
  return std::find(m_listed.begin(), m_listed.end(), id) != m_listed.end();
}

void CPeopleList::SetListed(uint32_t id, bool listed) {
  auto it = std::find(m_listed.begin(), m_listed.end(), id);
  if (listed && it == m_listed.end()) m_listed.push_back(id);
  if (!listed && it != m_listed.end()) m_listed.erase(it);
}

// ---- Observers ------------------------------------------------------------------------

void CPeopleList::RequestObservers(COutlineNode* node) {
  RemoveChildren(node, false);
  node->expanded = 1;
  Refresh();
  if (!m_root) return;
  // The list waits for the answer only when the request went out.
  if (m_root->SendRequestEx(0, m_root->GetId(), true, 0, 0) == 0) {
    m_observersRequested = true;
    if (List().m_hWnd) List().EnableWindow(false);
  }
}

void CPeopleList::ForwardAnswer(uint32_t kind, const CZrObjectDesc& answer) {
  if (kind != kAnswerKind) return;
  COutlineNode* special = FindNode(m_rootSpecial.get());
  if (!IsAuditorium() && special && special->expanded && answer.kind == people::kCorridorKind) {
    const int32_t limit = people::ClampMaxObservers(m_host ? m_host->GetMaxObservers() : 10);
    const std::vector<people::ObserverRow> rows = people::PickObservers(
        answer, [this](uint32_t id) { return m_root && m_root->FindById(id) != nullptr; }, limit);
    std::vector<CPeopleItem*> made;
    for (const people::ObserverRow& row : rows) {
      CPeopleItem* parent = row.parent >= 0 ? made[static_cast<size_t>(row.parent)] : nullptr;
      const CZrObjectDesc& description = *row.description;
      const std::string shown = people::IsPersonKind(description.kind) ? DisplayNameOf(description.name)
                                                                       : description.name;
      auto item = CPeopleItem::FromDescription(description, shown, parent);
      made.push_back(item.get());
      AddListMade(std::move(item), people::IsContainerKind(description.kind) ? people::kRowToggles : 0);
    }
    if (rows.empty()) {
      AddListMade(CPeopleItem::Label(AfxLoadString(people::kTextEmpty, "[-Empty-]"), nullptr),
                  people::kRowGreyed);
    }
  }
  Refresh();
  if (List().m_hWnd) List().EnableWindow(true);
  m_observersRequested = false;
}

// ---- Mouse ------------------------------------------------------------------------------

void CPeopleList::OnExpanded(COutlineNode* node) {
  CPeopleItem* item = Item(node);
  if (IsRootSpecial(item)) {
    RequestObservers(node);
    return;
  }
  if (!item->listMade) {
    if (CZrObject* object = ObjectOf(*item)) {
      if (CZrGroup* group = object->AsGroup()) AddMembers(node, *group);
    }
  }
  Refresh();
}

void CPeopleList::OnCollapsed(COutlineNode* node) { RemoveChildren(node, true); }

void CPeopleList::OnDoubleClicked(COutlineNode* node, int32_t, int32_t) { Activate(node); }

void CPeopleList::Activate(COutlineNode* node) {
  CPeopleItem* item = Item(node);
  if (IsRootSpecial(item)) {
    if (m_observersRequested) return;
    RequestObservers(node);
    return;
  }
  if (item->listMade) return;
  if (item->container) {
    node->expanded = node->expanded ? 0 : 1;
    node->expanded ? OnExpanded(node) : OnCollapsed(node);
    return;
  }
  if (item->person && !node->IsDisabled() && m_states) m_states->ShowWindowFor(item->id, item->displayName);
}

// A person's avatar window flashes when its row is clicked.
void CPeopleList::OnClicked(COutlineNode* node, int32_t, int32_t) {
  CPeopleItem* item = Item(node);
  if (item->listMade || node->IsDisabled() || item->kind == people::kSeatRowKind || !m_host) return;
  m_host->FlashAvatar(item->id);
}

void CPeopleList::OnRightButtonDown(COutlineNode* node, int32_t x, int32_t y) {
  CPeopleItem* item = Item(node);
  if (!item->person) return;
  const int32_t row = List().IndexOfNode(node);
  if (row >= 0) List().SelectRow(row);
  // A live person's avatar window has its own menu; without one the page's
  // menu stands in.
  if (!item->listMade && m_host && m_host->ForwardRightClick(item->id, POINT{x, y})) return;
  m_page.ShowPersonMenu(*item, x, y);
}

bool CPeopleList::MaySelect(int32_t row) {
  COutlineNode* node = List().Rows().Node(row);
  m_page.OnSelectionChanged(node ? Item(node) : nullptr);
  return true;
}

CPeopleItem* CPeopleList::SelectedItem() const {
  COutlineNode* node = const_cast<CPeopleList*>(this)->List().Rows().Node(
      const_cast<CPeopleList*>(this)->List().GetSelectedRow());
  return node ? Item(node) : nullptr;
}

// ---- Texts and painting -------------------------------------------------------------

std::string CPeopleList::HeaderText(const CPeopleItem& item) const {
  if (item.kind == people::kCorridorKind) {
    if (!IsConnected()) return AfxLoadString(people::kTextDisconnected, "Disconnected");
    return AfxLoadString(IsAuditorium() ? people::kTextAudience : people::kTextObserving);
  }
  const int32_t count = m_root && m_root->GetRoom() ? m_root->GetRoom()->GetPersonCount() : 0;
  if (IsAuditorium()) return AfxLoadString(people::kTextStage, "Stage: ") + "_" + std::to_string(count);
  const bool hidden = m_root && people::IsPrivatePlace(m_root->GetKind());
  return AfxLoadString(hidden ? people::kTextChattingPrivate : people::kTextChattingHere) +
         std::to_string(count);
}

std::string CPeopleList::GroupText(const CPeopleItem& item, CZrObject* object) const {
  std::string text = item.displayName;
  if (text.empty()) {
    text = AfxLoadString(item.kind == people::kTourKind ? kTourText
                         : item.game                    ? kGameText
                                                        : kGroupText);
  }
  CZrGroup* group = object ? object->AsGroup() : nullptr;
  if (!group) return text;
  if (item.kind == people::kTourKind || item.game) {
    if (CZrObject* leader = group->GetHost()) {
      const std::string name = IsIgnored(leader->GetId()) ? AfxLoadString(people::kTextIgnored, "ignored")
                                                          : DisplayNameOf(leader->GetName());
      text += " (" + name + ")";
    }
  } else if (item.kind == people::kSeatRowKind && group->GetPosition().IsSingle()) {
    text += " (" + std::to_string(group->GetPosition().GetId()) + ")";
  }
  return text;
}

std::string CPeopleList::RowText(COutlineNode* node) {
  CPeopleItem* item = Item(node);
  if (IsRootSpecial(item)) {
    return AfxLoadString(IsUserInside() ? people::kTextObservers : people::kTextOtherObservers);
  }
  if (!item->listMade && (item->kind == people::kRoomKind || item->kind == people::kCorridorKind)) {
    return HeaderText(*item);
  }
  if (item->container) return item->listMade ? item->displayName : GroupText(*item, ObjectOf(*item));
  return item->displayName;
}

uint32_t CPeopleList::RowFlags(COutlineNode* node) {
  CPeopleItem* item = Item(node);
  uint32_t flags = 0;
  if (node->expanded) flags |= kFlagExpanded;
  if (node->IsDisabled() && !node->IsFullWidth()) flags |= kFlagGreyed;
  if (item->person && IsIgnored(item->id)) flags |= kFlagIgnored;
  if (node->selected) flags |= kFlagSelected;
  if (node->IsFullWidth()) flags |= kFlagHeader;
  if (IsOwnObject(*item)) flags |= kFlagOwn;
  if (item->listMade) flags |= kFlagListMade;
  const VoiceState voice = VoiceStateOf(*item);
  if (voice != VoiceState::kNone) flags |= kFlagInVoice;
  if (voice == VoiceState::kSpeaking) flags |= kFlagSpeaking;
  return flags;
}

UINT CPeopleList::IconOf(const CPeopleItem& item, CZrObject* object) const {
  if (IsRootSpecial(&item)) return kOneOnOneIcon;
  if (item.listMade) {
    if (item.special) return 0;
    if (item.container) return item.game ? kGameIcon : kTourIcon;
    return kPersonIcon;
  }
  if (item.person) {
    switch (VoiceStateOf(item)) {
      case VoiceState::kSpeaking:
        return kVoiceSpeakingIcon;
      case VoiceState::kSilent:
        return IsOwnObject(item) ? kVoiceOwnSilentIcon : kVoiceSilentIcon;
      case VoiceState::kNone:
        break;
    }
    return IsOwnObject(item) ? kOwnIcon : kPersonIcon;
  }
  if (item.game) return kGameIcon;
  if (item.kind == people::kTourKind) return object ? kTourIcon : 0;
  if (item.kind == people::kSeatRowKind) return kSeatRowIcon;
  if (item.kind == people::kOneOnOneKind) return kOneOnOneIcon;
  return 0;
}

// Live persons of the place only: the rows the list made stand for people
// elsewhere.
VoiceState CPeopleList::VoiceStateOf(const CPeopleItem& item) const {
  if (!item.person || item.listMade || !m_host) return VoiceState::kNone;
  return m_host->GetVoiceState(item.id);
}

void CPeopleList::DrawIcon(CDC* dc, UINT bitmapId, int32_t x, const RECT& rect) {
  CBitmap bitmap;
  if (!bitmapId || !bitmap.LoadBitmap(bitmapId)) return;
  const SIZE size = bitmap.GetSize();
  CDC memory;
  memory.CreateCompatibleDC(dc);
  memory.SelectObject(&bitmap);
  const int32_t height = std::min<int32_t>(size.cy, rect.bottom - rect.top);
  dc->BitBlt(x, rect.top + (rect.bottom - rect.top - height) / 2, std::min<int32_t>(size.cx, kIconWidth),
             height, &memory, 0, 0, SRCCOPY);
}

void CPeopleList::DrawRowContent(CDC* dc, const RECT& rect, COutlineNode* node) {
  CPeopleItem* item = Item(node);
  CZrObject* object = ObjectOf(*item);
  std::string text = RowText(node);
  RECT area = rect;
  if (node->IsFullWidth()) {
    dc->SetTextColor(RGB(0, 0, 0));
    const int32_t width = rect.right - rect.left;
    text = people::PadHeader(text, width, [dc](const std::string& t) {
      return static_cast<int32_t>(dc->GetTextExtent(t).cx);
    });
  } else {
    DrawIcon(dc, IconOf(*item, object), area.left, rect);
    area.left += kIconWidth + 2;
    COLORREF colour = node->IsDisabled() ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    const bool holdsUser = object && m_root && m_root->GetMyself() && object->AsGroup() &&
                           m_root->GetMyself()->IsInside(object);
    if ((IsOwnObject(*item) || holdsUser) && m_host) colour = m_host->GetColor(kOwnColor);
    if (item->person && IsIgnored(item->id)) colour = kIgnoredColor;
    dc->SetTextColor(colour);
  }
  dc->SetBkMode(TRANSPARENT);
  dc->DrawText(text, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
