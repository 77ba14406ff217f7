#include "CGameWnd.h"

#include <cstdlib>

#include "GroupLayout.h"
#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrGroup.h"
#include "ZrItem.h"

IMPLEMENT_DYNAMIC(CGameWnd, CTourWnd)

BEGIN_MESSAGE_MAP(CGameWnd, CTourWnd)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

constexpr uint32_t kBoardPicture = 318;
constexpr AvatarExtent kDefaultBoard{144, 64};
constexpr int32_t kOverGame = 3;

}  // namespace

CGameWnd::CGameWnd(CZrGroup& group, IMemberWndHost& host) : CTourWnd(group, host)
{
    SetMenuId(kMenuId);
}

std::string CGameWnd::Item(uint16_t code) const
{
    const CZrItem* item = GetGroup().GetInfo().Items().Find(code);
    if (!item)
        return std::string();
    return item->GetType() == CZrItem::kText ? item->GetText() : std::to_string(item->GetValue());
}

CPicture* CGameWnd::GetPicture()
{
    CPicture* own = GroupPicture();
    return own ? own : Host().GetSharedPicture(kBoardPicture);
}

const CSlotAttr* CGameWnd::Slot(uint16_t slot) const
{
    const std::vector<CSlotAttr>* slots = Host().GameSlotsOf(GetGroup());
    if (!slots || slot < 1 || slot > slots->size())
        return nullptr;
    return &(*slots)[slot - 1];
}

AvatarExtent CGameWnd::WindowSize()
{
    AvatarExtent base = kDefaultBoard;
    if (CPicture* own = GroupPicture()) {
        base = {own->Width(), own->Height()};
    } else {
        const std::string width = Item(kWidthItem);
        const std::string height = Item(kHeightItem);
        if (!width.empty())
            base.width = std::atoi(width.c_str());
        if (!height.empty())
            base.height = std::atoi(height.c_str());
    }
    const std::vector<CSlotAttr>* slots = Host().GameSlotsOf(GetGroup());
    const bool oneSeat = slots && slots->size() == 1;
    return GameBoardSize(base, Host().UsesBigAvatars(), true, oneSeat);
}

AvatarPoint CGameWnd::GetMemberOffset(const CZrObject& member)
{
    if (Host().GameSlotsOf(GetGroup())) {
        const CSlotAttr* slot = Slot(member.GetPosition().GetId());
        return slot ? AvatarPoint{slot->GetX(), slot->GetY()} : AvatarPoint{1, 1};
    }
    return TourMemberOffset(member.GetIndex(), kColumns, Host().GetSizes().small);
}

AvatarExtent CGameWnd::GetMemberSize(const CZrObject& member)
{
    if (Host().GameSlotsOf(GetGroup())) {
        const CSlotAttr* slot = Slot(member.GetPosition().GetId());
        return slot ? AvatarExtent{slot->GetWidth(), slot->GetHeight()} : AvatarExtent{10, 10};
    }
    return Host().GetSizes().mini;
}

uint16_t CGameWnd::SlotAt(int32_t x, int32_t y) const
{
    const std::vector<CSlotAttr>* slots = Host().GameSlotsOf(GetGroup());
    if (!slots || !m_hWnd)
        return 0;
    POINT point{x, y};
    ::ScreenToClient(m_hWnd, &point);
    for (size_t index = 0; index < slots->size(); ++index) {
        if ((*slots)[index].HitTest(point.x, point.y))
            return static_cast<uint16_t>(index + 1);
    }
    return 0;
}

bool CGameWnd::IsOwnSlot(uint16_t slot) const
{
    const CZrObject* myself = Host().GetOwnMember();
    return myself && myself->GetParent() == &GetGroup() && myself->GetPosition().GetId() == slot;
}

bool CGameWnd::IsSlotTaken(uint16_t slot) const
{
    for (CTvlListIter it = GetGroup().Children().Begin(); it.IsValid(); it.Next()) {
        auto* child = it.Get<CZrObject>();
        if (child && child->GetPosition().GetId() == slot)
            return true;
    }
    return false;
}

int32_t CGameWnd::DropSlotAt(int32_t x, int32_t y) const
{
    const std::string anySlot = Item(kAnySlotItem);
    if (anySlot.empty())
        return -1;
    if (anySlot == "Y")
        return 0;
    const uint16_t slot = SlotAt(x, y);
    return slot != 0 && !IsSlotTaken(slot) ? slot : -1;
}

bool CGameWnd::OnDragOver(int32_t x, int32_t y, int32_t* kind)
{
    *kind = kOverGame;
    return DropSlotAt(x, y) >= 0;
}

bool CGameWnd::OnDrop(int32_t x, int32_t y)
{
    const int32_t slot = DropSlotAt(x, y);
    if (slot < 0)
        return false;
    Host().JoinGame(GetGroup(), static_cast<uint16_t>(slot));
    return true;
}

// The slot items take the names of the table's slots; only free slots can
// be chosen, and the user's own slot, checked, which leaves the game; items
// beyond the table go.
void CGameWnd::BuildContextMenu(HMENU popup, int32_t, int32_t)
{
    Host().PrepareGroupMenu(popup, GetGroup());
    const std::vector<CSlotAttr>* slots = Host().GameSlotsOf(GetGroup());
    if (!slots)
        return;
    for (UINT command = kCmdFirstSlot; command <= kCmdLastSlot; ++command) {
        const auto slot = static_cast<uint16_t>(command - kCmdFirstSlot + 1);
        if (slot > slots->size()) {
            ::DeleteMenu(popup, command, MF_BYCOMMAND);
            continue;
        }
        const std::string& name = (*slots)[slot - 1].GetName();
        if (!name.empty())
            ::ModifyMenuA(popup, command, MF_BYCOMMAND | MF_STRING, command, name.c_str());
        const bool own = IsOwnSlot(slot);
        ::CheckMenuItem(popup, command, MF_BYCOMMAND | (own ? MF_CHECKED : MF_UNCHECKED));
        ::EnableMenuItem(popup, command, MF_BYCOMMAND | (IsSlotTaken(slot) && !own ? MF_GRAYED : MF_ENABLED));
    }
}

bool CGameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    if (lParam == 0 && command >= kCmdFirstSlot && command <= kCmdLastSlot) {
        if (!IsDeletePending())
            Host().JoinGame(GetGroup(), static_cast<uint16_t>(command - kCmdFirstSlot + 1));
        return true;
    }
    return CTourWnd::OnCommand(wParam, lParam);
}

void CGameWnd::OnLButtonDblClk(UINT, POINT point)
{
    if (IsDeletePending() || Item(kAnySlotItem) == "Y")
        return;
    ClientToScreen(&point);
    const uint16_t slot = SlotAt(point.x, point.y);
    if (slot != 0 && !IsSlotTaken(slot))
        Host().JoinGame(GetGroup(), slot);
}
