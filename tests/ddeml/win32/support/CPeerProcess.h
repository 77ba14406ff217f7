// A dde_peer process started by a test: its steps, its log and a bounded wait
// that keeps this thread's messages (and so its DDE transactions) flowing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches this thread's messages until the condition holds or the time
// is up; false on time-out.
bool PumpUntil(DWORD milliseconds, const std::function<bool()>& done);

class CPeerProcess
{
public:
    CPeerProcess() = default;
    ~CPeerProcess();
    CPeerProcess(const CPeerProcess&) = delete;
    CPeerProcess& operator=(const CPeerProcess&) = delete;

    bool Start(const std::vector<std::string>& steps);
    // Pumps until the peer has ended; on time-out the peer is ended and false
    // returned.
    bool WaitExit(DWORD milliseconds);
    // Pumps until a log line starts with the prefix.
    bool WaitForLine(const std::string& prefix, DWORD milliseconds);
    std::vector<std::string> Lines() const;
    // The lines that start with the prefix.
    std::vector<std::string> LinesStarting(const std::string& prefix) const;
    DWORD ExitCode() const;

private:
    bool HasLine(const std::string& prefix) const;

    PROCESS_INFORMATION m_process{};
    std::string m_logPath;
};

// Lower-case hex of bytes, "-" when empty, as the peer writes them.
std::string ToHex(const std::vector<uint8_t>& bytes);
std::string ToHex(const std::string& text);
