// The codec libraries reached through the system loader. Fetching a missing
// component is handed to the update client through `fetch`.
#pragma once

#include "ICodecLibraries.h"

#include <functional>
#include <string>

class Win32CodecLibraries : public ICodecLibraries
{
public:
    using ComponentFetcher = std::function<bool(const std::string& codecName)>;

    explicit Win32CodecLibraries(ComponentFetcher fetch = {}) : m_fetch(std::move(fetch)) {}

    CodecLibrary Load(const std::string& fileName) override;
    void Free(CodecLibrary library) override;
    void* FindEntry(CodecLibrary library, const char* name) override;
    bool FetchComponent(const std::string& codecName) override;

private:
    ComponentFetcher m_fetch;
};
