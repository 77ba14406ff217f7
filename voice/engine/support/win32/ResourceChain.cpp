#include "ResourceChain.h"

#include <algorithm>
#include <climits>

namespace {

constexpr size_t kFirstStringBuffer = 256;
// A string table entry holds at most 65535 characters.
constexpr size_t kLongestString = 65536;

} // namespace

void CResourceChain::AddModule(HMODULE module)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    if (std::find(m_modules.begin(), m_modules.end(), module) == m_modules.end())
        m_modules.insert(m_modules.begin(), module);
}

void CResourceChain::RemoveModule(HMODULE module)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_modules.erase(std::remove(m_modules.begin(), m_modules.end(), module), m_modules.end());
}

void CResourceChain::Clear()
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_modules.clear();
}

size_t CResourceChain::LoadText(UINT id, char* buffer, size_t size) const
{
    if (buffer == nullptr || size == 0)
        return 0;
    const int bufferSize = static_cast<int>(std::min<size_t>(size, INT_MAX));
    for (HMODULE module : Snapshot()) {
        const int length = LoadStringA(module, id, buffer, bufferSize);
        if (length > 0)
            return static_cast<size_t>(length);
    }
    buffer[0] = '\0';
    return 0;
}

std::optional<std::string> CResourceChain::LoadText(UINT id) const
{
    // A text that fills the buffer may have been cut; try again with more room.
    for (size_t size = kFirstStringBuffer;; size *= 2) {
        std::string text(size, '\0');
        const size_t length = LoadText(id, text.data(), text.size());
        if (length == 0)
            return std::nullopt;
        if (length + 1 < size || size >= kLongestString) {
            text.resize(length);
            return text;
        }
    }
}

std::optional<CResourceChain::FoundResource> CResourceChain::Find(UINT id,
                                                                   const char* type) const
{
    for (HMODULE module : Snapshot()) {
        if (HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), type))
            return FoundResource{module, resource};
    }
    return std::nullopt;
}

std::vector<HMODULE> CResourceChain::Snapshot() const
{
    const std::lock_guard<std::mutex> guard(m_lock);
    return m_modules;
}
