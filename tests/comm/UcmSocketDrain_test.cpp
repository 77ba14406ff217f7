#include "UcmSocketDrain.h"

#include <gtest/gtest.h>

#include "FakeUcmPort.h"
#include "UcmError.h"
#include "WireEncoder.h"

namespace {

constexpr UcmSocketHandle kSocket = 1040;

using Steps = std::deque<CFakeUcmPort::Step>;

struct EndCase {
    const char* name;
    int32_t shutdownError;
    Steps input;
    bool held;
};

class UcmSocketDrainTest : public ::testing::TestWithParam<EndCase> {
protected:
    CFakeUcmPort port;
};

TEST_P(UcmSocketDrainTest, EndShutsDownAndHoldsOnlyAPeerThatHasNotClosed)
{
    const EndCase& row = GetParam();
    port.shutdownError = row.shutdownError;
    port.input = row.input;
    {
        CUcmSocketDrain drain(port);
        drain.End(kSocket);
        EXPECT_EQ(drain.Holds(kSocket), row.held);
        EXPECT_EQ(port.closeTimer, row.held);
        EXPECT_EQ(port.closed.empty(), row.held);
        EXPECT_EQ(port.shutdowns.size(), row.shutdownError == 0 ? 1u : 0u);
        if (row.held) {
            EXPECT_EQ(port.selects, (std::vector<uint32_t>{UcmEvent::kRead | UcmEvent::kClose}));
            EXPECT_TRUE(port.input.empty()) << "what had arrived is read";
        }
    }
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{kSocket})) << "closed once, at the latest when the drain goes";
    EXPECT_FALSE(port.closeTimer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UcmSocketDrainTest,
    ::testing::Values(EndCase{"NothingArrivedYet", 0, {}, true},
                      EndCase{"InputArrivedAndMoreToCome", 0, {CFakeUcmPort::Data(Bytes(20000, 0x4C))}, true},
                      EndCase{"PeerClosedAlready", 0, {CFakeUcmPort::Data({1, 2}), CFakeUcmPort::Closed()}, false},
                      EndCase{"ConnectionReset", 0, {CFakeUcmPort::Error(UcmSys::kConnReset)}, false},
                      EndCase{"NeverConnected", UcmSys::kNotConnected, {}, false}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST(UcmSocketDrain, ReadsUntilThePeerClosesThenCloses)
{
    CFakeUcmPort port;
    CUcmSocketDrain drain(port);
    drain.End(kSocket);
    drain.End(kSocket + 1);
    port.input = {CFakeUcmPort::Data(Bytes(200000, 0x55))};
    drain.OnEvent(kSocket);
    EXPECT_FALSE(port.input.empty()) << "a peer that keeps sending does not hold the thread";
    EXPECT_TRUE(drain.Holds(kSocket));
    while (!port.input.empty())
        drain.OnEvent(kSocket);
    port.input = {CFakeUcmPort::Closed()};
    drain.OnEvent(kSocket);
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{kSocket}));
    EXPECT_FALSE(drain.Holds(kSocket));
    EXPECT_TRUE(drain.Holds(kSocket + 1));
    EXPECT_TRUE(port.closeTimer) << "still needed for the other socket";
    drain.OnEvent(kSocket);
    EXPECT_EQ(port.closed.size(), 1u) << "an event after the close does nothing";
}

TEST(UcmSocketDrain, APeerThatNeverClosesIsClosedAtTheBound)
{
    CFakeUcmPort port;
    CUcmSocketDrain drain(port);
    drain.End(kSocket);
    for (uint32_t tick = 1; tick < CUcmSocketDrain::kBoundTicks / 2; ++tick)
        drain.Tick();
    drain.End(kSocket + 1);
    for (uint32_t tick = CUcmSocketDrain::kBoundTicks / 2; tick < CUcmSocketDrain::kBoundTicks; ++tick)
        drain.Tick();
    EXPECT_TRUE(drain.Holds(kSocket));
    drain.Tick();
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{kSocket}));
    EXPECT_TRUE(port.closeTimer);
    while (drain.Count() != 0)
        drain.Tick();
    EXPECT_EQ(port.closed, (std::vector<UcmSocketHandle>{kSocket, kSocket + 1}));
    EXPECT_FALSE(port.closeTimer);
}

} // namespace
