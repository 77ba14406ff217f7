// The process-wide table of codec libraries: index 1 the G.723.1 library,
// index 2 the PureVoice library, each loaded once and kept until FreeAll.
#pragma once

#include "ICodecLibraries.h"

#include <array>
#include <string>

class CodecLibraryTable
{
public:
    static constexpr int kG7231 = 1;
    static constexpr int kPureVoice = 2;

    explicit CodecLibraryTable(ICodecLibraries& libraries) : m_libraries(libraries) {}
    CodecLibraryTable(const CodecLibraryTable&) = delete;
    CodecLibraryTable& operator=(const CodecLibraryTable&) = delete;
    ~CodecLibraryTable() { FreeAll(); }

    // The library of `index`, loaded when not yet; when it is missing, the
    // component `codecName` is fetched and the load tried once more. nullptr
    // for an index outside the table or a library that stays missing.
    CodecLibrary Load(const std::string& codecName, int index);
    void FreeAll();

    ICodecLibraries& Libraries() { return m_libraries; }
    static const char* FileName(int index);

private:
    ICodecLibraries& m_libraries;
    std::array<CodecLibrary, 3> m_handles{};
};
