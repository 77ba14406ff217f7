#include "CTourWnd.h"

#include <algorithm>

#include "GroupLayout.h"
#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrGroup.h"

IMPLEMENT_DYNAMIC(CTourWnd, CGroupWnd)

BEGIN_MESSAGE_MAP(CTourWnd, CGroupWnd)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

constexpr uint32_t kVehiclePicture = 264;

}  // namespace

CTourWnd::CTourWnd(CZrGroup& group, IMemberWndHost& host) : CGroupWnd(group, host)
{
    SetMenuId(kMenuId);
}

const CZrObject* CTourWnd::Guide() const
{
    CTvlListIter first = GetGroup().Children().Begin();
    return first.IsValid() ? first.Get<CZrObject>() : nullptr;
}

CPicture* CTourWnd::GroupPicture()
{
    const CTvlBlob* data = GetGroup().GetInfo().Member()->GetData();
    if (!data || data->Length() == 0)
        return nullptr;
    if (data->Bytes() != m_pictureSource) {
        m_pictureSource = data->Bytes();
        auto picture = std::make_unique<CPicture>();
        m_picture = picture->LoadMemory(data->Bytes(), data->Length()) ? std::move(picture) : nullptr;
    }
    return m_picture.get();
}

CPicture* CTourWnd::GetPicture()
{
    const CZrObject* guide = Guide();
    const bool guideIgnored = guide && Host().IsIgnored(guide->GetId());
    CPicture* own = guideIgnored ? nullptr : GroupPicture();
    return own ? own : Host().GetSharedPicture(kVehiclePicture);
}

std::string CTourWnd::GetBubbleText()
{
    const CZrObject* guide = Guide();
    if (guide && Host().IsIgnored(guide->GetId()))
        return Host().IgnoredText();
    return CGroupWnd::GetBubbleText();
}

AvatarExtent CTourWnd::WindowSize()
{
    const AvatarExtent cell = Host().GetSizes().small;
    const int32_t riders = std::max<int32_t>(GetGroup().GetCapacity() - 1, 1);
    const int32_t rows = (riders + kColumns - 1) / kColumns;
    return {(kColumns + 1) * cell.width + 2, rows * cell.height + 2};
}

AvatarPoint CTourWnd::GetMemberOffset(const CZrObject& member)
{
    return TourMemberOffset(member.GetIndex(), kColumns, Host().GetSizes().small);
}

AvatarExtent CTourWnd::GetMemberSize(const CZrObject&)
{
    return Host().GetSizes().small;
}

// The own avatar dragged over a tour joins it.
bool CTourWnd::OnDragOver(int32_t, int32_t, int32_t* kind)
{
    *kind = 2;
    return true;
}

void CTourWnd::BuildContextMenu(HMENU popup, int32_t, int32_t)
{
    Host().PrepareGroupMenu(popup, GetGroup());
}

bool CTourWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    if (IsDeletePending())
        return true;
    if (command == kCmdJoinTour || command == kCmdRetrievePicture) {
        Host().RunGroupCommand(command, GetGroup());
        return true;
    }
    return CGroupWnd::OnCommand(wParam, lParam);
}

void CTourWnd::OnLButtonDblClk(UINT, POINT)
{
    if (!IsDeletePending())
        Host().RunGroupCommand(kCmdJoinTour, GetGroup());
}
