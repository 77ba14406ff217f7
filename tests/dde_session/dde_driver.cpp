// An outside program that follows and drives the running client over DDE,
// for the session tests. It reads one command a line from its input and
// writes one reply line a command to its log; data of the advise loops is
// written as it arrives. Item bytes travel as hex: the tests code and read
// them.
//
//   dde_driver --log FILE
//
//   connect NAME SERVICE TOPIC   -> reply ok | reply error CODE
//   request NAME ITEM            -> reply data HEX | reply none CODE
//   poke NAME ITEM HEX|-         -> reply ok | reply refused | reply error CODE
//   advise NAME ITEM             -> reply ok | reply error CODE
//   exec NAME TEXT               -> reply ok | reply refused | reply error CODE
//   disconnect NAME              -> reply ok
//   quit
// and, at any time, for each advise loop's data:
//   advdata TOPIC ITEM HEX
#include <windows.h>
#include <ddeml.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 10000;
constexpr UINT kCommandMessage = WM_APP + 1;

FILE* g_log = stdout;
DWORD g_instance = 0;
DWORD g_mainThread = 0;
std::map<std::string, HCONV> g_conversations;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(g_log, format, args);
    va_end(args);
    std::fputc('\n', g_log);
    std::fflush(g_log);
}

std::string ToHex(const uint8_t* data, size_t size)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex += kDigits[data[i] >> 4];
        hex += kDigits[data[i] & 15];
    }
    return hex.empty() ? "-" : hex;
}

std::vector<uint8_t> FromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    if (hex == "-")
        return bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    return bytes;
}

std::string Text(HSZ handle)
{
    char text[256] = "";
    if (handle)
        DdeQueryStringA(g_instance, handle, text, sizeof text, CP_WINANSI);
    return text;
}

std::string HexOf(HDDEDATA data)
{
    if (!data)
        return "-";
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::vector<uint8_t> bytes(size);
    if (size)
        DdeGetData(data, bytes.data(), size, 0);
    return ToHex(bytes.data(), bytes.size());
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    if (type == XTYP_ADVDATA) {
        Log("advdata %s %s %s", Text(topic).c_str(), Text(item).c_str(), HexOf(data).c_str());
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    if (type == XTYP_DISCONNECT)
        Log("disconnected");
    return nullptr;
}

HSZ Name(const std::string& text)
{
    return DdeCreateStringHandleA(g_instance, text.c_str(), CP_WINANSI);
}

void ReplyError(const char* what)
{
    Log("reply %s 0x%x", what, DdeGetLastError(g_instance));
}

void Connect(const std::string& name, const std::string& service, const std::string& topic)
{
    HSZ serviceName = Name(service);
    HSZ topicName = Name(topic);
    HCONV conversation = DdeConnect(g_instance, serviceName, topicName, nullptr);
    DdeFreeStringHandle(g_instance, serviceName);
    DdeFreeStringHandle(g_instance, topicName);
    if (!conversation)
        return ReplyError("error");
    g_conversations[name] = conversation;
    Log("reply ok");
}

// One transaction on the named conversation: its data handle, or for pokes
// and executes a non-null handle when the other end answered; the answer's
// status word goes to status.
HDDEDATA Transact(const std::string& name, const std::string& item, UINT type,
                  const std::vector<uint8_t>& bytes, bool& done, DWORD& status)
{
    done = false;
    status = 0;
    auto found = g_conversations.find(name);
    if (found == g_conversations.end())
        return nullptr;
    HSZ itemName = item.empty() ? nullptr : Name(item);
    LPBYTE data = bytes.empty() ? reinterpret_cast<LPBYTE>(const_cast<char*>("")) : const_cast<LPBYTE>(bytes.data());
    const bool withData = type == XTYP_POKE || type == XTYP_EXECUTE;
    HDDEDATA answer = DdeClientTransaction(withData ? data : nullptr, withData ? static_cast<DWORD>(bytes.size()) : 0,
                                          found->second, itemName, CF_TEXT, type, kTimeoutMs, &status);
    if (itemName)
        DdeFreeStringHandle(g_instance, itemName);
    done = answer != nullptr;
    return answer;
}

void Request(const std::string& name, const std::string& item)
{
    bool done = false;
    DWORD status = 0;
    HDDEDATA answer = Transact(name, item, XTYP_REQUEST, {}, done, status);
    if (!done)
        return ReplyError("none");
    Log("reply data %s", HexOf(answer).c_str());
    DdeFreeDataHandle(answer);
}

void Simple(const std::string& name, const std::string& item, UINT type, const std::vector<uint8_t>& bytes)
{
    bool done = false;
    DWORD status = 0;
    Transact(name, item, type, bytes, done, status);
    if (!done)
        return ReplyError("error");
    // An answer without DDE_FACK: the other end refused the data.
    Log(type != XTYP_ADVSTART && !(status & DDE_FACK) ? "reply refused" : "reply ok");
}

void Disconnect(const std::string& name)
{
    auto found = g_conversations.find(name);
    if (found != g_conversations.end()) {
        DdeDisconnect(found->second);
        g_conversations.erase(found);
    }
    Log("reply ok");
}

// False on "quit".
bool Run(const std::string& line)
{
    std::istringstream words(line);
    std::string command, name, first, second;
    words >> command >> name >> first;
    std::getline(words >> std::ws, second);
    if (command == "quit")
        return false;
    if (command == "connect")
        Connect(name, first, second);
    else if (command == "request")
        Request(name, first);
    else if (command == "poke")
        Simple(name, first, XTYP_POKE, FromHex(second));
    else if (command == "advise")
        Simple(name, first, XTYP_ADVSTART, {});
    else if (command == "exec") {
        const std::string text = first + (second.empty() ? "" : " " + second);
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        Simple(name, std::string(), XTYP_EXECUTE, bytes);
    } else if (command == "disconnect")
        Disconnect(name);
    else
        Log("reply unknown");
    return true;
}

DWORD WINAPI ReadInput(void*)
{
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        PostThreadMessageA(g_mainThread, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    }
    PostThreadMessageA(g_mainThread, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string("quit")));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--log")
            g_log = std::fopen(argv[i + 1], "w");
    }
    if (!g_log)
        return 2;
    if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return 3;
    g_mainThread = GetCurrentThreadId();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    CloseHandle(CreateThread(nullptr, 0, ReadInput, nullptr, 0, nullptr));
    Log("ready");
    bool running = true;
    while (running && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == kCommandMessage) {
            std::string* line = reinterpret_cast<std::string*>(message.lParam);
            running = Run(*line);
            delete line;
            continue;
        }
        DispatchMessageA(&message);
    }
    for (auto& conversation : g_conversations)
        DdeDisconnect(conversation.second);
    DdeUninitialize(g_instance);
    Log("bye");
    return 0;
}
