#include "EngineWindows.h"

namespace {

const char kEngineClass[] = "SonorelleWindow";
const char kHolderClass[] = "SonorelleHolderWindow";
const char kOriginalProc[] = "SonorelleOriginalProc";

HINSTANCE g_module = nullptr;

LRESULT CALLBACK AttachedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProc));
    if (!original)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        EngineWindows::Detach(window);
    return CallWindowProcA(original, window, message, wParam, lParam);
}

void RegisterClassNamed(const char* name, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = g_module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

HWND CreateChild(const char* className, HWND parent, void* parameter = nullptr)
{
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(EngineWindows::kChildId)),
                           g_module, parameter);
}

} // namespace

void EngineWindows::Register(HINSTANCE module, WNDPROC engineProcedure)
{
    g_module = module;
    const auto face = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    RegisterClassNamed(kEngineClass, engineProcedure, face);
    RegisterClassNamed(kHolderClass, DefWindowProcA, face);
}

void EngineWindows::Unregister(HINSTANCE module)
{
    UnregisterClassA(kEngineClass, module);
    UnregisterClassA(kHolderClass, module);
}

HWND EngineWindows::CreateEngineWindow(HWND parent, void* owner)
{
    return CreateChild(kEngineClass, parent, owner);
}

HWND EngineWindows::CreateHolderWindow(HWND parent)
{
    return CreateChild(kHolderClass, parent);
}

bool EngineWindows::Attach(HWND window)
{
    if (!IsWindow(window) || IsAttached(window))
        return false;
    const auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AttachedWindowProc)));
    SetPropA(window, kOriginalProc, reinterpret_cast<HANDLE>(original));
    return true;
}

void EngineWindows::Detach(HWND window)
{
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProc));
    if (!original)
        return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropA(window, kOriginalProc);
}

bool EngineWindows::IsAttached(HWND window)
{
    return GetPropA(window, kOriginalProc) != nullptr;
}
