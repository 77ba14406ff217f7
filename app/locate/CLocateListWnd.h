// The people the locate dialog found: nickname, name and location. A row
// reads as the three texts joined by TABs.
#pragma once
#include <string>

#include "CTextItemList.h"
#include "LocateRows.h"

class CZrPersonDesc;

class CLocateListWnd : public CTextItemList {
 public:
  bool Create(CWnd* dialog, UINT placeholderId, const std::string& nickCaption, const std::string& nameCaption,
              const std::string& locationCaption, LocationTexts texts);

  const CZrPersonDesc* GetPerson(int32_t row) const { return static_cast<const CZrPersonDesc*>(GetItemObject(row)); }
  std::string RowText(void* object) const override;

 protected:
  int32_t Compare(int32_t sortKey, void* a, void* b) override;
  void DrawCell(CDC* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t columnKey,
                ItemRecord* record) override;

 private:
  std::string CellText(const CZrPersonDesc& person, int32_t column) const;

  LocationTexts m_texts;
};
