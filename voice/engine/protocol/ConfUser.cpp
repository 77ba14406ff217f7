#include "ConfUser.h"

#include <utility>

ConfUser::ConfUser(int32_t user, std::string name, int32_t icon)
    : m_icon(icon), m_user(user), m_name(std::move(name))
{
}

void ConfUser::AddHistory(int32_t sender, const std::string& senderName, const std::string& text)
{
    m_history.push_back({sender, text, senderName});
    while (m_history.size() > kHistoryLimit)
        m_history.pop_front();
}
