// The Python voice server as a child process of a native test, with media
// and the HTTP tunnel on: its ports from the banner and its JSON-lines log.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <sys/types.h>

class VoiceServer
{
public:
    // Starts the server; Ports() is empty when it did not start.
    VoiceServer();
    ~VoiceServer();
    VoiceServer(const VoiceServer&) = delete;
    VoiceServer& operator=(const VoiceServer&) = delete;

    bool Started() const { return m_ports.size() == 5; }
    // "LISTENING", "CONTROL", "MEDIA", "STREAM" or "TUNNEL".
    int32_t Port(const std::string& name) const;
    std::string Log() const;
    const std::string& Error() const { return m_error; }

private:
    void ReadBanner(int output);

    pid_t m_pid = -1;
    std::string m_directory;
    std::map<std::string, int32_t> m_ports;
    std::string m_error;
};
