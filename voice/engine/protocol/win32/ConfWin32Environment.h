// The conference session's text services on Windows: strings from the
// engine's resource chain (the built-in English text where no module has
// one), conversion between the ANSI code page and UTF-8, and the C library's
// generator seeded with the time for the first line number.
#pragma once

#include "CConfDefaultEnvironment.h"
#include "CodePageConverter.h"

class CResourceChain;

class CConfWin32Environment : public CConfDefaultEnvironment
{
public:
    explicit CConfWin32Environment(const CResourceChain& resources);

    std::string String(int32_t number) override;
    std::optional<std::string> ToUtf8(std::string_view text) override;
    std::optional<std::string> FromUtf8(std::string_view text) override;
    uint32_t SequenceSeed() override;

private:
    std::optional<std::string> Convert(uint32_t source, std::string_view text,
                                       uint32_t target) const;

    const CResourceChain& m_resources;
    CCodePageConverter m_converter;
};
