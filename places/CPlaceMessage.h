// CPlaceMessage: fills the "%s" and "%d" directives of a message text of the
// resource library, in order, from arguments given as text. Unlike printf it
// cannot read past its arguments when a translated text carries more or
// other directives than the code expects: a directive without an argument
// stays as written.
#pragma once

#include <string>
#include <vector>

class CPlaceMessage {
public:
    static std::string Fill(const std::string& format, const std::vector<std::string>& arguments);
};
