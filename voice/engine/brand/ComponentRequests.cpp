#include "ComponentRequests.h"

std::vector<ComponentRequest> EngineComponentRequests(const std::string& brandLibraryName,
                                                      const std::string& locale,
                                                      bool hasPhoneDialling)
{
    std::vector<ComponentRequest> requests;
    if (!brandLibraryName.empty())
        requests.push_back({brandLibraryName, locale, "5"});
    if (!locale.empty())
        requests.push_back({"sncom", locale, "3"});
    if (hasPhoneDialling)
        requests.push_back({"G72364", "", "6"});
    return requests;
}
