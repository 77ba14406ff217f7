#include "PushToTalkHook.h"

#include <cstdint>

namespace {

// One copy for every process that loads the engine: the hook and the
// window that owns push-to-talk (window and hook handles fit 32 bits).
struct PushToTalkOwner
{
    uint32_t hook;
    uint32_t target;
};
PushToTalkOwner g_owner __attribute__((section(".pttown"), shared)) = {0, 0};

constexpr LPARAM kReleased = LPARAM{1} << 31;
constexpr LPARAM kWasDown = LPARAM{1} << 30;

uint32_t Handle32(const void* handle)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

template <typename Handle>
Handle FromHandle32(uint32_t value)
{
    return reinterpret_cast<Handle>(static_cast<uintptr_t>(value));
}

HMODULE EngineModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&EngineModule), &module);
    return module;
}

void ClearOwner()
{
    if (g_owner.hook)
        UnhookWindowsHookEx(FromHandle32<HHOOK>(g_owner.hook));
    g_owner.hook = 0;
    g_owner.target = 0;
}

} // namespace

bool PushToTalkHook::Install(HWND target, bool keyboardHook)
{
    if (g_owner.target && !IsWindow(FromHandle32<HWND>(g_owner.target)))
        ClearOwner();
    if (g_owner.target)
        return g_owner.target == Handle32(target);
    if (keyboardHook) {
        HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, EngineModule(), 0);
        if (!hook)
            return false;
        g_owner.hook = Handle32(hook);
    }
    g_owner.target = Handle32(target);
    m_owner = true;
    return true;
}

void PushToTalkHook::Remove()
{
    if (!m_owner)
        return;
    m_owner = false;
    ClearOwner();
}

// Runs in whichever process gets the key: it only reads the owner and posts.
LRESULT CALLBACK PushToTalkHook::KeyboardProc(int code, WPARAM key, LPARAM flags)
{
    if (code < 0 || key != VK_CONTROL)
        return CallNextHookEx(nullptr, code, key, flags);
    const bool released = (flags & kReleased) != 0;
    const bool wasDown = (flags & kWasDown) != 0;
    HWND target = FromHandle32<HWND>(g_owner.target);
    if (!released && !wasDown)
        PostMessageA(target, kTalkKeyDown, 0, 0);
    else if (released && wasDown)
        PostMessageA(target, kTalkKeyUp, 0, 0);
    return 1; // CTRL reaches no program while push-to-talk is owned
}
