// The binding of the voice engine library shared by every engine link of a
// control module: one library handle, a count of the links that hold it and
// one entry per export. The first link loads and binds the library and calls
// its Init; the last one to let go calls Uninit and unloads it.
#pragma once

#include "EngineExports.h"
#include "IEngineModule.h"

#include <array>
#include <cstdint>
#include <string>

class CEngineBinding
{
public:
    explicit CEngineBinding(IEngineModule& module);

    // Takes one reference, loading and binding the library on the first.
    // Returns true when the caller now holds a reference to a bound library;
    // a caller that gets false holds nothing and must not free.
    bool LoadEngineLibrary();
    // Drops one reference; on the last, ends and unloads the library.
    void FreeEngineLibrary();
    // True when `entry` is bound; otherwise shows the binding error.
    bool CheckInterfaceBound(const void* entry, const char* exportName);

    bool IsLoaded() const { return m_loaded; }
    int32_t ReferenceCount() const { return m_referenceCount; }
    // The bound entry, or null while the library is not bound.
    void* Entry(EngineExport which) const;

    static std::string MissingInterfaceText(const char* exportName);

private:
    bool LoadAndBind();
    bool BindExports();
    void CallEntry(EngineExport which);
    void Unload();

    IEngineModule& m_module;
    int32_t m_referenceCount = 0;
    bool m_loaded = false;
    bool m_initCalled = false;
    std::array<void*, kEngineExportCount> m_entries{};
};
