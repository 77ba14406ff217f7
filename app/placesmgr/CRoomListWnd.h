// The room list of a places pane: people in the place, observers and the
// place's text, the fuller places first unless another column sorts. A
// full place is drawn in the warning colour. Its objects are the pane's
// RoomItem rows; a row reads as its place text.
#pragma once
#include <string>

#include "CTextItemList.h"
#include "RoomRows.h"

class CRoomListWnd : public CTextItemList {
 public:
  // Over the pane's placeholder control; the columns' captions come from
  // the resource library.
  bool Create(CWnd* pane, UINT placeholderId, int page, COLORREF fullColour);

  const RoomItem* GetRoom(int32_t row) const { return static_cast<const RoomItem*>(GetItemObject(row)); }
  std::string RowText(void* object) const override;

 protected:
  int32_t Compare(int32_t sortKey, void* a, void* b) override;
  void DrawCell(CDC* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t columnKey,
                ItemRecord* record) override;

 private:
  int m_page = kServicePlaces;
  COLORREF m_fullColour = RGB(255, 0, 0);
};
