#include "ConfWin32Environment.h"

#include "ResourceChain.h"

#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <vector>

CConfWin32Environment::CConfWin32Environment(const CResourceChain& resources)
    : m_resources(resources), m_converter(true)
{
}

std::string CConfWin32Environment::String(int32_t number)
{
    const std::optional<std::string> text = m_resources.LoadText(static_cast<UINT>(number));
    return text ? *text : CConfDefaultEnvironment::String(number);
}

std::optional<std::string> CConfWin32Environment::ToUtf8(std::string_view text)
{
    return Convert(CP_ACP, text, kCodePageUtf8);
}

std::optional<std::string> CConfWin32Environment::FromUtf8(std::string_view text)
{
    return Convert(kCodePageUtf8, text, CP_ACP);
}

uint32_t CConfWin32Environment::SequenceSeed()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return static_cast<uint32_t>(std::rand());
}

std::optional<std::string> CConfWin32Environment::Convert(uint32_t source, std::string_view text,
                                                          uint32_t target) const
{
    if (text.empty())
        return std::string();
    const size_t needed = m_converter.Convert(source, text, target, nullptr, 0);
    if (needed == 0)
        return std::nullopt;
    std::vector<char> converted(needed);
    if (m_converter.Convert(source, text, target, converted.data(), converted.size()) != needed)
        return std::nullopt;
    return std::string(converted.data(), needed - 1);
}
