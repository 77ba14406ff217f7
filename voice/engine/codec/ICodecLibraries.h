// How the codecs reach their outside libraries: loading by file name, finding
// entry points by name, and asking the update client for a missing component.
#pragma once

#include <string>

using CodecLibrary = void*;

class ICodecLibraries
{
public:
    virtual ~ICodecLibraries() = default;

    // nullptr when the library cannot be loaded.
    virtual CodecLibrary Load(const std::string& fileName) = 0;
    virtual void Free(CodecLibrary library) = 0;
    // nullptr when the library has no such export.
    virtual void* FindEntry(CodecLibrary library, const char* name) = 0;
    // Asks the update client to install the component of a codec; true when it
    // reports success.
    virtual bool FetchComponent(const std::string& codecName) = 0;
};
