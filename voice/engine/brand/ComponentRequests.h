// The components the engine makes sure are installed before it runs: the
// branding library and the engine's texts for the locale, and the G.723.1
// codec when the instance dials telephones.
#pragma once

#include <string>
#include <vector>

struct ComponentRequest
{
    std::string name;
    std::string locale;
    std::string kind; // "5" branding library, "3" engine texts, "6" codec

    bool operator==(const ComponentRequest& other) const
    {
        return name == other.name && locale == other.locale && kind == other.kind;
    }
};

std::vector<ComponentRequest> EngineComponentRequests(const std::string& brandLibraryName,
                                                      const std::string& locale,
                                                      bool hasPhoneDialling);
