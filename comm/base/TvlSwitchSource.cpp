#include "TvlSwitchSource.h"

namespace {

class CNoSwitchFile : public ITvlSwitchSource {
public:
    int32_t GetInt(const char*, int32_t defaultValue) override { return defaultValue; }
};

ITvlSwitchSource* g_source = nullptr;

} // namespace

ITvlSwitchSource* TvlSetSwitchSource(ITvlSwitchSource* source)
{
    ITvlSwitchSource* previous = g_source;
    g_source = source;
    return previous;
}

ITvlSwitchSource& TvlSwitchSource()
{
    static CNoSwitchFile none;
    return g_source ? *g_source : none;
}
