// engine_host (Windows): loads SnCom.dll as a host does and drives engine
// instances made with the SDK flag, each in a top-level host window of its
// own, so that several can join one conference from one process. Line
// commands on stdin, read by a thread that posts each line to the message
// loop; every engine event and command result is one line on stdout.
//
//   agree                     records the acceptance of the user agreement
//   create NAME               an instance (op 17, kind 3, SDK) with its window;
//                             "set NAME SDKmode false" then shows its user
//                             interface (the engine's dialogs)
//   set NAME PARAM VALUE      SonorelleIfc_SetParam (VALUE is the rest)
//   key NAME KEY              the AccountKey (index 11, op 16)
//   hosturl NAME URL          SonorelleIfc_SetHostUrl; answers with its time
//   join NAME                 SonorelleIfc_SDKJoin
//   message NAME USER TEXT    SonorelleIfc_TextMessage
//   warn NAME USER TEXT       SonorelleIfc_WarnUser
//   invite NAME USER          SonorelleIfc_SendInvite
//   notice NAME CAPTION TEXT  SonorelleIfc_DisplayModlessDialog with string numbers
//   ignore NAME USER          op 9 with the flag on
//   record NAME FORMAT SOURCES FILE   op 0: records to a wave file
//   stoprecord NAME           op 1
//   packets NAME ON FORMAT SOURCES   op 4: recorded frames as events 15
//   play NAME ID CHECK REPEAT DEST PAUSE FILE   op 2: plays a wave file
//   playbuffer NAME ID CHECK REPEAT DEST PAUSE FILE   op 7: the file's bytes as an array
//   stopplay NAME FLAG        op 3
//   talk NAME down|up         CTRL pressed or released (SendInput) on the
//                             host window brought to the front
//   disconnect NAME | destroy NAME | quit
//
// Output: "RESULT <command> <NAME> <status> [ms]" and
// "EVENT <NAME> <code> <number> <value> <text>|<second>" with the payload's
// fields by code (user or error code in <number>, icon in <value>, name or
// text in <text>, message in <second>; play status: id, code, value as
// <number> <value> <text>; a recorded packet: its byte count and loudest
// sample as <number> <value>).
#include "SonorelleIfcTypes.h"

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr UINT kLineMessage = WM_APP;
constexpr char kHostClass[] = "EngineHostWindow";
constexpr char kClientKey[] = "Software\\Sonorelle Networks\\Client";

struct Engine
{
    HMODULE module = nullptr;
    void (*init)() = nullptr;
    void (*uninit)() = nullptr;
    void (*setParam)(void*, const char*, const char*) = nullptr;
    void (*setHostUrl)(void*, const char*, const char*) = nullptr;
    uint8_t (*onCreateWindow)(void*, HWND) = nullptr;
    int32_t (*sdkJoin)(void*) = nullptr;
    int32_t (*disconnect)(void*) = nullptr;
    int32_t (*textMessage)(void*, int32_t, const char*) = nullptr;
    int32_t (*warnUser)(void*, int32_t, const char*) = nullptr;
    int32_t (*sendInvite)(void*, int32_t) = nullptr;
    void (*displayModless)(void*, int32_t, int32_t) = nullptr;
    void (*destroy)(void*) = nullptr;
    void (*setSdkCallback)(void*, const SonorelleIfcCallback*) = nullptr;
    int32_t (*getVersion)(void*, char*, int32_t) = nullptr;
    int32_t (*selector)(const SonorelleIfcSelectorBlock*) = nullptr;
};

template <typename Function>
bool Bind(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool Load(Engine& engine)
{
    engine.module = LoadLibraryA("SnCom");
    HMODULE m = engine.module;
    return m && Bind(m, "SonorelleIfc_Init", engine.init) &&
           Bind(m, "SonorelleIfc_Uninit", engine.uninit) &&
           Bind(m, "SonorelleIfc_SetParam", engine.setParam) &&
           Bind(m, "SonorelleIfc_SetHostUrl", engine.setHostUrl) &&
           Bind(m, "SonorelleIfc_OnCreateWindow", engine.onCreateWindow) &&
           Bind(m, "SonorelleIfc_SDKJoin", engine.sdkJoin) &&
           Bind(m, "SonorelleIfc_Disconnect", engine.disconnect) &&
           Bind(m, "SonorelleIfc_TextMessage", engine.textMessage) &&
           Bind(m, "SonorelleIfc_WarnUser", engine.warnUser) &&
           Bind(m, "SonorelleIfc_SendInvite", engine.sendInvite) &&
           Bind(m, "SonorelleIfc_DisplayModlessDialog", engine.displayModless) &&
           Bind(m, "SonorelleIfc_Destroy", engine.destroy) &&
           Bind(m, "SonorelleIfc_SetSdkCallback", engine.setSdkCallback) &&
           Bind(m, "SonorelleIfc_GetVersion", engine.getVersion) &&
           Bind(m, "SonorelleIfc_SNComFunctionSelector", engine.selector);
}

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// One instance: its host window, its name in the output and its callback.
struct Host
{
    std::string name;
    HWND window = nullptr;
    SonorelleIfcCallback callback{1, nullptr, nullptr};
};

std::string Text(const char* text)
{
    std::string shown;
    for (const char* c = text ? text : ""; *c; ++c)
        shown += *c == '\n' ? std::string("\\n") : std::string(1, *c);
    return shown;
}

void PrintEvent(SonorelleIfcEvent* event)
{
    const auto* host = static_cast<const Host*>(event->context);
    int32_t number = 0;
    int32_t value = 0;
    std::string text;
    std::string second;
    switch (event->code) {
    case 1:
    case 3:
        text = Text(static_cast<SonorelleIfcTextPayload*>(event->payload)->text);
        break;
    case 2: {
        const auto* error = static_cast<SonorelleIfcErrorPayload*>(event->payload);
        number = error->code;
        text = Text(error->text);
        break;
    }
    case 4: {
        const auto* roster = static_cast<SonorelleIfcRosterPayload*>(event->payload);
        number = roster->user;
        text = Text(roster->name);
        value = roster->icon;
        break;
    }
    case 5:
    case 6:
    case 8:
        number = static_cast<SonorelleIfcLongPayload*>(event->payload)->value;
        break;
    case 9:
    case 10:
    case 12:
    case 14: {
        const auto* message = static_cast<SonorelleIfcMessagePayload*>(event->payload);
        number = message->user;
        text = Text(message->name);
        second = Text(message->text);
        break;
    }
    case 13: {
        const auto* change = static_cast<SonorelleIfcIndexValue*>(event->payload);
        number = change->index;
        value = static_cast<int32_t>(change->value);
        break;
    }
    case 15: { // the bytes of a recorded frame: their count and the loudest sample
        auto* array = static_cast<SAFEARRAY*>(event->payload);
        LONG upper = -1;
        void* data = nullptr;
        SafeArrayGetUBound(array, 1, &upper);
        number = upper + 1;
        if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
            const auto* samples = static_cast<const int16_t*>(data);
            for (LONG i = 0; i < number / 2; ++i)
                value = std::max(value, std::abs(int32_t{samples[i]}));
            SafeArrayUnaccessData(array);
        }
        break;
    }
    case 16: {
        const auto* status = static_cast<SonorelleIfcPlayStatusPayload*>(event->payload);
        number = status->playId;
        value = status->code;
        text = std::to_string(status->value);
        break;
    }
    default:
        break;
    }
    PrintLine("EVENT " + host->name + " " + std::to_string(event->code) + " " +
              std::to_string(number) + " " + std::to_string(value) + " " + text + "|" + second);
}

class Shell
{
public:
    explicit Shell(Engine& engine) : m_engine(engine) {}

    ~Shell()
    {
        for (auto& entry : m_hosts)
            Destroy(*entry.second);
    }

    // False at "quit".
    bool Execute(const std::string& line)
    {
        std::istringstream in(line);
        std::string command, name;
        in >> command >> name;
        if (command == "quit")
            return false;
        if (command == "agree")
            return Agree();
        if (command == "create")
            return Create(name);
        const auto found = m_hosts.find(name);
        if (found == m_hosts.end()) {
            PrintLine("RESULT " + command + " " + name + " unknown");
            return true;
        }
        Host& host = *found->second;
        if (command == "set") {
            std::string parameter;
            in >> parameter;
            m_engine.setParam(host.window, parameter.c_str(), Rest(in).c_str());
            Result(command, host, 0);
        } else if (command == "key") {
            const std::string key = Rest(in);
            SonorelleIfcIndexValue value{11, reinterpret_cast<intptr_t>(key.c_str())};
            SonorelleIfcSelectorBlock block{1, host.window, 16, &value};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "record") {
            SonorelleIfcRecordArgs record{nullptr, 0, 0};
            in >> record.format >> record.sources;
            const std::string file = Rest(in);
            record.file = file.c_str();
            SonorelleIfcSelectorBlock block{1, host.window, SonorelleIfcOp::kStartRecord, &record};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "play") {
            SonorelleIfcPlayFileArgs play{};
            in >> play.playId >> play.checkFormat >> play.repeat >> play.destination >> play.pause;
            const std::string file = Rest(in);
            play.file = file.c_str();
            SonorelleIfcSelectorBlock block{1, host.window, SonorelleIfcOp::kPlayWaveFile, &play};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "playbuffer") {
            SonorelleIfcPlayBufferArgs play{};
            in >> play.playId >> play.checkFormat >> play.repeat >> play.destination >> play.pause;
            SAFEARRAY* bytes = FileArray(Rest(in));
            VARIANT variant;
            VariantInit(&variant);
            V_VT(&variant) = VT_ARRAY | VT_UI1;
            V_ARRAY(&variant) = bytes;
            std::memcpy(play.array.bytes, &variant, sizeof variant);
            SonorelleIfcSelectorBlock block{1, host.window, SonorelleIfcOp::kPlayWaveBuffer, &play};
            Result(command, host, m_engine.selector(&block));
            VariantClear(&variant);
        } else if (command == "stopplay") {
            SonorelleIfcLongArg all{0};
            in >> all.value;
            SonorelleIfcSelectorBlock block{1, host.window, SonorelleIfcOp::kStopWavePlay, &all};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "packets") {
            SonorelleIfcRecordPacketArgs record{};
            in >> record.on >> record.format >> record.sources;
            SonorelleIfcSelectorBlock block{1, host.window, SonorelleIfcOp::kRegisterRecordPacket,
                                            &record};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "stoprecord") {
            SonorelleIfcSelectorBlock block{1, host.window, SonorelleIfcOp::kStopRecord, nullptr};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "talk") {
            Result(command, host, PressTalkKey(host, Rest(in) == "down"));
        } else if (command == "hosturl") {
            const DWORD start = GetTickCount();
            m_engine.setHostUrl(host.window, Rest(in).c_str(), "");
            Result(command, host, 0, static_cast<int32_t>(GetTickCount() - start));
        } else if (command == "join") {
            const DWORD start = GetTickCount();
            const int32_t status = m_engine.sdkJoin(host.window);
            Result(command, host, status, static_cast<int32_t>(GetTickCount() - start));
        } else if (command == "message") {
            int32_t user = 0;
            in >> user;
            Result(command, host, m_engine.textMessage(host.window, user, Rest(in).c_str()));
        } else if (command == "warn") {
            int32_t user = 0;
            in >> user;
            Result(command, host, m_engine.warnUser(host.window, user, Rest(in).c_str()));
        } else if (command == "invite") {
            int32_t user = 0;
            in >> user;
            Result(command, host, m_engine.sendInvite(host.window, user));
        } else if (command == "notice") {
            int32_t caption = 0;
            int32_t text = 0;
            in >> caption >> text;
            m_engine.displayModless(host.window, caption, text);
            Result(command, host, 0);
        } else if (command == "ignore") {
            int32_t user = 0;
            in >> user;
            SonorelleIfcUserFlag flag{user, 1};
            SonorelleIfcSelectorBlock block{1, host.window, 9, &flag};
            Result(command, host, m_engine.selector(&block));
        } else if (command == "disconnect") {
            Result(command, host, m_engine.disconnect(host.window));
        } else if (command == "destroy") {
            Destroy(host);
            Result(command, host, 0);
            m_hosts.erase(found);
        } else {
            Result(command, host, -1);
        }
        return true;
    }

private:
    static std::string Rest(std::istringstream& in)
    {
        std::string rest;
        std::getline(in, rest);
        return rest.empty() ? rest : rest.substr(1);
    }

    static void Result(const std::string& command, const Host& host, int32_t status,
                       int32_t milliseconds = -1)
    {
        std::string line = "RESULT " + command + " " + host.name + " " + std::to_string(status);
        if (milliseconds >= 0)
            line += " " + std::to_string(milliseconds);
        PrintLine(line);
    }

    // A file's bytes as a one-dimensional array of bytes, as a script host
    // hands them over (empty when the file cannot be read).
    static SAFEARRAY* FileArray(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
        void* data = nullptr;
        if (array && !bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
            std::memcpy(data, bytes.data(), bytes.size());
            SafeArrayUnaccessData(array);
        }
        return array;
    }

    // CTRL pressed or released as real keyboard input, on the host window
    // brought to the front.
    static int32_t PressTalkKey(const Host& host, bool down)
    {
        ShowWindow(host.window, SW_SHOWNOACTIVATE);
        SetForegroundWindow(host.window);
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_CONTROL;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        return SendInput(1, &input, sizeof input) == 1 ? 0 : static_cast<int32_t>(GetLastError());
    }

    // The engine's own version is the accepted one.
    bool Agree()
    {
        HWND probe = CreateWindowA(kHostClass, "probe", 0, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SonorelleIfcCreateArgs args{3, 1};
        SonorelleIfcSelectorBlock block{1, probe, 17, &args};
        m_engine.selector(&block);
        char version[64] = {};
        m_engine.getVersion(probe, version, sizeof version);
        m_engine.destroy(probe);
        DestroyWindow(probe);
        HKEY key = nullptr;
        LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kClientKey, 0, nullptr, 0,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) {
            status = RegSetValueExA(key, "LAST EULA", 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(version),
                                    static_cast<DWORD>(strlen(version) + 1));
            RegCloseKey(key);
        }
        PrintLine("RESULT agree - " + std::to_string(status) + " " + version);
        return true;
    }

    bool Create(const std::string& name)
    {
        auto host = std::make_unique<Host>();
        host->name = name;
        host->window = CreateWindowA(kHostClass, name.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                     200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SonorelleIfcCreateArgs args{3, 1};
        SonorelleIfcSelectorBlock block{1, host->window, 17, &args};
        const int32_t made = m_engine.selector(&block);
        host->callback = SonorelleIfcCallback{1, host.get(), PrintEvent};
        m_engine.setSdkCallback(host->window, &host->callback);
        m_engine.onCreateWindow(host->window, host->window);
        Result("create", *host, made);
        m_hosts[name] = std::move(host);
        return true;
    }

    void Destroy(Host& host)
    {
        if (!host.window)
            return;
        m_engine.destroy(host.window);
        DestroyWindow(host.window);
        host.window = nullptr;
    }

    Engine& m_engine;
    std::map<std::string, std::unique_ptr<Host>> m_hosts;
};

LRESULT CALLBACK CommandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* shell = reinterpret_cast<Shell*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (shell && message == kLineMessage) {
        std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
        if (!shell->Execute(*line))
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND g_commands = nullptr;

void ReadCommands()
{
    std::string line;
    while (std::getline(std::cin, line))
        PostMessageA(g_commands, kLineMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    PostMessageA(g_commands, kLineMessage, 0, reinterpret_cast<LPARAM>(new std::string("quit")));
}

} // namespace

int main()
{
    Engine engine;
    if (!Load(engine)) {
        PrintLine("ERROR SnCom.dll or one of its exports is missing");
        return 1;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHostClass;
    RegisterClassA(&windowClass);
    WNDCLASSA commandClass = windowClass;
    commandClass.lpfnWndProc = CommandProc;
    commandClass.lpszClassName = "EngineHostCommands";
    RegisterClassA(&commandClass);

    engine.init();
    {
        Shell shell(engine);
        g_commands = CreateWindowA("EngineHostCommands", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(g_commands, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&shell));
        PrintLine("READY");
        std::thread(ReadCommands).detach();
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        SetWindowLongPtrA(g_commands, GWLP_USERDATA, 0);
    }
    engine.uninit();
    std::fflush(stdout);
    ExitProcess(0);
}
