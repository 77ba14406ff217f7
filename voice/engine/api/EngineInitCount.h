// The process-wide count of SonorelleIfc_Init calls that are not yet matched
// by SonorelleIfc_Uninit. It never drops below 0, so that an unmatched end
// does not keep the next start from starting the library.
#pragma once

#include <cstdint>

class EngineInitCount
{
public:
    // True for the call that starts the library.
    bool Raise() { return m_count++ == 0; }
    // True for the call that ends it; false when nothing was started.
    bool Lower();
    int32_t Count() const { return m_count; }

private:
    int32_t m_count = 0;
};
