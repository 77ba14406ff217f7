#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CWebLoginParams.h"
#include "IWebLoginTarget.h"

namespace {

// Records every value handed to it, in order.
class RecordingTarget : public IWebLoginTarget {
 public:
  std::vector<std::string> calls;

  void SetLoginNick(const std::string& nick) override { calls.push_back("login nick " + nick); }
  void SetIdentityNick(const std::string& nick) override { calls.push_back("identity nick " + nick); }
  void SetPassword(const std::string& password) override { calls.push_back("password " + password); }
  void SetGuestFlag(bool guest) override { calls.push_back(guest ? "guest 1" : "guest 0"); }
  void SetFFlag(bool f) override { calls.push_back(f ? "f 1" : "f 0"); }
  void SetSlotPictures(const std::string& first, const std::string& second, const std::string& third,
                       const std::string& fourth) override {
    calls.push_back("pictures " + first + "|" + second + "|" + third + "|" + fourth);
  }
};

TEST(WebLoginParams, ParseFillsEveryField) {
  struct Case {
    const char* url;
    const char* nickname;
    const char* password;
    bool guest;
    bool f;
    const char* pictures[4];
    bool hasLoginValues;
  };
  const Case cases[] = {
      {"zrs://login/?f=yes&nickname=Bob%20Smith&pswd=a%20b", "Bob Smith", "a%20b", false, true, {"", "", "", ""}, true},
      {"zrs://login/?nickname=Al+Bo&Guest=1&f=YES", "Al Bo", "", true, true, {"", "", "", ""}, true},
      {"zrs://login/?Guest=1", "", "", true, false, {"", "", "", ""}, false},
      {"zrs://login/?Guest=&f=no", "", "", false, false, {"", "", "", ""}, true},
      // One-letter keys match every key they begin ("p" also the pictures').
      {"zrs://login/?n=Cy&p=pw&G=y", "Cy", "pw", true, false, {"pw", "pw", "pw", "pw"}, true},
      {"zrs://login/?Guest=1&Part1=a.bmp&Part2=b.bmp&Part3=c.bmp&Part4=d.bmp", "", "", true, false,
       {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}, false},
      {"  zrs://login/?nickname=\"Bob Smith\"&pswd=\"x y\"&Guest=1", "Bob Smith", "x y", true, false,
       {"", "", "", ""}, true},
      {"zrs://", "", "", false, false, {"", "", "", ""}, true},
  };
  for (const Case& c : cases) {
    CWebLoginParams params;
    ASSERT_TRUE(params.Parse(c.url)) << c.url;
    EXPECT_EQ(params.GetNickname(), c.nickname) << c.url;
    EXPECT_EQ(params.GetPassword(), c.password) << c.url;
    EXPECT_EQ(params.IsGuest(), c.guest) << c.url;
    EXPECT_EQ(params.GetFFlag(), c.f) << c.url;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(params.GetPicture(i), c.pictures[i]) << c.url << " picture " << i;
    EXPECT_EQ(params.HasLoginValues(), c.hasLoginValues) << c.url;
  }
}

TEST(WebLoginParams, OtherUrlsCarryNoLoginValues) {
  const char* const urls[] = {
      "http://host.test/?nickname=Bob&pswd=x",
      "ZRS://login/?nickname=Bob",
      "ZR://Name=Bob",
      "x zrs://login/?nickname=Bob",
      "",
  };
  for (const char* url : urls) {
    CWebLoginParams params;
    ASSERT_TRUE(params.Parse("zrs://login/?nickname=Old&pswd=old&Part1=p.bmp"));
    EXPECT_FALSE(params.Parse(url)) << url;
    EXPECT_EQ(params.GetNickname(), "") << url;
    EXPECT_EQ(params.GetPassword(), "") << url;
    EXPECT_EQ(params.GetPicture(0), "") << url;
    EXPECT_TRUE(params.IsGuest()) << url;
    EXPECT_FALSE(params.HasLoginValues()) << url;
  }
}

TEST(WebLoginParams, ResetKeepsTheFFlag) {
  CWebLoginParams params;
  ASSERT_TRUE(params.Parse("zrs://login/?f=yes&nickname=Bob"));
  params.Reset();
  EXPECT_TRUE(params.GetFFlag());
  EXPECT_EQ(params.GetNickname(), "");
  ASSERT_TRUE(params.Parse("zrs://login/?nickname=Bob"));
  EXPECT_FALSE(params.GetFFlag()) << "a parse without f clears it";
}

TEST(WebLoginParams, ApplyHandsEveryValueOn) {
  CWebLoginParams params;
  ASSERT_TRUE(params.Parse("zrs://login/?nickname=Bob%21&pswd=pw&f=yes&Part1=1.bmp&Part3=3.bmp"));
  RecordingTarget target;
  params.Apply(target);
  const std::vector<std::string> expected = {
      "login nick Bob!", "identity nick Bob!", "password pw", "guest 0", "f 1", "pictures 1.bmp||3.bmp|",
  };
  EXPECT_EQ(target.calls, expected);
}

}  // namespace
