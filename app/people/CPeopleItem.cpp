#include "CPeopleItem.h"

#include "PeopleRules.h"
#include "ZrObject.h"

CPeopleItem::CPeopleItem(uint32_t itemId, uint32_t itemKind, const std::string& itemName)
    : CZrObjectDesc(itemKind) {
  id = itemId;
  kind = itemKind;
  name = itemName;
  displayName = itemName;
  container = people::IsContainerKind(itemKind);
  game = itemKind == people::kGameKind;
  person = people::IsPersonKind(itemKind);
}

std::unique_ptr<CPeopleItem> CPeopleItem::ForObject(const CZrObject& object,
                                                    const std::string& shownName) {
  auto item = std::make_unique<CPeopleItem>(object.GetId(), object.GetKind(), object.GetName());
  item->displayName = shownName;
  return item;
}

std::unique_ptr<CPeopleItem> CPeopleItem::FromDescription(const CZrObjectDesc& description,
                                                          const std::string& shownName,
                                                          CPeopleItem* parentItem) {
  auto item = std::make_unique<CPeopleItem>(description.id, description.kind, description.name);
  item->displayName = shownName;
  item->status = description.status;
  item->parent = parentItem;
  item->listMade = true;
  return item;
}

std::unique_ptr<CPeopleItem> CPeopleItem::Label(const std::string& label, CPeopleItem* parentItem) {
  auto item = std::make_unique<CPeopleItem>(0, people::kSpecialRowKind, label);
  item->parent = parentItem;
  item->special = true;
  item->listMade = true;
  return item;
}
