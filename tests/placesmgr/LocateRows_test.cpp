#include "LocateRows.h"

#include <gtest/gtest.h>

#include <memory>

#include "ZrPersonDesc.h"

namespace {

const LocationTexts kTexts{"Private Room", "Community lobby"};

using Desc = std::shared_ptr<CZrPersonDesc>;

Desc Person(const std::string& nick, const std::string& fullName, const std::string& title,
            const std::string& address, uint32_t placeKind = 0x800) {
  auto person = std::make_shared<CZrPersonDesc>();
  person->name = nick;
  person->fullName = fullName;
  person->placeTitle = title;
  person->placeAddress = address;
  person->placeKind = placeKind;
  person->parentKind = 1024;
  return person;
}

TEST(CheckLocateName, EmptyValidOrTooLong) {
  EXPECT_EQ(CheckLocateName(""), LocateName::kEmpty);
  EXPECT_EQ(CheckLocateName("a"), LocateName::kValid);
  EXPECT_EQ(CheckLocateName(std::string(60, 'x')), LocateName::kValid);
  EXPECT_EQ(CheckLocateName(std::string(61, 'x')), LocateName::kTooLong);
}

TEST(LocationText, TitleAddressOrKindOfPlace) {
  Desc row = Person("r", "", "Stage", "http://s/", 0x801);
  row->parentKind = kSeatRowKind;
  row->parentName = "Row 4";
  Desc copy = Person("c", "", "", "http://rep/", 0x840);
  copy->copyNumber = 3;
  Desc firstCopy = Person("c", "", "", "http://rep/", 0x840);
  firstCopy->copyNumber = 1;
  struct Case {
    const char* what;
    Desc person;
    std::string expected;
  } cases[] = {
      {"title", Person("a", "", "Garden", "http://g/"), "Garden"},
      {"address", Person("a", "", "", "http://g/"), "http://g/"},
      {"private room", Person("a", "", "", "", 0x820), "Private Room"},
      {"lobby", Person("a", "", "", "", 0x800), "Community lobby"},
      {"seat row", row, "Stage : Row 4"},
      {"copy 3", copy, "http://rep/ 3"},
      {"copy 1", firstCopy, "http://rep/"},
  };
  for (const Case& c : cases) EXPECT_EQ(LocationText(*c.person, kTexts), c.expected) << c.what;
}

TEST(CompareLocateRows, ColumnsFallBackToTheLaterKeys) {
  const Desc annDesc = Person("ann", "Zed", "", "http://b/");
  const Desc annTooDesc = Person("ANN", "Zed", "", "http://a/");
  const Desc bobDesc = Person("bob", "Abe", "", "");
  const CZrPersonDesc& ann = *annDesc;
  const CZrPersonDesc& annToo = *annTooDesc;
  const CZrPersonDesc& bob = *bobDesc;
  EXPECT_LT(CompareLocateRows(kNickColumn, ann, bob, kTexts.lobby), 0);
  EXPECT_GT(CompareLocateRows(kNickColumn, ann, annToo, kTexts.lobby), 0);
  EXPECT_GT(CompareLocateRows(kNameColumn, ann, bob, kTexts.lobby), 0);
  // Column 2 looks at the address alone; no address counts as the lobby.
  EXPECT_LT(CompareLocateRows(kLocationColumn, bob, ann, "a"), 0);
  EXPECT_GT(CompareLocateRows(kLocationColumn, bob, ann, "z"), 0);
  EXPECT_EQ(CompareLocateRows(kLocationColumn, bob, bob, kTexts.lobby), 0);
}

TEST(WithScheme, OnlyAddressesWithoutOneGetIt) {
  EXPECT_EQ(WithScheme("garden/", "http://"), "http://garden/");
  EXPECT_EQ(WithScheme("ftp://x/", "http://"), "ftp://x/");
  EXPECT_EQ(WithScheme("", "http://"), "");
}

TEST(CopyFoundPerson, KeepsWhatTheRowShowsAndGoesTo) {
  Desc person = Person("ann", "Ann Lee", "Garden", "http://g/", 0x840);
  person->id = 42;
  person->copyNumber = 2;
  person->parentId = 7;
  person->parentName = "Row 1";
  person->parentKind = kSeatRowKind;
  person->flag = 1;
  const std::unique_ptr<CZrPersonDesc> copy = CopyFoundPerson(*person);
  EXPECT_EQ(copy->id, 42u);
  EXPECT_EQ(copy->flag, 1);
  EXPECT_EQ(LocationText(*copy, kTexts), LocationText(*person, kTexts));
  EXPECT_EQ(CompareLocateRows(kNickColumn, *copy, *person, kTexts.lobby), 0);
  EXPECT_EQ(copy->parentId, 7u);
  EXPECT_EQ(copy->copyNumber, 2);
}

}  // namespace
