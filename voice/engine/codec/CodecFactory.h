// Makes the codec that the conference server named: "G72364" or "QUAL68" in
// any case. A name that cannot be served, or whose library is missing, gives
// the placeholder codec and two error log entries (the code, then the name).
#pragma once

#include "Codec.h"
#include "CodecLibraryTable.h"

#include <functional>
#include <memory>
#include <string>

class CodecFactory
{
public:
    static constexpr unsigned kUnusableCodecError = 211;
    static constexpr unsigned kLogCategory = 0;

    // Adds one entry to the engine's error log under a category.
    using ErrorLogger = std::function<void(unsigned category, const std::string& entry)>;

    CodecFactory(CodecLibraryTable& table, ErrorLogger log)
        : m_table(table), m_log(std::move(log))
    {
    }

    std::unique_ptr<Codec> Make(const std::string& name);

    // 1 for G.723.1, 2 for PureVoice, 0 for any other name.
    static int KindOfName(const std::string& name);

private:
    CodecLibraryTable& m_table;
    ErrorLogger m_log;
};
