// The windows the engine library makes for its hosts: the engine window of
// an instance, the placeholder of a host without one, and the attachment of a host's own window (plug-in hosts).
#pragma once

#include <windows.h>

class EngineWindows
{
public:
    static constexpr int kChildId = 111;

    // `engineProcedure` serves the engine windows.
    static void Register(HINSTANCE module, WNDPROC engineProcedure);
    static void Unregister(HINSTANCE module);

    // Visible child windows with an empty rectangle and control id 111; the
    // engine window's creation parameter is `owner`.
    static HWND CreateEngineWindow(HWND parent, void* owner);
    static HWND CreateHolderWindow(HWND parent);

    // Subclasses a host's window so that the engine sees its messages; the
    // window keeps working as before.
    static bool Attach(HWND window);
    static void Detach(HWND window);
    static bool IsAttached(HWND window);
};
