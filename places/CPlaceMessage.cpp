#include "CPlaceMessage.h"

std::string CPlaceMessage::Fill(const std::string& format, const std::vector<std::string>& arguments)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char directive = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c == '%' && directive == '%') {
            out += '%';
            ++i;
        } else if (c == '%' && (directive == 's' || directive == 'd') && next < arguments.size()) {
            out += arguments[next++];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
