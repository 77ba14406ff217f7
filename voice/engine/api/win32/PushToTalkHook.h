// Push-to-talk: the user talks by holding CTRL, whichever program has the
// keyboard. A keyboard hook on every thread of the desktop swallows CTRL and
// posts its first press and its release to the engine window that owns
// push-to-talk. The owner is kept in a section that every process loading
// the engine shares, so that one engine window on the machine owns it.
#pragma once

#include <windows.h>

class PushToTalkHook
{
public:
    static constexpr UINT kTalkKeyDown = WM_USER + 1029;
    static constexpr UINT kTalkKeyUp = WM_USER + 1030;

    PushToTalkHook() = default;
    ~PushToTalkHook() { Remove(); }
    PushToTalkHook(const PushToTalkHook&) = delete;
    PushToTalkHook& operator=(const PushToTalkHook&) = delete;

    // Makes `target` the owner, with the keyboard hook when asked; true when
    // it is the owner (already or now), false when another window is, or
    // the hook cannot be installed. An owner window that no longer exists
    // (its process ended without giving it up) is replaced.
    bool Install(HWND target, bool keyboardHook);
    // Gives push-to-talk up when this record took it.
    void Remove();

private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM key, LPARAM flags);

    bool m_owner = false;
};
