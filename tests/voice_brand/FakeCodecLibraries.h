// In-process codec libraries for the portable tests: a G.723.1 library whose
// frame is the first 24 samples' low bytes plus one, and a PureVoice library
// with 6-byte frames; exports can be removed and loads made to fail.
#pragma once

#include "ICodecLibraries.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class FakeCodecLibraries : public ICodecLibraries
{
public:
    static CodecLibrary G7231Handle();
    static CodecLibrary PureVoiceHandle();

    CodecLibrary Load(const std::string& fileName) override;
    void Free(CodecLibrary library) override;
    void* FindEntry(CodecLibrary library, const char* name) override;
    bool FetchComponent(const std::string& codecName) override;

    std::set<std::string> installed{"sx5363s.dll", "qpl.dll"};
    std::set<std::string> missingEntries;
    // What a fetch installs, by codec name.
    std::map<std::string, std::string> fetchable;
    std::vector<std::string> loadAttempts;
    std::vector<std::string> fetches;
    std::map<CodecLibrary, int> references;
};

// The fake libraries' own state, reset by Reset().
struct FakeCodecState
{
    static void Reset();
    static int32_t openResult;    // what SX5363_Open returns
    static int openSessions;
    static int32_t lastMode;      // the mode of the last G.723.1 call
    static bool createObjects;    // QPLCreateInstance gives an object
    static int liveObjects;
    static std::vector<int32_t> setModes;
    static std::vector<int32_t> processFrames;
};
