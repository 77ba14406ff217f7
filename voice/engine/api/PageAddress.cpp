#include "PageAddress.h"

#include "ConfText.h"

#include <cstdlib>

std::string PageAddress::HostOf(const std::string& url)
{
    size_t start = url.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    const size_t end = url.find_first_of("/?#", start);
    std::string authority =
        url.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const size_t at = authority.rfind('@');
    if (at != std::string::npos)
        authority.erase(0, at + 1);
    return authority.substr(0, authority.find(':'));
}

bool PageAddress::IsDotted(const std::string& host)
{
    int32_t parts = 0;
    size_t at = 0;
    while (at <= host.size()) {
        size_t end = host.find('.', at);
        if (end == std::string::npos)
            end = host.size();
        const std::string part = host.substr(at, end - at);
        if (part.empty() || part.size() > 3 || !ConfText::IsDigits(part) ||
            std::atoi(part.c_str()) > 255)
            return false;
        ++parts;
        at = end + 1;
    }
    return parts == 4;
}
