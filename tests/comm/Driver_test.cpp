// The comm-driver's portable part: its JSON lines, the tree as JSON and the
// line commands, on a client place driven through the protocol handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DriverJson.h"
#include "DriverPlace.h"
#include "DriverShell.h"
#include "DriverTree.h"
#include "PlaceBytes.h"
#include "PlaceDoubles.h"
#include "ZrPlaceBinding.h"

using PlaceBytes::Op;

namespace {

class DriverFixture : public ::testing::Test, public IDriverConnector {
protected:
    DriverFixture() : place(&myself, [this](const std::string& line) { lines.push_back(line); }),
                      shell(place, *this, [this](const std::string& line) { lines.push_back(line); })
    {
        connection.Open(protocol, 0x0100007F);
        Feed(CWireEncoder().Header(0).U16(3).U16(1).U16(0));
    }
    int32_t Connect(const std::string& host, uint16_t port) override
    {
        connects.push_back(host + ":" + std::to_string(port));
        return 0;
    }
    IZrPlaceConnection& Connection() override { return connection; }

    void Feed(const Bytes& message)
    {
        connection.session->OnMessage(static_cast<uint32_t>(message.size()), message.data());
    }
    uint16_t Key() { return place.GetBinding() ? place.GetBinding()->Key() : 0; }
    // Connect, log in, welcome, enter with bob (8) in group 1024.
    void Enter()
    {
        shell.Execute("connect localhost 1533 ann");
        shell.OnSessionReady();
        connection.Flush();
        Feed(PlaceBytes::Welcome(Key(), PlaceBytes::WelcomeFields()));
        shell.Execute("enter http://page/");
        connection.Flush();
        const TreeBytes group = PlaceBytes::Room(102, 10, TreeBytes().PersonChild(8, "bob"), 1);
        Feed(Op(Key(), 7, 3, PlaceBytes::Snapshot2(100, group).Bytes()));
        lines.clear();
    }

    std::vector<std::string> lines;
    std::vector<std::string> connects;
    CZrClientProtocol protocol{CZrProtocol::kDefaultRegistrationLimit};
    ConnectionDouble connection;
    CZrPerson myself;
    CDriverPlace place;
    CDriverShell shell;
};

} // namespace

TEST(DriverJson, QuotesEveryByteAsValidJson)
{
    EXPECT_EQ(CDriverJson::Quote(std::string("a\"b\\c\n\x01\xff", 8)), "\"a\\\"b\\\\c\\u000a\\u0001\\u00ff\"");
    EXPECT_EQ(CDriverJson("OnMove").Add("object", 7u).Add("text", "x").Add("flag", true).AddJson("position", "null").Text(),
              "{\"event\": \"OnMove\", \"object\": 7, \"text\": \"x\", \"flag\": true, \"position\": null}");
}

TEST_F(DriverFixture, LoginEntryAndCallbacksPrintOneLineEach)
{
    shell.Execute("connect localhost 1533 ann");
    EXPECT_EQ(connects, std::vector<std::string>({"localhost:1533"}));
    shell.OnSessionReady();
    connection.Flush();
    Feed(PlaceBytes::Welcome(Key(), PlaceBytes::WelcomeFields()));
    shell.Execute("enter http://page/");
    connection.Flush();
    Feed(Op(Key(), 7, 3, PlaceBytes::Snapshot2(100, PlaceBytes::Room(102, 10, TreeBytes().PersonChild(8, "bob"), 1)).Bytes()));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "{\"event\": \"result\", \"command\": \"connect\", \"code\": 0}");
    EXPECT_EQ(lines[1], "{\"event\": \"result\", \"command\": \"login\", \"code\": 0}");
    EXPECT_EQ(lines[2], "{\"event\": \"OnConnected\", \"member\": 7, \"name\": \"ann\"}");
    EXPECT_EQ(lines[3], "{\"event\": \"result\", \"command\": \"enter\", \"code\": 0}");
    EXPECT_EQ(lines.back(), "{\"event\": \"OnEntered\", \"place\": 100, \"name\": \"http://page/\", \"position\": null, "
                            "\"flag\": 0, \"text\": \"welcome\"}");
    lines.clear();

    Feed(Op(Key(), 102, 4, TreeBytes().PersonChild(9, "cat").Bytes()));
    Feed(Op(Key(), 9, 17, CWireEncoder().U32(100).U16(5).Text("hi all").Blob({})));
    Feed(Op(Key(), 9, 5, CWireEncoder().Text("gone")));
    EXPECT_EQ(lines, std::vector<std::string>(
                         {"{\"event\": \"OnEnter\", \"object\": 9, \"name\": \"cat\", \"parent\": 102, \"position\": null}",
                          "{\"event\": \"OnReceive\", \"object\": 100, \"sender\": 9, \"sender_name\": \"cat\", \"value\": 5, "
                          "\"text\": \"hi all\", \"blob\": \"\"}",
                          "{\"event\": \"OnLeave\", \"object\": 9, \"name\": \"cat\", \"reason\": \"gone\"}"}));
}

TEST_F(DriverFixture, CommandsSendTheirRequests)
{
    Enter();
    shell.Execute("say hello there");
    EXPECT_EQ(connection.socket.sent.back(), Op(1, 7, 17, CWireEncoder().U32(100).U16(5).Text("hello there").Blob({})));
    shell.Execute("whisper 8 psst");
    EXPECT_EQ(connection.socket.sent.back(), Bytes(CWireEncoder().Header(5).U32(7).Text("psst").Blob({}).U32(8)));
    shell.Execute("move 10 20");
    EXPECT_EQ(connection.socket.sent.back(), Op(1, 7, 6, CWireEncoder().U32(102).U8(2).U16(10).U16(20).U16(1).U8(0)));
    EXPECT_EQ(lines, std::vector<std::string>({"{\"event\": \"result\", \"command\": \"say\", \"code\": 0}",
                                               "{\"event\": \"result\", \"command\": \"whisper\", \"code\": 0}",
                                               "{\"event\": \"result\", \"command\": \"move\", \"code\": 0}"}));
    lines.clear();
    shell.Execute("tree");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("\"name\": \"bob\""), std::string::npos);
    EXPECT_NE(lines[0].find("\"id\": 102"), std::string::npos);
    lines.clear();
    shell.Execute("leave");
    EXPECT_EQ(connection.socket.sent.back(), Bytes(CWireEncoder().Header(14).U16(1).U32(7).U16(0)));
    EXPECT_FALSE(shell.Execute("quit"));
}

TEST_F(DriverFixture, MalformedCommandsAreReportedAndChangeNothing)
{
    Enter();
    const size_t sent = connection.socket.sent.size();
    for (const char* line : {"whisper x hi", "move 1", "move 70000 1", "connect host", "connect host port name", "fly",
                             "enter", "enter http://page/ 1", "enter http://page/ x 2"}) {
        lines.clear();
        EXPECT_TRUE(shell.Execute(line)) << line;
        ASSERT_EQ(lines.size(), 1u) << line;
        EXPECT_EQ(lines[0].rfind("{\"event\": \"error\"", 0), 0u) << line;
    }
    EXPECT_EQ(connection.socket.sent.size(), sent);
    EXPECT_EQ(connects.size(), 1u);
}
