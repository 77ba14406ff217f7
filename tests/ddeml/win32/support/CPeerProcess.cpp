#include "CPeerProcess.h"

#include <fstream>

namespace {

std::string PeerPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "dde_peer.exe";
}

std::string NewLogPath()
{
    char folder[MAX_PATH] = "";
    char path[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "ddp", 0, path);
    return path;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

bool PumpUntil(DWORD milliseconds, const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return false;
        const DWORD wait = std::min<DWORD>(milliseconds - elapsed, 20);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

CPeerProcess::~CPeerProcess()
{
    if (m_process.hProcess) {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 3);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    if (!m_logPath.empty())
        DeleteFileA(m_logPath.c_str());
}

bool CPeerProcess::Start(const std::vector<std::string>& steps)
{
    m_logPath = NewLogPath();
    std::string command = Quoted(PeerPath()) + " --log " + Quoted(m_logPath);
    for (const std::string& step : steps)
        command += " " + Quoted(step);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_process) != FALSE;
}

bool CPeerProcess::WaitExit(DWORD milliseconds)
{
    const bool ended = PumpUntil(milliseconds, [this] {
        return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
    });
    if (!ended)
        TerminateProcess(m_process.hProcess, 3);
    return ended;
}

bool CPeerProcess::WaitForLine(const std::string& prefix, DWORD milliseconds)
{
    return PumpUntil(milliseconds, [&] { return HasLine(prefix); });
}

std::vector<std::string> CPeerProcess::Lines() const
{
    std::vector<std::string> lines;
    std::ifstream log(m_logPath);
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> CPeerProcess::LinesStarting(const std::string& prefix) const
{
    std::vector<std::string> matching;
    for (const std::string& line : Lines()) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(line);
    }
    return matching;
}

bool CPeerProcess::HasLine(const std::string& prefix) const
{
    return !LinesStarting(prefix).empty();
}

DWORD CPeerProcess::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

std::string ToHex(const std::vector<uint8_t>& bytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex.empty() ? "-" : hex;
}

std::string ToHex(const std::string& text)
{
    return ToHex(std::vector<uint8_t>(text.begin(), text.end()));
}
