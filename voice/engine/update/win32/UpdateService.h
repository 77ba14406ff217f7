// The update client as the engine library and its hosts use it. The list
// handed to a host is a block of text in the list's hand-over form, allocated
// with LocalAlloc, so that the host's own copy of the install step can read it
// and free it whatever runtime either side was built with.
#pragma once

#include "ComponentRequests.h"

#include <cstdint>
#include <string>
#include <vector>

class UpdateService
{
public:
    // Builds the list for the host codes and the component and downloads its
    // files. With result 0 `*list` is the hand-over block (nullptr when
    // nothing is needed); otherwise it is nullptr.
    static int32_t PrepareList(int32_t firstHostCode, int32_t secondHostCode, const std::string& component,
                               const std::string& locale, void** list);
    // Builds, downloads and installs what the requests need.
    static int32_t InstallComponents(const std::vector<ComponentRequest>& requests, const std::string& locale);
    // The host's install step for a hand-over block; frees the block.
    static int32_t InstallList(void* list);
    // Records the result of an update whose list was empty.
    static void Finish(int32_t result);

private:
    static std::string BaseUrl();
    static std::string SystemLanguage();
};
