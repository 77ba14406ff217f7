#include "Win32CodecLibraries.h"

#include <windows.h>

CodecLibrary Win32CodecLibraries::Load(const std::string& fileName)
{
    return LoadLibraryA(fileName.c_str());
}

void Win32CodecLibraries::Free(CodecLibrary library)
{
    FreeLibrary(static_cast<HMODULE>(library));
}

void* Win32CodecLibraries::FindEntry(CodecLibrary library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

bool Win32CodecLibraries::FetchComponent(const std::string& codecName)
{
    return m_fetch && m_fetch(codecName);
}
