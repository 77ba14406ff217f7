#include "CLocateListWnd.h"

#include <utility>

#include "CDC.h"
#include "ZrPersonDesc.h"

bool CLocateListWnd::Create(CWnd* dialog, UINT placeholderId, const std::string& nickCaption,
                            const std::string& nameCaption, const std::string& locationCaption, LocationTexts texts) {
  m_texts = std::move(texts);
  if (!CItemListWnd::Create(dialog, placeholderId)) return false;
  AddColumn(kNickColumn, nickCaption, true);
  AddColumn(kNameColumn, nameCaption, false);
  AddColumn(kLocationColumn, locationCaption, false);
  return true;
}

std::string CLocateListWnd::CellText(const CZrPersonDesc& person, int32_t column) const {
  switch (column) {
    case kNickColumn:
      return person.name;
    case kNameColumn:
      return person.fullName;
    default:
      return LocationText(person, m_texts);
  }
}

std::string CLocateListWnd::RowText(void* object) const {
  const auto& person = *static_cast<const CZrPersonDesc*>(object);
  return CellText(person, kNickColumn) + "\t" + CellText(person, kNameColumn) + "\t" +
         CellText(person, kLocationColumn);
}

int32_t CLocateListWnd::Compare(int32_t sortKey, void* a, void* b) {
  return CompareLocateRows(sortKey, *static_cast<const CZrPersonDesc*>(a), *static_cast<const CZrPersonDesc*>(b),
                           m_texts.lobby);
}

void CLocateListWnd::DrawCell(CDC* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t columnKey,
                              ItemRecord* record) {
  RECT cell{left, top, right, bottom};
  dc->DrawText(CellText(*static_cast<const CZrPersonDesc*>(record->object), columnKey), &cell,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
