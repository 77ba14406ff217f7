#include "EngineWindows.h"

namespace {

const char kEngineClass[] = "SonorelleWindow";
const char kHolderClass[] = "SonorelleHolderWindow";
const char kMessageClass[] = "SonorelleMessageWindow";
const char kOriginalProc[] = "SonorelleOriginalProc";
constexpr int kMessageWidth = 360;
constexpr int kMessageHeight = 140;
constexpr int kMargin = 10;

HINSTANCE g_module = nullptr;

LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ShowWindow(window, SW_HIDE);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

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
    RegisterClassNamed(kMessageClass, MessageWindowProc, face);
}

void EngineWindows::Unregister(HINSTANCE module)
{
    UnregisterClassA(kEngineClass, module);
    UnregisterClassA(kHolderClass, module);
    UnregisterClassA(kMessageClass, module);
}

HWND EngineWindows::CreateEngineWindow(HWND parent, void* owner)
{
    return CreateChild(kEngineClass, parent, owner);
}

HWND EngineWindows::CreateHolderWindow(HWND parent)
{
    return CreateChild(kHolderClass, parent);
}

HWND EngineWindows::CreateMessageWindow(const std::string& caption, const std::string& text)
{
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kMessageClass, caption.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                  kMessageWidth, kMessageHeight, nullptr, nullptr, g_module, nullptr);
    if (!window)
        return nullptr;
    RECT client;
    GetClientRect(window, &client);
    CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, kMargin, kMargin,
                    client.right - 2 * kMargin, client.bottom - 2 * kMargin, window, nullptr,
                    g_module, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
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
