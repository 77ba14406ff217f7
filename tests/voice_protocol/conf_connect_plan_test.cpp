#include "CConfConnectPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class RecordingAttempts : public IConfConnectAttempts
{
public:
    Calls calls;

    void StartAttempt(const std::string& server, int32_t port) override
    {
        calls.push_back("start " + server + ":" + std::to_string(port));
    }
    void StopAttempt(int32_t port) override { calls.push_back("stop " + std::to_string(port)); }
    void StartTunnelTimer(uint32_t milliseconds) override
    {
        calls.push_back("timer " + std::to_string(milliseconds));
    }
    void KillTunnelTimer() override { calls.push_back("kill timer"); }

    Calls Take()
    {
        Calls taken;
        taken.swap(calls);
        return taken;
    }
};

class ConnectPlanFixture : public ::testing::Test
{
protected:
    RecordingAttempts attempts;
    CConfConnectPlan plan{attempts};
};

TEST_F(ConnectPlanFixture, TheTunnelSettingChoosesTheAttempts)
{
    struct Case
    {
        int32_t tunnel;
        Calls calls;
        bool tunnelInUse;
    };
    const Case cases[] = {
        {0, {"start conf:3450"}, false},
        {CConfConnectPlan::kTunnelOnly, {"start conf:80"}, true},
        {1, {"start conf:3450", "timer 500"}, false},
        {-5, {"start conf:3450", "timer 500"}, false},
    };
    for (const auto& c : cases) {
        RecordingAttempts fresh;
        CConfConnectPlan freshPlan(fresh);
        freshPlan.Start(c.tunnel, "conf");
        EXPECT_EQ(fresh.calls, c.calls) << c.tunnel;
        EXPECT_EQ(freshPlan.TunnelInUse(), c.tunnelInUse) << c.tunnel;
        EXPECT_EQ(freshPlan.Server(), "conf");
    }
}

TEST_F(ConnectPlanFixture, TheTimerStartsTheTunnelOnlyWhileNotConnected)
{
    plan.Start(1, "conf");
    attempts.Take();
    plan.OnTunnelTimer(false);
    EXPECT_EQ(attempts.Take(), Calls{"start conf:80"});
    plan.OnTunnelTimer(false);
    EXPECT_TRUE(attempts.Take().empty());

    RecordingAttempts other;
    CConfConnectPlan connected(other);
    connected.Start(1, "conf");
    other.Take();
    connected.OnTunnelTimer(true);
    EXPECT_TRUE(other.Take().empty());
}

TEST_F(ConnectPlanFixture, AStartWhileAnAttemptRunsStartsNoSecond)
{
    plan.Start(0, "conf");
    plan.Start(0, "conf");
    EXPECT_EQ(attempts.Take(), Calls{"start conf:3450"});
}

TEST_F(ConnectPlanFixture, TheFirstConnectionWinsAndStopsTheRest)
{
    plan.Start(1, "conf");
    plan.OnTunnelTimer(false);
    attempts.Take();
    EXPECT_TRUE(plan.OnConnected(CConfConnectPlan::kTunnelPort));
    EXPECT_EQ(attempts.Take(), (Calls{"stop 3450", "stop 80"}));
    EXPECT_TRUE(plan.TunnelInUse());
    // The loser's late result is not wanted.
    EXPECT_FALSE(plan.OnConnected(CConfConnectPlan::kDirectPort));
    EXPECT_FALSE(plan.OnConnectFailed(CConfConnectPlan::kDirectPort));
}

TEST_F(ConnectPlanFixture, ADirectConnectionKillsThePendingTimer)
{
    plan.Start(1, "conf");
    attempts.Take();
    EXPECT_TRUE(plan.OnConnected(CConfConnectPlan::kDirectPort));
    EXPECT_EQ(attempts.Take(), (Calls{"kill timer", "stop 3450"}));
    EXPECT_FALSE(plan.TunnelInUse());
}

struct FailureCase
{
    const char* name;
    int32_t tunnel;
    bool timerFires;
    std::vector<int32_t> failures;
    std::vector<bool> givesUp;
};

TEST_F(ConnectPlanFixture, TheConnectionFailsWhenNoAttemptRemains)
{
    const FailureCase cases[] = {
        {"direct only", 0, false, {3450}, {true}},
        {"tunnel only", CConfConnectPlan::kTunnelOnly, false, {80}, {true}},
        {"direct fails, timer pending", 1, false, {3450}, {false}},
        {"direct fails, then tunnel", 1, true, {3450, 80}, {false, true}},
        {"tunnel fails, then direct", 1, true, {80, 3450}, {false, true}},
        {"unknown port", 0, false, {81, 3450}, {false, true}},
        {"failure reported twice", 0, false, {3450, 3450}, {true, false}},
    };
    for (const auto& c : cases) {
        RecordingAttempts fresh;
        CConfConnectPlan freshPlan(fresh);
        freshPlan.Start(c.tunnel, "conf");
        for (size_t i = 0; i < c.failures.size(); ++i) {
            if (c.timerFires && i == 0)
                freshPlan.OnTunnelTimer(false);
            EXPECT_EQ(freshPlan.OnConnectFailed(c.failures[i]), c.givesUp[i]) << c.name << " " << i;
        }
    }
}

TEST_F(ConnectPlanFixture, StoppingAllEndsAttemptsAndTimer)
{
    plan.Start(1, "conf");
    attempts.Take();
    EXPECT_FALSE(plan.OnConnectFailed(CConfConnectPlan::kAllAttempts));
    EXPECT_EQ(attempts.Take(), (Calls{"kill timer", "stop 3450"}));
    plan.OnTunnelTimer(false);
    EXPECT_TRUE(attempts.Take().empty());
    plan.StopAll();
    EXPECT_TRUE(attempts.Take().empty());
}

} // namespace
