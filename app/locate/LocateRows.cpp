#include "LocateRows.h"

#include "UrlParamBase.h"
#include "ZrPersonDesc.h"

LocateName CheckLocateName(const std::string& name) {
  if (name.empty()) return LocateName::kEmpty;
  return name.size() > kLocateNameMax ? LocateName::kTooLong : LocateName::kValid;
}

bool SitsInSeatRow(const CZrPersonDesc& person) { return person.parentKind == kSeatRowKind; }

bool IsReplicatedKind(uint32_t kind) { return (kind & 0x840) == 0x840; }

std::string LocationText(const CZrPersonDesc& person, const LocationTexts& texts) {
  std::string text = !person.placeTitle.empty() ? person.placeTitle : person.placeAddress;
  if (text.empty()) text = (person.placeKind & 0x820) == 0x820 ? texts.privateRoom : texts.lobby;
  if (SitsInSeatRow(person))
    text += " : " + person.parentName;
  else if (IsReplicatedKind(person.placeKind) && person.copyNumber > 1)
    text += " " + std::to_string(person.copyNumber);
  return text;
}

int CompareLocateRows(int32_t column, const CZrPersonDesc& a, const CZrPersonDesc& b, const std::string& lobby) {
  int order = 0;
  if (column <= kNickColumn) order = UrlParamBase::CompareNoCase(a.name, b.name);
  if (order == 0 && column <= kNameColumn) order = UrlParamBase::CompareNoCase(a.fullName, b.fullName);
  if (order != 0) return order;
  const std::string& left = a.placeAddress.empty() ? lobby : a.placeAddress;
  const std::string& right = b.placeAddress.empty() ? lobby : b.placeAddress;
  return UrlParamBase::CompareNoCase(left, right);
}

std::string WithScheme(const std::string& address, const std::string& scheme) {
  if (address.empty() || address.find("://") != std::string::npos) return address;
  return scheme + address;
}

std::unique_ptr<CZrPersonDesc> CopyFoundPerson(const CZrPersonDesc& person) {
  auto copy = std::make_unique<CZrPersonDesc>();
  copy->id = person.id;
  copy->kind = person.kind;
  copy->flag = person.flag;
  copy->name = person.name;
  copy->status = person.status;
  copy->fullName = person.fullName;
  copy->location = person.location;
  copy->email = person.email;
  copy->placeTitle = person.placeTitle;
  copy->placeAddress = person.placeAddress;
  copy->placeKind = person.placeKind;
  copy->copyNumber = person.copyNumber;
  copy->parentId = person.parentId;
  copy->parentName = person.parentName;
  copy->parentKind = person.parentKind;
  copy->parentFlag = person.parentFlag;
  return copy;
}
