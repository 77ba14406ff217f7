#include "ZrWndHost.h"

namespace {

ZrWndHost* g_host = nullptr;

}  // namespace

ZrWndHost* ZrWndHost::Get()
{
    return g_host;
}

void ZrWndHost::Set(ZrWndHost* host)
{
    g_host = host;
}

void ZrWndHost::SetPriorityClass(DWORD priorityClass)
{
    ::SetPriorityClass(::GetCurrentProcess(), priorityClass);
}

bool ZrWndHost::AllowsDragAndMenu() const
{
    const int32_t state = GetIndicatorState();
    return state == kParticipating || state == kObserving;
}
