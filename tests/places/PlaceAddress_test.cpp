#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CPlaceAddress.h"
#include "TempFolder.h"

namespace {

const char kHost1[] = "chat.test";
const char kHost2[] = "chat2.test";
const char kDefault[] = "default.test";

struct Expected {
  Expected(std::string community_ = "", std::string place_ = "", std::string name_ = "", int32_t replicated_ = 0,
           int32_t replicaType_ = 1, int32_t directory_ = 0, int32_t layout_ = CPlaceAddress::kLayoutNotSet,
           std::string gameName_ = "", std::string validated_ = "")
      : community(std::move(community_)),
        place(std::move(place_)),
        name(std::move(name_)),
        replicated(replicated_),
        replicaType(replicaType_),
        directory(directory_),
        layout(layout_),
        gameName(std::move(gameName_)),
        validated(std::move(validated_)) {}
  std::string community;
  std::string place;
  std::string name;
  int32_t replicated;
  int32_t replicaType;
  int32_t directory;
  int32_t layout;
  std::string gameName;
  std::string validated;
};

void ExpectAddress(const CPlaceAddress& address, const Expected& want) {
  EXPECT_EQ(address.GetCommunity(), want.community);
  EXPECT_EQ(address.GetPlace(), want.place);
  EXPECT_EQ(address.GetName(), want.name);
  EXPECT_EQ(address.IsReplicated(), want.replicated != 0);
  EXPECT_EQ(address.GetReplicaType(), want.replicaType);
  EXPECT_EQ(address.GetDirectory(), want.directory);
  EXPECT_EQ(address.GetLayout(), want.layout);
  EXPECT_EQ(address.GetGameName(), want.gameName);
  EXPECT_EQ(address.GetValidatedCommunity(), want.validated);
}

class PlaceAddressTest : public ::testing::Test {
 protected:
  PlaceAddressTest() {
    TempFolder::Write(m_listFile, "[Servers]\r\nServer1=listed.host:1533 Friendly title\r\nServer2=other-site.net\r\n");
  }
  CPlaceAddress MakeAddress() const { return CPlaceAddress(CCommunityCheck(kHost1, kHost2, kDefault, m_listFile)); }

  TempFolder m_folder;
  std::string m_listFile = m_folder.File("zrserver.hst");
};

struct ParseCase {
  const char* text;
  bool recognised;
  Expected want;
};

TEST_F(PlaceAddressTest, ParsesLinksAndPageUrls) {
  const std::vector<ParseCase> cases = {
      {"zr://Community=chat.test Place=http://www.a.com/p.html Name=Bob", true,
       {"chat.test", "http://www.a.com/p.html", "Bob"}},
      {"  ZR://Place=http:/www.a.com/x", true, {"", "http://www.a.com/x"}},
      {"ZR://Place=http://h/a%20b+c%00d%4", true, {"", "http://h/a b c%00d%4"}},
      {"ZR://Community=chat.test&Place=http://h/p?a=1&b=2&Name=Zed", true, {"chat.test", "http://h/p?a=1&b=2", "Zed"}},
      {"ZR://Name=\"Two words\" Place", true, {"", "", "Two words"}},
      {"http://h/page.html?ZRURL=1&Community=chat2.test&Name=Ann", true, {"chat2.test", "http://h/page.html", "Ann"}},
      {"http://h/page.html#ZRURL=1 Name=Ann?x=1", true, {"", "http://h/page.html?x=1", "Ann"}},
      {"http://h/page.html?ZRURL=1&utm=5&Name=Ann&x=2#top", true, {"", "http://h/page.html", "Ann"}},
      {"ZR://Place=http://h/p#frag&Name=N#x", true, {"", "http://h/p#frag", "N"}},
      {"http://h/p%7Eq.html?ZRURL=1", true, {"", "http://h/p~q.html"}},
      {"ZR://Replicated=3", true, {"", "", "", 1, 3}},
      {"ZR://Replicated=-4", true, {"", "", "", 1, 1}},
      {"ZR://Replicated=many", true, {"", "", "", 1, 1}},
      {"ZR://Directory=12", true, {"", "", "", 0, 1, 12}},
      {"ZR://Directory=12x", true, {}},
      {"ZR://Directory=99999999999", true, {}},
      {"ZR://Layout=Avatars", true, {"", "", "", 0, 1, 0, CPlaceAddress::kAvatars}},
      {"ZR://Layout=\"Avatars and more\"", true, {"", "", "", 0, 1, 0, CPlaceAddress::kAvatars}},
      {"ZR://Layout=text", true, {"", "", "", 0, 1, 0, CPlaceAddress::kText}},
      {"ZR://Layout=Fancy", true, {}},
      {"ZR://GameName=Chess/", true, {"", "", "", 0, 1, 0, CPlaceAddress::kLayoutNotSet, "Chess"}},
      {"http://h/page.html?ZRURL=0&Name=Ann", false, {}},
      {"http://h/page.html", false, {}},
      {"", false, {}},
      {"ZRURL=1", true, {}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    CPlaceAddress address = MakeAddress();
    EXPECT_EQ(address.Parse(c.text), c.recognised);
    ExpectAddress(address, c.want);
  }
}

TEST_F(PlaceAddressTest, ParseStartsFromAnEmptyAddress) {
  CPlaceAddress address = MakeAddress();
  ASSERT_TRUE(address.Parse("ZR://Community=chat.test Name=Bob Layout=Text Directory=4 GameName=Go Replicated=2"));
  EXPECT_FALSE(address.Parse("http://plain.page/"));
  ExpectAddress(address, {});
}

TEST_F(PlaceAddressTest, CommunityIsCheckedAgainstTheServerList) {
  struct Case {
    const char* community;
    std::string want;
    std::string validated;
  };
  const std::vector<Case> cases = {
      {"chat.test", "chat.test", ""},
      {"chat2.test", "chat2.test", ""},
      {"127.0.0.1", "127.0.0.1", ""},
      {"listed.host", "listed.host", "listed.host"},
      {"LISTED.Host", "LISTED.Host", "LISTED.Host"},
      {"other-site.net", "other-site.net", "other-site.net"},
      {"listed.host:1533", "listed.host:1533", "listed.host:1533"},
      // Parts of a listed host, or words of the file, do not pass.
      {"listed", kDefault, ""},
      {"host", kDefault, ""},
      {".", kDefault, ""},
      {"Servers", "Servers", "Servers"},
      {"unknown.example", kDefault, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.community);
    CPlaceAddress address = MakeAddress();
    ASSERT_TRUE(address.Parse(std::string("ZR://Community=") + c.community));
    EXPECT_EQ(address.GetCommunity(), c.want);
    EXPECT_EQ(address.GetValidatedCommunity(), c.validated);
  }
}

TEST_F(PlaceAddressTest, MissingServerListGivesTheDefaultHost) {
  CPlaceAddress address(CCommunityCheck(kHost1, kHost2, kDefault, m_folder.File("missing.hst")));
  ASSERT_TRUE(address.Parse("ZR://Community=listed.host"));
  EXPECT_EQ(address.GetCommunity(), kDefault);
  ASSERT_TRUE(address.Parse("ZR://Community=chat2.test"));
  EXPECT_EQ(address.GetCommunity(), "chat2.test");
}

TEST_F(PlaceAddressTest, ParsesCommandLines) {
  struct Case {
    const char* text;
    bool result;
    Expected want;
  };
  const std::vector<Case> cases = {
      {"Community=chat.test Place=http://h/p Name=Ann Layout=Browser", true,
       {"chat.test", "http://h/p", "Ann", 0, 1, 0, CPlaceAddress::kBrowser}},
      {"  Directory=5 Place=\"http://h/a b\"  ", true, {"", "http://h/a b", "", 0, 1, 5}},
      {"Directory=oops", true, {}},
      {"", true, {}},
      {"   ", true, {}},
      // Without Directory or Layout the text names a file; this one is missing.
      {"Community=unknown.example Name=Ann", false, {kDefault, "", "Ann"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CPlaceAddress address = MakeAddress();
    EXPECT_EQ(address.ParseArgument(c.text), c.result);
    ExpectAddress(address, c.want);
  }
}

TEST_F(PlaceAddressTest, CommandLineNamingAFileReadsIt) {
  const std::string file = m_folder.File("my place.zrp");
  TempFolder::Write(file,
                    "Community=listed.host\r\nPlace=http://h/p?a=1&b=2\n Directory=7\tLayout=Text "
                    "Name=Ignored Placeholder junk=1 Directory=\r\n");
  for (const std::string& argument : {file, "\"" + file + "\"", "  " + file + " "}) {
    SCOPED_TRACE(argument);
    CPlaceAddress address = MakeAddress();
    ASSERT_TRUE(address.ParseArgument(argument));
    ExpectAddress(address, {"listed.host", "http://h/p?a=1&b=2", "", 0, 1, 7, CPlaceAddress::kText, "", "listed.host"});
  }
}

TEST_F(PlaceAddressTest, UnreadableFileLeavesTheAddressUnchanged) {
  CPlaceAddress address = MakeAddress();
  ASSERT_TRUE(address.Parse("ZR://Name=Kept Layout=Classic"));
  EXPECT_FALSE(address.ParseFile(m_folder.File("absent.zrp")));
  const std::string huge = m_folder.File("huge.zrp");
  TempFolder::Write(huge, std::string(CPlaceAddress::kMaxFileBytes + 1, 'x'));
  EXPECT_FALSE(address.ParseFile(huge));
  EXPECT_EQ(address.GetName(), "Kept");
  EXPECT_EQ(address.GetLayout(), CPlaceAddress::kClassic);
}

TEST(PlaceAddressLayout, NamesByPrefixIgnoringCase) {
  EXPECT_EQ(CPlaceAddress::LayoutFromName("Classic"), 0);
  EXPECT_EQ(CPlaceAddress::LayoutFromName("BROWSERS"), 1);
  EXPECT_EQ(CPlaceAddress::LayoutFromName("avatars and text"), 2);
  EXPECT_EQ(CPlaceAddress::LayoutFromName("Text"), 3);
  EXPECT_EQ(CPlaceAddress::LayoutFromName("Tex"), 1000);
  EXPECT_EQ(CPlaceAddress::LayoutFromName(""), 1000);
}

TEST(PlaceAddressUrl, SplitsPageAndRest) {
  std::string page;
  std::string rest;
  int isLink = -1;
  ASSERT_TRUE(CPlaceAddress::ParseUrl(" zR://x", page, rest, isLink));
  EXPECT_EQ(isLink, 1);
  EXPECT_EQ(rest, " zR://x");
  ASSERT_TRUE(CPlaceAddress::ParseUrl("http://h/a.html?ZRURL=1&Name=N?q=2&r=3", page, rest, isLink));
  EXPECT_EQ(isLink, 0);
  EXPECT_EQ(page, "http://h/a.html?q=2&r=3");
  EXPECT_EQ(rest, "&Name=N");
  EXPECT_FALSE(CPlaceAddress::ParseUrl("http://h/a.html?XZRURL=1", page, rest, isLink));
}

}  // namespace
