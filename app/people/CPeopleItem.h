// A row of the people list. Rows of persons, groups, the room and the
// corridor of the place hold the object's identifier and are matched with
// the place's tree by it, so that a row never points at an object that has
// gone; rows the list makes itself (observers, labels) hold their
// description.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "ZrObjectDesc.h"

class CZrObject;

class CPeopleItem : public CZrObjectDesc {
 public:
  // A row for an object of the place.
  static std::unique_ptr<CPeopleItem> ForObject(const CZrObject& object, const std::string& displayName);
  // An observer row made from a description.
  static std::unique_ptr<CPeopleItem> FromDescription(const CZrObjectDesc& description,
                                                      const std::string& displayName,
                                                      CPeopleItem* parent);
  // A label row ("Other Observers", "[-Empty-]").
  static std::unique_ptr<CPeopleItem> Label(const std::string& label, CPeopleItem* parent);

  CPeopleItem(uint32_t id, uint32_t kind, const std::string& name);

  std::string displayName;
  CPeopleItem* parent = nullptr;
  bool container = false;
  bool game = false;
  bool person = false;
  // A label row made by the list.
  bool special = false;
  // A row made by the list rather than for an object of the place.
  bool listMade = false;
  // The ignore state the row was sorted and drawn with.
  bool ignoredShown = false;
};
