#include "ControlLineBuffer.h"

ControlLineBuffer::Status ControlLineBuffer::Append(const char* bytes, size_t length,
                                                    std::vector<std::string>& lines,
                                                    size_t& tooLongLength)
{
    m_pending.append(bytes, length);
    size_t start = 0;
    for (size_t end = m_pending.find('\n'); end != std::string::npos;
         end = m_pending.find('\n', start)) {
        if (end > start)
            lines.push_back(m_pending.substr(start, end - start));
        start = end + 1;
    }
    m_pending.erase(0, start);
    if (m_pending.size() > kLongestLine) {
        tooLongLength = m_pending.size();
        m_pending.clear();
        return Status::TooLong;
    }
    return Status::Ok;
}
