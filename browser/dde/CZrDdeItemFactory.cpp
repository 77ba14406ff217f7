// CZrDdeItem::CreateByType: the one place that knows every item class.
#include "CZrDdeItem.h"

#include <new>

#include "ZrDdeGameItems.h"
#include "ZrDdeGroupItems.h"
#include "ZrDdeInfoItems.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdeMyInfoItems.h"
#include "ZrDdePlaceItems.h"
#include "ZrDdePresenceItems.h"

namespace {

CZrDdeItem* NewItem(uint16_t type, int32_t side)
{
    switch (type) {
    case CConnectCommunityItem::kType: return new (std::nothrow) CConnectCommunityItem(side);
    case CNavigateItem::kType: return new (std::nothrow) CNavigateItem();
    case CDisconnectCommunityItem::kType: return new (std::nothrow) CDisconnectCommunityItem();
    case CPlaceInfoItem::kType: return new (std::nothrow) CPlaceInfoItem();
    case CQueryPlacesItem::kType: return new (std::nothrow) CQueryPlacesItem(side);
    case CEnterRoomItem::kType: return new (std::nothrow) CEnterRoomItem(side);
    case CLeaveRoomItem::kType: return new (std::nothrow) CLeaveRoomItem(side);
    case CMoveItem::kType: return new (std::nothrow) CMoveItem();
    case CMoveErrorItem::kType: return new (std::nothrow) CMoveErrorItem();
    case CSayItem::kType: return new (std::nothrow) CSayItem(side);
    case CSendItem::kType: return new (std::nothrow) CSendItem(side);
    case CAlertItem::kType: return new (std::nothrow) CAlertItem(side);
    case CStart1on1Item::kType: return new (std::nothrow) CStart1on1Item(side);
    case CBreak1on1Item::kType: return new (std::nothrow) CBreak1on1Item(side);
    case CStartGroupItem::kType: return new (std::nothrow) CStartGroupItem(side);
    case CBreakGroupItem::kType: return new (std::nothrow) CBreakGroupItem(side);
    case CJoinGroupItem::kType: return new (std::nothrow) CJoinGroupItem(side);
    case CLeaveGroupItem::kType: return new (std::nothrow) CLeaveGroupItem(side);
    case CGroupErrorItem::kType: return new (std::nothrow) CGroupErrorItem();
    case CMyPositionItem::kType: return new (std::nothrow) CMyPositionItem();
    case CMyInfoItem::kType: return new (std::nothrow) CMyInfoItem(side);
    case CSetPresenceIdentityItem::kType: return new (std::nothrow) CSetPresenceIdentityItem();
    case CSetPresenceFaceItem::kType: return new (std::nothrow) CSetPresenceFaceItem();
    case CPresenceParametersItem::kType: return new (std::nothrow) CPresenceParametersItem();
    case CGroupInfoItem::kType: return new (std::nothrow) CGroupInfoItem();
    case CIdInfoItem::kType: return new (std::nothrow) CIdInfoItem();
    case CVersionItem::kType: return new (std::nothrow) CVersionItem();
    case CGameHandleItem::kType: return new (std::nothrow) CGameHandleItem();
    case CGameSlotsItem::kType: return new (std::nothrow) CGameSlotsItem();
    case CGameStateItem::kType: return new (std::nothrow) CGameStateItem();
    default: return nullptr;
    }
}

} // namespace

std::unique_ptr<CZrDdeItem> CZrDdeItem::CreateByType(uint16_t type, int32_t side)
{
    return std::unique_ptr<CZrDdeItem>(NewItem(type, side));
}
