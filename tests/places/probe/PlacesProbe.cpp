// places-probe (native): the root place and the community connection on the
// real communication library over the poll() port. Every call the place
// makes into the application, the DDE session and the browser frame prints
// as one JSON line; commands arrive as lines on stdin:
//   page URL            the page the browser frame shows
//   connect URL NAME    CCommunityConnection::SetUrl; logs in as NAME
//   quit
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "CCommunityConnection.h"
#include "CCommunityProtocol.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "DriverJson.h"
#include "IPersonViews.h"
#include "PlaceFakes.h"
#include "UcmManager.h"
#include "UcmPollPort.h"
#include "ZrGroup.h"
#include "ZrPerson.h"
#include "ZrProtocol.h"

namespace {

void Print(const CDriverJson& json)
{
    std::fputs(json.Text().c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Event(const char* name, const std::string& text = std::string())
{
    Print(CDriverJson(name).Add("text", text));
}

// The application, DDE session and frame of the probe: the recording fakes
// of the tests, each call also printed.
class ProbeApp : public FakeApp {
public:
    void PostMessageBox(const std::string& text) override { Event("message", text); }
    void SetStatusText(const std::string& text) override { Event("status", text); }
    void SetMainTitle(const std::string& title) override { Event("title", title); }
    void SetPageText(const std::string& text) override { Event("pageText", text); }
    void OnPlaceEntered() override { Event("entered"); }
    void SetPlaceLayout(int32_t type) override { Print(CDriverJson("layout").Add("type", type)); }
    bool AcceptReconnect() override { return false; }
    void ShowSay(const CZrObject& sender, const std::string& text) override
    {
        Print(CDriverJson("say").Add("sender", sender.GetId()).Add("name", sender.GetName()).Add("text", text));
    }
};

// The persons' windows and notices: each call prints as a "person" line
// with the call, the person and the group or seat it names.
class ProbeViews : public IPersonViews {
public:
    void CreatePlaceWindow(CZrPerson& person, CZrGroup* host) override
    {
        m_windows.insert(person.GetId());
        Emit("window", person, host ? host->GetId() : 0);
    }
    bool HasPlaceWindow(const CZrPerson& person) const override { return m_windows.count(person.GetId()) != 0; }
    void HidePlaceWindow(CZrPerson& person) override { Emit("hide", person); }
    void UpdateVisibility(CZrPerson& person) override { Emit("layout", person); }
    void Withdraw(CZrPerson& person) override { Emit("withdraw", person); }
    void Repaint(CZrPerson& person) override { Emit("repaint", person); }
    void SetMark(CZrPerson& person, bool on) override { Emit(on ? "mark-on" : "mark-off", person); }
    void DestroyWindows(CZrPerson& person) override
    {
        m_windows.erase(person.GetId());
        Emit("destroy", person);
    }
    void FreeSeat(CZrGroup& row, uint16_t seat) override { EmitSeat("free-seat", row, seat); }
    void AddEmptySeat(CZrGroup& row, uint16_t seat) override { EmitSeat("empty-seat", row, seat); }
    void AddToPeople(CZrPerson& person) override { Emit("people-add", person); }
    void RemoveFromPeople(CZrPerson& person) override { Emit("people-remove", person); }
    void UpdateInPeople(CZrPerson& person) override { Emit("people-update", person); }
    void ChangeInPeople(CZrPerson& person) override { Emit("people-change", person); }
    void SendPlaceNotice(CZrPerson& person, uint32_t value) override { Emit("place-notice", person, value); }
    void SendMemberMessage(CZrPerson& person, CZrGroup& group) override
    {
        Emit("member-message", person, group.GetId());
    }
    void PostLeaveGroup(CZrPerson& person, CZrGroup& group) override { Emit("leave-group", person, group.GetId()); }
    void SendPlaceRequest(CZrPerson& person) override { Emit("place-request", person); }

private:
    static void Emit(const char* call, const CZrPerson& person, uint32_t value = 0)
    {
        Print(CDriverJson("person").Add("call", call).Add("id", person.GetId()).Add("value", value));
    }
    static void EmitSeat(const char* call, const CZrGroup& row, uint16_t seat)
    {
        Print(CDriverJson("person").Add("call", call).Add("id", row.GetId()).Add("value", seat));
    }

    std::set<uint32_t> m_windows;
};

class ProbeDde : public FakeDde {
public:
    void PostConnectCommunity() override { Event("dde", "ConnectCommunity"); }
    void PostDisconnectCommunity(uint32_t id) override { Event("dde", "DisconnectCommunity " + std::to_string(id)); }
    void PostNavigate() override { Event("dde", "Navigate"); }
    void SendGameData(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob&,
                      uint32_t, uint32_t) override
    {
        Print(CDriverJson("gameData").Add("sender", sender).Add("name", name).Add("text", text));
    }
};

class ProbeStore : public FakeStore {
public:
    ProbeStore(CPlace& place, CCommunityConnection*& connection) : m_place(place), m_connection(connection) {}

    void SetCommunityTitle(const std::string& value) override { Event("communityTitle", value); }
    void SetWordList(const std::vector<std::string>& list) override
    {
        std::string joined;
        for (const std::string& word : list)
            joined += (joined.empty() ? "" : "|") + word;
        Event("wordList", joined);
    }
    void ShowPage(const std::string& url) override { Event("showPage", url); }
    void StartLogin() override
    {
        const int32_t code =
            m_place.SendBlobRequest(*m_connection, CZrString(name, 1), std::string(), 0x100, 0, 0);
        Print(CDriverJson("login").Add("code", code));
    }

    std::string name;

private:
    CPlace& m_place;
    CCommunityConnection*& m_connection;
};

std::string Word(std::string& rest)
{
    const size_t blank = rest.find(' ');
    const std::string word = rest.substr(0, blank);
    rest = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
    return word;
}

} // namespace

int main()
{
    CUcmPollPort port;
    CUcmManager manager(port);
    CUcmManager::Install(&manager);
    port.Attach(manager);
    {
        CCommunityConnection* current = nullptr;
        CCommunityProtocol protocol(CZrProtocol::kDefaultRegistrationLimit, current);
        ProbeApp app;
        ProbeDde dde;
        FakeFrame frame;
        FakeStateHost host;
        CPersonStateList states(host);
        CZrPerson myself;
        CPlace place(&myself, new CZrGroup, new CZrGroup, app, dde, frame, states);
        ProbeViews views;
        place.SetPersonViews(&views);
        ProbeStore store(place, current);
        CCommunityConnection connection(manager, protocol, store);
        current = &connection;
        bool running = true;
        std::string pending;
        port.WatchInput(0, [&] {
            char chunk[4096];
            const ssize_t got = read(0, chunk, sizeof chunk);
            if (got <= 0) {
                running = false;
                return;
            }
            pending.append(chunk, static_cast<size_t>(got));
            size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                std::string rest = pending.substr(0, end);
                pending.erase(0, end + 1);
                const std::string command = Word(rest);
                if (command == "quit") {
                    running = false;
                } else if (command == "page") {
                    frame.pageUrl = rest;
                } else if (command == "connect") {
                    const std::string url = Word(rest);
                    store.name = rest;
                    app.community = url;
                    Print(CDriverJson("connect").Add("code", connection.SetUrl(url)));
                }
            }
        });
        while (running)
            port.RunOnce(std::chrono::milliseconds(200));
        place.Disconnect();
        connection.Disconnect();
        current = nullptr;
    }
    CUcmManager::Install(nullptr);
    return 0;
}
