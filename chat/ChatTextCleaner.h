// The chat text cleaning applied to typed lines before they are sent and to
// every line a transcript shows: control characters are dropped, leading
// blanks vanish and runs of blanks become one (one trailing blank may stay).
#pragma once
#include <string>

std::string CleanChatText(const std::string& text);
