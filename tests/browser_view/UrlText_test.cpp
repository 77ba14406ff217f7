#include <gtest/gtest.h>

#include <string>

#include "CZrUrlText.h"

namespace {

TEST(UrlText, StartsWithNoCaseComparesTheShorterLengthAboveTheMinimum) {
  struct Case {
    const char* key;
    size_t minimum;
    const char* candidate;
    bool expected;
  };
  const Case cases[] = {
      {"nickname", 1, "n", true},
      {"nickname", 1, "NICK", true},
      {"nickname", 1, "nicknames", true},
      {"nickname", 1, "nickel", false},
      {"nickname", 1, "", false},
      {"nickname", 5, "nick", false},
      {"nickname", 5, "nickn", true},
      {"pswd", 1, "p", true},
      {"pswd", 1, "Part1", false},
      {"Part1", 1, "Part2", false},
      {"f", 1, "foo", true},
      {"", 0, "anything", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CZrUrlText::StartsWithNoCase(c.key, c.minimum, c.candidate), c.expected)
        << c.key << " / " << c.minimum << " / " << c.candidate;
  }
}

TEST(UrlText, StartsWithTrimmedTrimsBothAndKeepsCase) {
  struct Case {
    const char* prefix;
    const char* text;
    bool expected;
  };
  const Case cases[] = {
      {"zrs://", "zrs://host/?nickname=a", true},
      {"zrs://", "  \tzrs://host", true},
      {" zrs:// ", "zrs://", true},
      {"zrs://", "ZRS://host", false},
      {"zrs://", "zrs:/", false},
      {"zrs://", "http://zrs://", false},
      {"zrs://", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CZrUrlText::StartsWithTrimmed(c.prefix, c.text), c.expected) << "[" << c.prefix << "] [" << c.text << "]";
  }
}

TEST(UrlText, FindUrlParameterFindsTheValueAndThePositionOfItsKey) {
  struct Case {
    const char* text;
    const char* key;
    size_t minimum;
    bool found;
    const char* value;
    size_t keyPos;
  };
  const Case cases[] = {
      {"zrs://h/?f=yes&nickname=Bob%20Smith", "nickname", 1, true, "Bob%20Smith", 15},
      {"zrs://h/?f=yes&nickname=Bob%20Smith", "f", 1, true, "yes", 9},
      {"zrs://h/?p=secret&n=Al", "pswd", 1, true, "secret", 9},
      {"zrs://h/?p=secret&n=Al", "pswd", 4, false, "", 0},
      {"nickname=first&nickname=second", "nickname", 1, true, "first", 0},
      {"x?nickname=\"Bob Smith\"&f=no", "nickname", 1, true, "Bob Smith", 2},
      // A second quoted value stays out of the first.
      {"x?nickname=\"Bob\"&pswd=\"top secret\"", "nickname", 1, true, "Bob", 2},
      {"x?nickname=\"Bob\"&pswd=\"top secret\"", "pswd", 1, true, "top secret", 17},
      // A quoted value without its closing quote runs to the end.
      {"x?nickname=\"Bob Smith", "nickname", 1, true, "Bob Smith", 2},
      {"x?nickname=\"", "nickname", 1, true, "", 2},
      {"x?nickname=a b", "nickname", 1, true, "a", 2},
      {"x?nickname=a#frag", "nickname", 1, true, "a", 2},
      {"x?nickname=a?b=c", "nickname", 1, true, "a", 2},
      {"x?nickname=a/b", "nickname", 1, true, "a/b", 2},
      {"x?nickname=", "nickname", 1, true, "", 2},
      {"x?Guest=&pswd=1", "Guest", 1, true, "", 2},
      // The candidate starts after the '=' of the previous pair.
      {"a=nickname=c", "nickname", 1, true, "c", 2},
      {"a=xnickname=c", "nickname", 1, false, "", 0},
      {"x?a=1&b=2", "nickname", 1, false, "", 0},
      {"no pairs here", "nickname", 1, false, "", 0},
      {"", "nickname", 1, false, "", 0},
      {"=", "nickname", 1, false, "", 0},
      {"=value", "", 0, true, "value", 0},
  };
  for (const Case& c : cases) {
    std::string value = "unchanged";
    size_t keyPos = 999;
    const bool found = CZrUrlText::FindUrlParameter(c.text, c.key, c.minimum, value, &keyPos);
    EXPECT_EQ(found, c.found) << c.text << " / " << c.key;
    if (!found || !c.found) continue;
    EXPECT_EQ(value, c.value) << c.text << " / " << c.key;
    EXPECT_EQ(keyPos, c.keyPos) << c.text << " / " << c.key;
  }
}

TEST(UrlText, UrlUnescapeDecodesInOnePassAndNeverReadsPastTheEnd) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"Bob%20Smith", "Bob Smith"},
      {"Bob+Smith", "Bob Smith"},
      {"a%2Bb", "a+b"},
      {"%41%62%7e", "Ab~"},
      {"%2541", "%41"},
      {"100%", "100%"},
      {"100%4", "100%4"},
      {"%zz%4g", "%zz%4g"},
      {"a%00b", "a%00b"},
      {"%e9t%E9", "\xe9t\xe9"},
      {"", ""},
      {"plain", "plain"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    CZrUrlText::UrlUnescape(text);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

TEST(UrlText, ParseYesNoSetsTheFlagOnlyForAnAnswer) {
  struct Case {
    const char* text;
    bool parsed;
    int flag;
  };
  const Case cases[] = {
      {"Yes", true, 1}, {"yes", true, 1}, {"Y", true, 1},    {"No", true, 0},     {"n", true, 0},
      {"NO", true, 0},  {"", false, 7},   {"maybe", false, 7}, {"true", false, 7}, {"Nope", true, 0}, {"on", false, 7},
  };
  for (const Case& c : cases) {
    int flag = 7;
    EXPECT_EQ(CZrUrlText::ParseYesNo(c.text, flag), c.parsed) << c.text;
    EXPECT_EQ(flag, c.flag) << c.text;
  }
}

TEST(UrlText, UrlsEqualIgnoresCaseAndTheWebPorts) {
  struct Case {
    const char* a;
    const char* b;
    bool expected;
  };
  const Case cases[] = {
      {"http://host.test:80/page.htm", "HTTP://HOST.TEST/PAGE.HTM", true},
      {"http://host.test:8080/page.htm", "http://host.test/page.htm", true},
      {"http://host.test:8080/", "http://host.test:80/", true},
      // ":8080" is cut whole, not as ":80" leaving "80".
      {"http://host.test:8080/", "http://host.test80/", false},
      {"http://host.test:81/", "http://host.test/", false},
      {"http://host.test/a", "http://host.test/b", false},
      {"", "", false},
      {"http://host.test/", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CZrUrlText::UrlsEqual(c.a, c.b), c.expected) << c.a << " / " << c.b;
    EXPECT_EQ(CZrUrlText::UrlsEqual(c.b, c.a), c.expected) << c.b << " / " << c.a;
  }
}

TEST(UrlText, UrlsEqualLooseDropsOneTrailingSlashAndKeepsCase) {
  struct Case {
    const char* a;
    const char* b;
    bool expected;
  };
  const Case cases[] = {
      {"http://host.test/dir/", "http://host.test/dir", true},
      {"http://host.test/dir/", "http://host.test/dir/", true},
      {"http://host.test/Dir", "http://host.test/dir", false},
      {"http://host.test/dir//", "http://host.test/dir", false},
      {"http://host.test/dir /", "http://host.test/dir", true},
      {"/", "/", true},
      {"", "", false},
      {"a", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CZrUrlText::UrlsEqualLoose(c.a, c.b), c.expected) << c.a << " / " << c.b;
    EXPECT_EQ(CZrUrlText::UrlsEqualLoose(c.b, c.a), c.expected) << c.b << " / " << c.a;
  }
}

}  // namespace
