// The start's decisions: a second copy hands over, the directory program is
// only told to close by a copy that goes on, and the community, first page,
// name and layout come from the command line before the settings.
#include "ZrStartPlan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "CPlaceAddress.h"

namespace {

struct InstanceCase {
  bool client, directory, closeNetscape;
  bool handOver, notifyDirectory, killNetscape;
};

TEST(StartInstance, SecondCopyHandsOverAndLeavesTheDirectoryAlone) {
  const std::vector<InstanceCase> cases = {
      {false, false, false, false, false, false},
      {false, true, false, false, true, false},
      {false, false, true, false, false, true},
      {false, true, true, false, true, true},
      {true, false, false, true, false, false},
      {true, true, false, true, false, false},
      {true, false, true, true, false, false},
      {true, true, true, true, false, false},
  };
  for (const InstanceCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.client << c.directory << c.closeNetscape);
    const CZrStartPlan::Instance instance =
        CZrStartPlan::DecideInstance(c.client, c.directory, c.closeNetscape);
    EXPECT_EQ(instance.handOver, c.handOver);
    EXPECT_EQ(instance.notifyDirectory, c.notifyDirectory);
    EXPECT_EQ(instance.killNetscape, c.killNetscape);
  }
}

TEST(StartArguments, TextAfterTheProgramName) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"zrplaces.exe", ""},
      {"zrplaces.exe   Layout=Classic Name=ann", "Layout=Classic Name=ann"},
      {"\"C:\\Program Files\\Zanthe\\zrplaces.exe\" Directory=3", "Directory=3"},
      {"\"C:\\a b\\zrplaces.exe\"Directory=3", "Directory=3"},
      {"\"unterminated quote", ""},
      {"zrplaces.exe\tx\ty ", "x\ty "},
      {"", ""},
  };
  for (const auto& [line, arguments] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(CZrStartPlan::ArgumentsOf(line), arguments);
  }
}

// A community check whose list file names one other host.
class StartCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    m_listFile = ::testing::TempDir() + "app_start_servers.hst";
    std::ofstream(m_listFile) << "other.example:1533\n";
  }
  void TearDown() override { std::remove(m_listFile.c_str()); }

  CZrStartPlan Plan(const std::string& arguments) {
    CPlaceAddress address(CCommunityCheck("chat.one", "chat.two", "chat.one", m_listFile));
    address.ParseArgument(arguments);
    CZrStartPlan plan;
    plan.ApplyCommandLine(address, "home.server", 3);
    return plan;
  }

  std::string m_listFile;
};

struct CommandLineCase {
  const char* arguments;
  const char* community;
  const char* host;
  const char* pending;
  bool showPage;
  const char* nick;
  bool replicated;
  int32_t layout;
};

TEST_F(StartCommandLine, FillsCommunityPageNameAndLayout) {
  const std::vector<CommandLineCase> cases = {
      {"", "home.server", "home.server", "", true, "", false, 3},
      {"Layout=Browser", "home.server", "home.server", "", true, "", false, 1},
      {"Directory=0 Community=other.example Place=http://p/?a=1&b=2 Name=ann", "other.example",
       "other.example", "http://p/?a=1&b=2", false, "ann", false, 3},
      // A host that the list does not name falls back to the default host,
      // without a validated host.
      {"Directory=0 Community=unknown.example", "chat.one", "", "", true, "", false, 3},
      {"Layout=Avatars Community=chat.two", "chat.two", "", "", true, "", false, 2},
      {"Layout=Nonsense Place=http://q/", "home.server", "home.server", "http://q/", false, "", false, 3},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.arguments);
    const CZrStartPlan plan = Plan(c.arguments);
    EXPECT_EQ(plan.m_communityName, c.community);
    EXPECT_EQ(plan.m_communityHost, c.host);
    EXPECT_EQ(plan.m_pendingPlacePage, c.pending);
    EXPECT_EQ(plan.m_showPage, c.showPage);
    EXPECT_EQ(plan.HasNickName(), *c.nick != '\0');
    EXPECT_EQ(plan.m_nickName, c.nick);
    EXPECT_EQ(plan.m_replicated, c.replicated);
    EXPECT_EQ(plan.m_layoutMode, c.layout);
  }
}

TEST_F(StartCommandLine, SettingsGiveCommunityAndPagesOnlyWhereTheCommandLineIsSilent) {
  CZrStartPlan silent = Plan("");
  silent.ApplySettings("reloaded.server", "Reloaded Title", "http://home/");
  EXPECT_EQ(silent.m_communityName, "reloaded.server");
  EXPECT_EQ(silent.m_communityHost, "Reloaded Title");
  EXPECT_EQ(silent.m_homePage, "http://home/");
  EXPECT_EQ(silent.m_firstPage, "http://home/");

  CZrStartPlan named = Plan("Directory=0 Community=other.example Place=http://p/");
  named.ApplySettings("reloaded.server", "Reloaded Title", "http://home/");
  EXPECT_EQ(named.m_communityName, "other.example");
  EXPECT_EQ(named.m_communityHost, "other.example");
  EXPECT_EQ(named.m_homePage, "http://home/");
  EXPECT_EQ(named.m_firstPage, "http://p/");
}

}  // namespace
