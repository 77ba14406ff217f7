#include "CEngineLibrary.h"

#include "CNoticeDlg.h"
#include "ClientRegistry.h"
#include "EngineWindows.h"
#include "ComponentRequests.h"
#include "SnComStrings.h"
#include "UpdateService.h"

#include <winsock2.h>
#include <ole2.h>

HINSTANCE CEngineLibrary::s_module = nullptr;

namespace {

constexpr WORD kSocketsVersion = MAKEWORD(1, 1);

void ShowStartFailure(CEngineLibrary& library, int32_t number, UINT icon)
{
    MessageBoxA(nullptr, library.String(number).c_str(), "SnCom", MB_OK | icon);
}

} // namespace

CEngineLibrary& CEngineLibrary::Get()
{
    static CEngineLibrary library;
    return library;
}

void CEngineLibrary::SetModule(HINSTANCE module)
{
    s_module = module;
}

CEngineLibrary::CEngineLibrary()
    : m_modules(m_resources, m_registry, ModuleDirectory()),
      m_branding(m_modules, EngineProcessState::kEngineBrand),
      m_services(m_resources, s_module),
      m_instances(m_process, m_services),
      m_selector(m_instances, m_services, [this](void* handle) { Refuse(handle); })
{
    m_resources.AddModule(s_module);
    EngineWindows::Register(s_module, CSonorelleWnd::WindowProc);
    CLevelMeterWnd::Register(s_module);
}

HINSTANCE CEngineLibrary::DialogModule(int templateId) const
{
    const auto found = m_resources.Find(static_cast<UINT>(templateId), RT_DIALOG);
    return found ? static_cast<HINSTANCE>(found->module) : s_module;
}

std::string CEngineLibrary::ModuleDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(s_module, path, MAX_PATH);
    std::string directory(path, length < MAX_PATH ? length : 0);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

void CEngineLibrary::Init()
{
    if (!m_count.Raise())
        return;
    WSADATA sockets;
    if (WSAStartup(kSocketsVersion, &sockets) != 0)
        ShowStartFailure(*this, IDS_SN_NO_SOCKETS, MB_ICONERROR);
    if (FAILED(OleInitialize(nullptr)))
        ShowStartFailure(*this, IDS_SN_NO_OLE, MB_ICONERROR);
    if (!LoadLibraryA("riched20.dll"))
        ShowStartFailure(*this, IDS_SN_NO_RICHEDIT, MB_ICONWARNING);
    CClientRegistry().RegisterModulePath(s_module);
}

void CEngineLibrary::Uninit()
{
    if (!m_count.Lower())
        return;
    m_branding.Uninit();
    m_process.customBrand.clear();
    m_process.brandCode = EngineProcessState::kEngineBrand;
    OleUninitialize();
    WSACleanup();
}

bool CEngineLibrary::CreateInstance(void* handle, int32_t kind, bool sdk)
{
    if (m_instances.Create(handle, kind, sdk))
        return true;
    Refuse(handle);
    return false;
}

void CEngineLibrary::Refuse(void* handle)
{
    ShowNotice(handle, "SnCom", String(IDS_SN_ANOTHER_INSTANCE));
    m_windows[handle];
}

void CEngineLibrary::ShowNotice(void* handle, const std::string& caption, const std::string& text)
{
    auto& notices = m_windows[handle].notices;
    if (!notices)
        notices = std::make_unique<CEngineDialogList>(
            [this](int templateId) { return DialogModule(templateId); }, nullptr);
    notices->Open(std::make_unique<CNoticeDlg>(caption, text));
}

void CEngineLibrary::OnCreate(const SonorelleIfcCreateInfo& info)
{
    void* handle = info.hostWindow;
    if (!CreateInstance(handle, 4, false)) {
        CreateWindowFor(handle, static_cast<HWND>(handle));
        return;
    }
    m_instances.Find(handle)->TakeCreateInfo(info);
    RegisterBranding(handle);
    CreateWindowFor(handle, static_cast<HWND>(handle));
}

void CEngineLibrary::CreateWindowFor(void* handle, HWND parent)
{
    HostWindows& windows = m_windows[handle];
    if (CEngineInstance* instance = m_instances.Find(handle)) {
        if (windows.engine)
            return;
        auto session = std::make_unique<CSonorelleWnd>(*instance, m_services, m_resources);
        windows.engine = session->Create(parent);
        if (!windows.engine)
            return;
        instance->AttachSession(session.get());
        windows.session = std::move(session);
    } else if (!windows.holder) {
        windows.holder = EngineWindows::CreateHolderWindow(parent);
    }
}

HWND CEngineLibrary::WindowOf(void* handle) const
{
    const auto found = m_windows.find(handle);
    if (found == m_windows.end())
        return nullptr;
    if (found->second.engine)
        return found->second.engine;
    return found->second.holder;
}

void CEngineLibrary::MoveWindowOf(void* handle, int32_t width, int32_t height)
{
    if (HWND window = WindowOf(handle)) {
        MoveWindow(window, 0, 0, width, height, TRUE);
        InvalidateRect(window, nullptr, TRUE);
    }
}

void CEngineLibrary::SetPluginWindow(void* handle, const RECT& area, HWND window)
{
    HostWindows& windows = m_windows[handle];
    if (window != windows.attached) {
        if (windows.attached)
            EngineWindows::Detach(windows.attached);
        windows.attached = window && EngineWindows::Attach(window) ? window : nullptr;
    }
    if (windows.attached) {
        MoveWindow(windows.attached, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, TRUE);
        InvalidateRect(windows.attached, nullptr, TRUE);
    }
}

void CEngineLibrary::ShowMessage(void* handle, int32_t captionNumber, int32_t textNumber)
{
    ShowNotice(handle, String(captionNumber), String(textNumber));
}

void CEngineLibrary::Destroy(void* handle)
{
    const auto found = m_windows.find(handle);
    HostWindows windows;
    if (found != m_windows.end()) {
        windows = std::move(found->second);
        m_windows.erase(found);
    }
    windows.notices.reset();
    if (windows.attached)
        EngineWindows::Detach(windows.attached);
    // The session leaves its conference while the instance can still tell
    // the host.
    windows.session.reset();
    if (!m_instances.Remove(handle) && windows.holder)
        DestroyWindow(windows.holder);
    const uint32_t registered = m_branding.RegistrationCount();
    m_branding.Release();
    if (registered == 1) {
        // The last registration is gone and with it the branding.
        m_process.brandCode = m_branding.BrandCode();
        m_process.customBrand = m_branding.LibraryName();
    }
}

void CEngineLibrary::SetBranding(void* handle, int32_t brandCode, const char* library)
{
    const auto owner = reinterpret_cast<CBrandingState::InstanceId>(handle);
    if (!m_branding.SetBranding(owner, brandCode, nullptr, nullptr, library ? library : ""))
        return;
    m_process.brandCode = brandCode;
    m_process.customBrand = m_branding.LibraryName();
}

void CEngineLibrary::RegisterBranding(void* handle)
{
    const auto owner = reinterpret_cast<CBrandingState::InstanceId>(handle);
    // The CustomBrand option names the library through the instance.
    if (m_process.customBrand != m_branding.LibraryName())
        m_branding.SetBrandName(owner, m_process.customBrand);
    m_branding.SetLocale(m_process.locale);
    m_branding.RegisterInstance();
}

bool CEngineLibrary::InUse() const
{
    return !m_instances.Empty() || !m_windows.empty() || m_count.Count() > 1;
}

int32_t CEngineLibrary::EnsureComponents(void* handle)
{
    const CEngineInstance* engine = Find(handle);
    const bool dialsTelephones = engine && !engine->Params().Text(EngineParam::kPhoneDialInfo).empty();
    const std::string& locale = m_process.locale;
    return UpdateService::InstallComponents(
        EngineComponentRequests(m_process.customBrand, locale, dialsTelephones), locale);
}
