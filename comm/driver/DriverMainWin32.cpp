// comm-driver (Windows): the communication library on the hidden socket
// window and a message loop. Line commands on stdin (see DriverShell.h),
// read by a thread that posts each line to the loop; one JSON event a line
// on stdout; the library's log lines print as "log" events instead of
// warning boxes. Switches come from TVLDEBUG.INI in the Windows directory.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

#include "DriverConnection.h"
#include "DriverLogSink.h"
#include "DriverPerson.h"
#include "DriverPlace.h"
#include "DriverProtocol.h"
#include "DriverShell.h"
#include "TvlLog.h"
#include "TvlProfileSwitchSource.h"
#include "UcmManager.h"
#include "UcmSocketWindow.h"
#include "UcmWinsockPort.h"

namespace {

constexpr UINT kLineMessage = WM_APP;
constexpr char kCommandClass[] = "ZanthDriverCommands";
constexpr char kSocketClass[] = "Tvl32Sock";

HWND g_commands = nullptr;

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

LRESULT CALLBACK CommandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* shell = reinterpret_cast<CDriverShell*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (shell && message == kLineMessage) {
        std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
        if (!shell->Execute(*line))
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateCommandWindow(CDriverShell& shell)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CommandProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kCommandClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(kCommandClass, kCommandClass, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&shell));
    return window;
}

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
    CTvlProfileSwitchSource switches;
    TvlSetSwitchSource(&switches);
    CDriverLogSink sink(PrintLine);
    TvlSetLogSink(&sink);
    {
        CUcmWinsockPort port;
        CUcmManager manager(port);
        CUcmManager::Install(&manager);
        CUcmSocketWindow socketWindow(manager, port);
        if (!socketWindow.Create(kSocketClass)) {
            PrintLine(CDriverJson("error").Add("line", "socket window").Add("code", static_cast<int>(GetLastError())).Text());
            return 1;
        }
        CDriverConnection* current = nullptr;
        CDriverProtocol protocol(CZrProtocol::kDefaultRegistrationLimit, current);
        CDriverConnection connection(manager, protocol, PrintLine);
        current = &connection;
        CDriverPerson myself(PrintLine);
        {
            CDriverPlace place(&myself, PrintLine);
            CDriverShell shell(place, connection, PrintLine);
            connection.SetShell(&shell);
            g_commands = CreateCommandWindow(shell);
            std::thread(ReadCommands).detach();
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            SetWindowLongPtrA(g_commands, GWLP_USERDATA, 0);
            connection.SetShell(nullptr);
        }
        connection.Disconnect();
        socketWindow.Settle();
        current = nullptr;
        CUcmManager::Install(nullptr);
    }
    TvlSetLogSink(nullptr);
    TvlSetSwitchSource(nullptr);
    std::fflush(stdout);
    ExitProcess(0);
}
