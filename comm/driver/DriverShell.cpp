#include "DriverShell.h"

#include <cstdlib>

#include "DriverTree.h"
#include "TvlBlob.h"
#include "ZrClientPlace.h"
#include "ZrPerson.h"

namespace {

constexpr int32_t kMalformed = -1;
constexpr uint32_t kPersonKind = 0x100;
constexpr uint32_t kTalkMode = 5;
constexpr uint32_t kMoveValue = 1;

// A whole decimal number within the bounds; false for anything else.
bool ParseNumber(const std::string& text, uint32_t limit, uint32_t& out)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (value > limit)
        return false;
    out = static_cast<uint32_t>(value);
    return true;
}

// The first word and the rest of the line after one blank.
void SplitWord(const std::string& text, std::string& word, std::string& rest)
{
    const size_t blank = text.find(' ');
    word = text.substr(0, blank);
    rest = blank == std::string::npos ? std::string() : text.substr(blank + 1);
}

} // namespace

CDriverShell::CDriverShell(CZrClientPlace& place, IDriverConnector& connector, DriverOutput output)
    : m_place(place), m_connector(connector), m_output(std::move(output))
{
}

bool CDriverShell::Execute(const std::string& line)
{
    std::string text = line;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    std::string command;
    std::string rest;
    SplitWord(text, command, rest);
    if (command.empty())
        return true;
    if (command == "quit")
        return false;
    const int32_t code = Run(command, rest);
    if (code == kMalformed)
        m_output(CDriverJson("error").Add("line", text).Text());
    else
        Result(command, code);
    return true;
}

int32_t CDriverShell::Run(const std::string& command, const std::string& rest)
{
    std::string first;
    std::string second;
    SplitWord(rest, first, second);
    CZrPerson& myself = *m_place.GetMyself();
    if (command == "connect") {
        std::string port;
        std::string name;
        SplitWord(second, port, name);
        uint32_t number = 0;
        if (first.empty() || !ParseNumber(port, 0xFFFF, number) || name.empty())
            return kMalformed;
        m_name = name;
        return m_connector.Connect(first, static_cast<uint16_t>(number));
    }
    if (command == "enter")
        return Enter(first, second);
    if (command == "say")
        return m_place.RequestMove(m_place, kTalkMode, rest, CTvlBlob());
    if (command == "whisper") {
        uint32_t id = 0;
        return ParseNumber(first, 0xFFFFFFFF, id) ? m_place.SendUserMessage(id, second, CTvlBlob()) : kMalformed;
    }
    if (command == "move") {
        uint32_t x = 0;
        uint32_t y = 0;
        if (!ParseNumber(first, 0xFFFF, x) || !ParseNumber(second, 0xFFFF, y))
            return kMalformed;
        const CZrPosition position = CZrPosition::XY(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
        return m_place.Request(myself, m_place.GetRoom()->GetId(), position, kMoveValue);
    }
    if (command == "leave") {
        m_place.Disconnect();
        return 0;
    }
    if (command == "tree") {
        m_output(CDriverJson("tree").AddJson("tree", DriverTreeJson(m_place)).Text());
        return 0;
    }
    return kMalformed;
}

// enter URL [X Y]: with a position the user stands in the place (group
// 1024) where the others see it; without one it stands apart.
int32_t CDriverShell::Enter(const std::string& url, const std::string& rest)
{
    std::string xText;
    std::string yText;
    SplitWord(rest, xText, yText);
    uint32_t x = 0;
    uint32_t y = 0;
    if (url.empty() || (!rest.empty() && (!ParseNumber(xText, 0xFFFF, x) || !ParseNumber(yText, 0xFFFF, y))))
        return kMalformed;
    const CZrPosition position = CZrPosition::XY(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    return m_place.SetPendingMember(url, std::string(), rest.empty() ? nullptr : &position,
                                    CZrPlaceSelector::Named(url));
}

void CDriverShell::Result(const std::string& command, int32_t code)
{
    m_output(CDriverJson("result").Add("command", command).Add("code", code).Text());
}

void CDriverShell::OnSessionReady()
{
    if (m_name.empty())
        return;
    const int32_t code = m_place.SendBlobRequest(m_connector.Connection(), CZrString(m_name, 1), std::string(),
                                                 kPersonKind, 0, 0);
    Result("login", code);
}
