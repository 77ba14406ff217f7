#include "CodecLibraryTable.h"

namespace {

constexpr const char* kFileNames[] = {nullptr, "sx5363s.dll", "qpl.dll"};

bool InTable(int index)
{
    return index >= CodecLibraryTable::kG7231 && index <= CodecLibraryTable::kPureVoice;
}

} // namespace

const char* CodecLibraryTable::FileName(int index)
{
    return InTable(index) ? kFileNames[index] : nullptr;
}

CodecLibrary CodecLibraryTable::Load(const std::string& codecName, int index)
{
    if (!InTable(index))
        return nullptr;
    CodecLibrary& handle = m_handles[static_cast<size_t>(index)];
    if (handle != nullptr)
        return handle;
    handle = m_libraries.Load(kFileNames[index]);
    if (handle == nullptr && m_libraries.FetchComponent(codecName))
        handle = m_libraries.Load(kFileNames[index]);
    return handle;
}

void CodecLibraryTable::FreeAll()
{
    for (CodecLibrary& handle : m_handles) {
        if (handle != nullptr)
            m_libraries.Free(handle);
        handle = nullptr;
    }
}
