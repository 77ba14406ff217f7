// The other program in the DDE layer's tests. It runs the steps on its command
// line in order and writes one result line per step to a log file:
//
//   dde_peer --log FILE STEP...
//
// Client steps (one conversation at a time):
//   connect SERVICE TOPIC    request ITEM       poke ITEM HEX|-
//   pokefill ITEM SIZE       exec TEXT          advise ITEM FORMAT
//   waitdata MS              disconnect
// Server steps:
//   answer ITEM HEX|-        (answer for later requests of ITEM)
//   answerfill ITEM SIZE     (an answer of SIZE bytes 'F')
//   serve SERVICE MS         (serve any topic until "quit" is executed or MS
//                             pass; the item "slow" answers after 6.5 s, "huge"
//                             with just over 1 MiB; "drop" executed ends the
//                             served conversations from this side)
#include <windows.h>
#include <dde.h>
#include <ddeml.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kSlowAnswerMs = 6500;
// Just over the most that the layer takes from another program.
constexpr size_t kHugeAnswer = 1024 * 1024 + 1;

FILE* g_log = stdout;
DWORD g_instance = 0;
HCONV g_conversation = nullptr;
std::map<std::string, std::vector<uint8_t>> g_answers;
bool g_quit = false;
bool g_drop = false;
std::vector<HCONV> g_served;
bool g_dataArrived = false;

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

std::vector<uint8_t> DataBytes(HDDEDATA data)
{
    std::vector<uint8_t> bytes;
    if (!data)
        return bytes;
    bytes.resize(DdeGetData(data, nullptr, 0, 0));
    if (!bytes.empty())
        DdeGetData(data, bytes.data(), static_cast<DWORD>(bytes.size()), 0);
    return bytes;
}

HDDEDATA MakeData(const std::vector<uint8_t>& bytes, HSZ item, UINT format)
{
    static BYTE noData = 0;
    BYTE* start = bytes.empty() ? &noData : const_cast<BYTE*>(bytes.data());
    return DdeCreateDataHandle(g_instance, start, static_cast<DWORD>(bytes.size()), 0, item,
                               format, 0);
}

HDDEDATA Answer(HSZ itemHandle, UINT format)
{
    const std::string item = Text(itemHandle);
    Log("requested %s", item.c_str());
    if (item == "slow") {
        Sleep(kSlowAnswerMs);
        return MakeData({'l', 'a', 't', 'e'}, itemHandle, format);
    }
    if (item == "huge")
        return MakeData(std::vector<uint8_t>(kHugeAnswer, 'H'), itemHandle, format);
    auto found = g_answers.find(item);
    return found == g_answers.end() ? nullptr : MakeData(found->second, itemHandle, format);
}

HDDEDATA Execute(HDDEDATA data)
{
    std::vector<uint8_t> bytes = DataBytes(data);
    bytes.push_back(0);
    const std::string command(reinterpret_cast<const char*>(bytes.data()));
    Log("executed %s", command.c_str());
    if (command == "quit")
        g_quit = true;
    if (command == "drop")
        g_drop = true;
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                           HDDEDATA data, ULONG_PTR, ULONG_PTR)
{
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_CONNECT_CONFIRM:
        g_served.push_back(conversation);
        Log("connected %s", Text(hsz1).c_str());
        return nullptr;
    case XTYP_REQUEST:
        return Answer(hsz2, format);
    case XTYP_POKE: {
        const std::vector<uint8_t> bytes = DataBytes(data);
        Log("poked %s %s %s", Text(hsz1).c_str(), Text(hsz2).c_str(),
            ToHex(bytes.data(), bytes.size()).c_str());
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_EXECUTE:
        return Execute(data);
    case XTYP_ADVSTART:
        Log("advstart %s %u", Text(hsz2).c_str(), format);
        return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_ADVDATA: {
        const std::vector<uint8_t> bytes = DataBytes(data);
        Log("advdata %s %s %s", Text(hsz1).c_str(), Text(hsz2).c_str(),
            ToHex(bytes.data(), bytes.size()).c_str());
        g_dataArrived = true;
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_DISCONNECT:
        Log("disconnected");
        if (conversation == g_conversation)
            g_conversation = nullptr;
        return nullptr;
    default:
        return nullptr;
    }
}

// Dispatches messages until the condition holds or the time is up.
template <typename Condition>
bool PumpUntil(DWORD milliseconds, Condition done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

HSZ Handle(const std::string& text)
{
    return DdeCreateStringHandleA(g_instance, text.c_str(), CP_WINANSI);
}

HDDEDATA Transact(const std::string& item, UINT format, UINT type, const uint8_t* data,
                  DWORD size, DWORD* status = nullptr)
{
    HSZ itemHandle = item.empty() ? nullptr : Handle(item);
    DWORD result = 0;
    HDDEDATA answer = DdeClientTransaction(const_cast<LPBYTE>(data), size, g_conversation,
                                           itemHandle, format, type, kTimeoutMs, &result);
    if (status)
        *status = result;
    if (itemHandle)
        DdeFreeStringHandle(g_instance, itemHandle);
    return answer;
}

void LogResult(const char* step, bool ok)
{
    if (ok)
        Log("%s ok", step);
    else
        Log("%s fail 0x%04x", step, DdeGetLastError(g_instance));
}

void Connect(const std::string& service, const std::string& topic)
{
    HSZ serviceHandle = Handle(service);
    HSZ topicHandle = Handle(topic);
    g_conversation = DdeConnect(g_instance, serviceHandle, topicHandle, nullptr);
    DdeFreeStringHandle(g_instance, serviceHandle);
    DdeFreeStringHandle(g_instance, topicHandle);
    LogResult("connect", g_conversation != nullptr);
}

void Request(const std::string& item)
{
    HDDEDATA answer = Transact(item, CF_TEXT, XTYP_REQUEST, nullptr, 0);
    if (!answer) {
        LogResult("request", false);
        return;
    }
    const std::vector<uint8_t> bytes = DataBytes(answer);
    DdeFreeDataHandle(answer);
    Log("request ok %s", ToHex(bytes.data(), bytes.size()).c_str());
}

// A poke or execute that completes but is not acknowledged is logged as
// "refused"; one that does not complete as "fail" with the DDE error.
void LogAcknowledged(const char* step, HDDEDATA done, DWORD status)
{
    if (done && !(status & DDE_FACK))
        Log("%s refused", step);
    else
        LogResult(step, done != nullptr);
}

void Poke(const std::string& item, const std::vector<uint8_t>& bytes)
{
    static const uint8_t kNoData = 0;
    const uint8_t* data = bytes.empty() ? &kNoData : bytes.data();
    DWORD status = 0;
    HDDEDATA done =
        Transact(item, CF_TEXT, XTYP_POKE, data, static_cast<DWORD>(bytes.size()), &status);
    LogAcknowledged("poke", done, status);
}

void Exec(const std::string& command)
{
    const uint8_t* text = reinterpret_cast<const uint8_t*>(command.c_str());
    DWORD status = 0;
    HDDEDATA done = Transact(std::string(), CF_TEXT, XTYP_EXECUTE, text,
                             static_cast<DWORD>(command.size() + 1), &status);
    LogAcknowledged("exec", done, status);
}

void Advise(const std::string& item, UINT format)
{
    LogResult("advise", Transact(item, format, XTYP_ADVSTART, nullptr, 0) != nullptr);
}

void WaitData(DWORD milliseconds)
{
    g_dataArrived = false;
    if (!PumpUntil(milliseconds, [] { return g_dataArrived; }))
        Log("waitdata timeout");
}

// Ends the served conversations from this side with the DDE protocol's own
// message, outside any callback.
void DropConversations()
{
    g_drop = false;
    for (HCONV served : g_served) {
        CONVINFO info{};
        info.cb = sizeof info;
        if (DdeQueryConvInfo(served, QID_SYNC, &info))
            PostMessageA(info.hwndPartner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(info.hwnd), 0);
    }
    g_served.clear();
    Log("dropped");
}

void Serve(const std::string& service, DWORD milliseconds)
{
    HSZ serviceHandle = Handle(service);
    if (!DdeNameService(g_instance, serviceHandle, nullptr, DNS_REGISTER)) {
        Log("serve fail 0x%04x", DdeGetLastError(g_instance));
        return;
    }
    Log("serving %s", service.c_str());
    const DWORD start = GetTickCount();
    while (!g_quit) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds ||
            !PumpUntil(milliseconds - elapsed, [] { return g_quit || g_drop; })) {
            Log("serve timeout");
            break;
        }
        if (g_drop)
            DropConversations();
    }
    DdeNameService(g_instance, serviceHandle, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_instance, serviceHandle);
}

// Dispatches what has arrived, so that a late reply to one step is not taken
// as the reply to the next.
void DispatchPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Runs the steps from argv[first]; false on an unknown step.
bool RunSteps(int argc, char** argv, int first)
{
    for (int i = first; i < argc;) {
        DispatchPending();
        const std::string step = argv[i];
        auto arg = [&](int n) { return std::string(i + n < argc ? argv[i + n] : ""); };
        if (step == "connect") {
            Connect(arg(1), arg(2));
            i += 3;
        } else if (step == "request") {
            Request(arg(1));
            i += 2;
        } else if (step == "poke") {
            Poke(arg(1), FromHex(arg(2)));
            i += 3;
        } else if (step == "pokefill") {
            Poke(arg(1), std::vector<uint8_t>(std::strtoul(arg(2).c_str(), nullptr, 10), 'A'));
            i += 3;
        } else if (step == "exec") {
            Exec(arg(1));
            i += 2;
        } else if (step == "advise") {
            Advise(arg(1), static_cast<UINT>(std::strtoul(arg(2).c_str(), nullptr, 10)));
            i += 3;
        } else if (step == "waitdata") {
            WaitData(std::strtoul(arg(1).c_str(), nullptr, 10));
            i += 2;
        } else if (step == "disconnect") {
            LogResult("disconnect", DdeDisconnect(g_conversation) != FALSE);
            g_conversation = nullptr;
            i += 1;
        } else if (step == "answer") {
            g_answers[arg(1)] = FromHex(arg(2));
            i += 3;
        } else if (step == "answerfill") {
            g_answers[arg(1)] = std::vector<uint8_t>(std::strtoul(arg(2).c_str(), nullptr, 10), 'F');
            i += 3;
        } else if (step == "serve") {
            Serve(arg(1), std::strtoul(arg(2).c_str(), nullptr, 10));
            i += 3;
        } else {
            Log("unknown step %s", step.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--log") == 0) {
        g_log = std::fopen(argv[2], "w");
        if (!g_log)
            return 2;
        first = 3;
    }
    if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) {
        Log("init fail");
        return 1;
    }
    const bool ok = RunSteps(argc, argv, first);
    if (g_conversation)
        DdeDisconnect(g_conversation);
    DdeUninitialize(g_instance);
    Log("end");
    return ok ? 0 : 1;
}
