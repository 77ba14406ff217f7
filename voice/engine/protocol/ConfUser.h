// A participant of the conference as the roster keeps it, with the text
// messages exchanged with that user.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

struct ConfHistoryEntry
{
    int32_t sender = 0;
    std::string text;
    std::string senderName;
};

class ConfUser
{
public:
    static constexpr size_t kHistoryLimit = 100;

    ConfUser(int32_t user, std::string name, int32_t icon);

    int32_t User() const { return m_user; }
    const std::string& Name() const { return m_name; }
    int32_t Icon() const { return m_icon; }
    int32_t Flag() const { return m_flag; }
    const std::deque<ConfHistoryEntry>& History() const { return m_history; }

    void SetName(std::string name) { m_name = std::move(name); }
    void SetIcon(int32_t icon) { m_icon = icon; }
    void SetFlag(int32_t flag) { m_flag = flag; }

    // Appends at the tail and drops the oldest entries beyond the limit.
    void AddHistory(int32_t sender, const std::string& senderName, const std::string& text);

private:
    std::deque<ConfHistoryEntry> m_history;
    int32_t m_flag = 0;
    int32_t m_icon = 0;
    int32_t m_user = 0;
    std::string m_name;
};
