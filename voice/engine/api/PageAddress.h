// The parts of a host page's URL that the engine sends in JOIN.
#pragma once

#include <string>

class PageAddress
{
public:
    // After "scheme://" and any "user@", up to the port, path, query or
    // fragment; the whole text when it has no scheme.
    static std::string HostOf(const std::string& url);
    // Four decimal parts of at most 255 each, separated by dots.
    static bool IsDotted(const std::string& host);
};
