// The answer of one host-name look-up that runs off the engine's thread: the
// worker finishes it once, the engine reads it on its own thread whenever it
// likes. Shared between the two, so either may end first.
#pragma once

#include <mutex>
#include <string>

class CHostLookup
{
public:
    explicit CHostLookup(std::string host) : m_host(std::move(host)) {}

    const std::string& Host() const { return m_host; }

    // `address` is the dotted address, or empty when the name has none.
    void Finish(const std::string& address);
    bool IsDone() const;
    // The dotted address once done; "0.0.0.0" when the name has none.
    std::string Address() const;

private:
    const std::string m_host;
    mutable std::mutex m_lock;
    bool m_done = false;
    std::string m_address;
};
