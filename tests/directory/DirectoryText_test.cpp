// Text rules of the browser host and the answer list of navigation questions.
#include <gtest/gtest.h>

#include "CNavAnswerList.h"
#include "DirectoryText.h"

using namespace zr::directory;

TEST(DirectoryText, HttpSlashRepair) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"http:/host/page", "http://host/page"},
      {"http://host/page", "http://host/page"},
      {"x http:/a http:/b", "x http://a http:/b"},
      {"http:/a then http://b", "http:/a then http://b"},
      {"ftp://host", "ftp://host"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairHttpSlash(c.in), c.out) << c.in;
  }
}

TEST(DirectoryText, StatusTextOfPlaceLinks) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"zr://Community=host&place=http:/www.example.org/room", "http://www.example.org/room"},
      {"zr://Community=a&place=x&place=y", "x&place=y"},
      {"zr://abcdef", "bcdef"},
      {"zr://", ""},
      {"zr://a", ""},
      {"ZR://x&place=y", "ZR://x&place=y"},
      {"Downloading http:/host/a", "Downloading http://host/a"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatusTextForDisplay(c.in), c.out) << c.in;
  }
}

TEST(DirectoryText, UnderscoresAndRedirects) {
  EXPECT_EQ(UnderscoresToBlanks("Event_Management"), "Event Management");
  EXPECT_EQ(UnderscoresToBlanks("__a_"), "  a ");
  EXPECT_TRUE(IsRedirectAddress("http://host/redirect?to=x"));
  EXPECT_FALSE(IsRedirectAddress("http://host/Redirect"));
  EXPECT_FALSE(IsRedirectAddress("http://host/page"));
}

TEST(DirectoryText, PageAddressesCompareWithoutDefaultPorts) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const Case cases[] = {
      {"http://Host/dir", "http://host/DIR", true},
      {"http://host:8080/dir", "http://host/dir", true},
      {"http://host:80/dir", "http://host/dir", true},
      {"http://host:8080/dir", "http://host:80/dir", true},
      {"http://host:81/dir", "http://host/dir", false},
      {"http://host/dir", "http://host/dir2", false},
      {"", "", false},
      {"http://host/", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageAddressesEqual(c.a, c.b), c.equal) << c.a << " | " << c.b;
  }
  EXPECT_EQ(TrimLeft(" \t\r\nx y "), "x y ");
}

TEST(NavAnswerList, AnswersAreTakenByExactAddressInArrivalOrder) {
  CNavAnswerList list;
  list.Add("http://a/", CNavAnswerList::kStay);
  list.Add("http://b/", CNavAnswerList::kGo);
  list.Add("http://a/", CNavAnswerList::kGo);

  EXPECT_FALSE(list.Take("http://A/").has_value());
  EXPECT_FALSE(list.Take(" http://a/").has_value());
  EXPECT_EQ(list.Take("http://a/"), CNavAnswerList::kStay);
  EXPECT_EQ(list.Size(), 2u);
  EXPECT_EQ(list.Take("http://a/"), CNavAnswerList::kGo);
  EXPECT_FALSE(list.Take("http://a/").has_value());
  EXPECT_EQ(list.Take("http://b/"), CNavAnswerList::kGo);
  EXPECT_EQ(list.Size(), 0u);
}
