#include "VoiceServer.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

VoiceServer::VoiceServer()
{
    char directory[] = "/tmp/voice-transport-XXXXXX";
    if (!mkdtemp(directory)) {
        m_error = "no temporary folder";
        return;
    }
    m_directory = directory;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        m_error = "no pipe";
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    const std::string log = m_directory + "/log.jsonl";
    std::vector<std::string> args = {"/usr/bin/python3", "-m", "voiceserver.server",
                                     "--port", "0", "--control-port", "0",
                                     "--media-port", "0", "--tunnel-port", "0",
                                     "--time-limit", "120", "--log", log};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {std::string("PYTHONPATH=") + ZR_TESTS_DIR};
    for (char** entry = environ; *entry; ++entry) {
        if (std::string(*entry).rfind("PYTHONPATH=", 0) != 0)
            environment.push_back(*entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        m_pid = -1;
        m_error = "python did not start";
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (m_pid > 0)
        ReadBanner(pipeEnds[0]);
    close(pipeEnds[0]);
}

VoiceServer::~VoiceServer()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
    if (!m_directory.empty()) {
        std::remove((m_directory + "/log.jsonl").c_str());
        rmdir(m_directory.c_str());
    }
}

void VoiceServer::ReadBanner(int output)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::string text;
    while (!Started() && std::chrono::steady_clock::now() < deadline) {
        pollfd wait = {output, POLLIN, 0};
        if (poll(&wait, 1, 500) <= 0)
            continue;
        char bytes[512];
        const ssize_t got = read(output, bytes, sizeof bytes);
        if (got <= 0)
            break;
        text.append(bytes, static_cast<size_t>(got));
        size_t end;
        while ((end = text.find('\n')) != std::string::npos) {
            std::istringstream line(text.substr(0, end));
            text.erase(0, end + 1);
            std::string name, host;
            int32_t port = 0;
            if (line >> name >> host >> port)
                m_ports[name] = port;
        }
    }
    if (!Started())
        m_error = "no banner from the voice server: " + text;
}

int32_t VoiceServer::Port(const std::string& name) const
{
    const auto found = m_ports.find(name);
    return found == m_ports.end() ? 0 : found->second;
}

std::string VoiceServer::Log() const
{
    std::ifstream file(m_directory + "/log.jsonl");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
