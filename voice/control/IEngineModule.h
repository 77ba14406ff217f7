// The platform side of binding the voice engine library: loading it, looking
// up its exports, unloading it and showing a binding error to the user.
#pragma once

#include <string>

class IEngineModule
{
public:
    virtual ~IEngineModule() = default;

    // Loads the library; false when it cannot be found or loaded.
    virtual bool Load() = 0;
    // Address of the named export of the loaded library, or null.
    virtual void* FindExport(const char* name) = 0;
    virtual void Unload() = 0;
    virtual void ShowError(const std::string& text) = 0;
};
