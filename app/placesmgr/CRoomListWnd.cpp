#include "CRoomListWnd.h"

#include "CDC.h"
#include "CZrApp.h"

namespace {
constexpr UINT kInCaption = 475;
constexpr UINT kPlaceCaption = 477;
}  // namespace

bool CRoomListWnd::Create(CWnd* pane, UINT placeholderId, int page, COLORREF fullColour) {
  m_page = page;
  m_fullColour = fullColour;
  if (!CItemListWnd::Create(pane, placeholderId)) return false;
  CZrMessageBox& texts = ZrApp().Boxes();
  AddColumn(kInColumn, texts.LoadText(kInCaption), true);
  AddColumn(kObserversColumn, "    ", false);
  AddColumn(kPlaceColumn, texts.LoadText(kPlaceCaption), false);
  return true;
}

std::string CRoomListWnd::RowText(void* object) const {
  return RoomLabel(m_page, *static_cast<const RoomItem*>(object));
}

int32_t CRoomListWnd::Compare(int32_t sortKey, void* a, void* b) {
  return CompareRooms(sortKey, *static_cast<const RoomItem*>(a), *static_cast<const RoomItem*>(b));
}

void CRoomListWnd::DrawCell(CDC* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t columnKey,
                            ItemRecord* record) {
  const auto* room = static_cast<const RoomItem*>(record->object);
  std::string text;
  switch (columnKey) {
    case kInColumn:
      if (room->count != 0) text = std::to_string(room->count);
      break;
    case kObserversColumn:
      if (room->observers != 0) text = std::to_string(room->observers);
      break;
    default:
      text = RoomLabel(m_page, *room);
      break;
  }
  if (text.empty()) return;
  const COLORREF old = room->IsFull() && !record->selected ? dc->SetTextColor(m_fullColour) : CLR_INVALID;
  RECT cell{left, top, right, bottom};
  dc->DrawText(text, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (old != CLR_INVALID) dc->SetTextColor(old);
}
