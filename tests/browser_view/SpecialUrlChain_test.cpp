#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrowserFakes.h"
#include "CSpecialUrlChain.h"
#include "ZrPerson.h"

namespace {

using Log = std::vector<std::string>;

TEST(SpecialUrlChain, EachKindOfUrlGoesToItsHandler) {
  struct Case {
    const char* url;
    bool taken;
    Log hostLog;
    Log ownerLog;
  };
  const Case cases[] = {
      {"ZR://Name=Hall Layout=Text", true, {"open place Hall flag 0"}, {"place taken"}},
      {"http://pages.test/room.htm?ZRURL=1&Name=Lobby", true, {"open place Lobby flag 0"}, {"place taken"}},
      {"zrs://login/?nickname=Bob%20S&pswd=pw&f=yes&Part2=b.bmp", true,
       {"login nick Bob S", "identity nick Bob S", "password pw", "guest 0", "f 1", "pictures |b.bmp||",
        "connect"},
       {}},
      // Only a guest flag: nothing to apply, but the connection starts.
      {"zrs://login/?Guest=1", true, {"connect"}, {}},
      {"event:7:now", true, {"perform 7", "freed 7"}, {}},
      {"event:8:typeless", true, {"freed 8"}, {}},
      {"http://pages.test/plain.htm?nickname=Bob", false, {}, {}},
      {"ZRS://login/?nickname=Bob", false, {}, {}},
      {"", false, {}, {}},
  };
  for (const Case& c : cases) {
    FakeHost host;
    FakeOwner owner;
    {
      CSpecialUrlChain chain(host);
      EXPECT_EQ(chain.Take(c.url, &owner), c.taken) << c.url;
      EXPECT_EQ(chain.GetQueuedCount(), 0u) << c.url;
    }
    EXPECT_EQ(host.log, c.hostLog) << c.url;
    EXPECT_EQ(owner.log, c.ownerLog) << c.url;
  }
}

TEST(SpecialUrlChain, APlaceLinkIsTakenBeforeTheLaterHandlersSeeIt) {
  FakeHost host;
  FakeOwner owner;
  CSpecialUrlChain chain(host);
  EXPECT_TRUE(chain.Take("ZR://Name=Hall nickname=Bob", &owner));
  EXPECT_EQ(host.log, Log{"open place Hall flag 0"});
  EXPECT_TRUE(chain.Take("ZR://Name=Hall", nullptr)) << "no owner to tell";
}

TEST(SpecialUrlChain, WaitingInteractionsAreQueuedUntilTheirRecipientAnswers) {
  FakeHost host;
  CZrPerson recipient;
  {
    CSpecialUrlChain chain(host);
    ASSERT_TRUE(chain.Take("event:a:wait", nullptr));
    ASSERT_TRUE(chain.Take("event:b:wait", nullptr));
    ASSERT_TRUE(chain.Take("event:c:wait", nullptr));
    EXPECT_EQ(chain.GetQueuedCount(), 3u);
    EXPECT_FALSE(chain.FindInteraction("z", recipient));
    EXPECT_TRUE(chain.FindInteraction("b", recipient));
    EXPECT_FALSE(chain.FindInteraction("b", recipient)) << "sent once, then gone";
    EXPECT_EQ(chain.GetQueuedCount(), 2u);
    EXPECT_EQ(host.log, (Log{"perform a", "perform b", "perform c", "send b", "freed b"}));
    host.log.clear();
  }
  EXPECT_EQ(host.log, (Log{"freed a", "freed c"})) << "the queue is freed with the chain";
}

}  // namespace
