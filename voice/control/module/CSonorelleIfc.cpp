#include "CSonorelleIfc.h"

#include "CEngineBinding.h"
#include "COleObjectFactory.h"
#include "CUpdateCheckStore.h"
#include "CWin32EngineModule.h"
#include "OleText.h"
#include "UpdateService.h"

#include <ctime>
#include <type_traits>

namespace {

constexpr size_t kTextBufferSize = 100;
constexpr int32_t kUpdateDone = 0;
constexpr int32_t kUpdateRestartNeeded = 1;
constexpr int32_t kUpdateCaption = 10005;
constexpr int32_t kUpdateRestartText = 10003;
constexpr DWORD kLibraryReleaseWaitMs = 10;

CEngineBinding& Binding()
{
    static CWin32EngineModule module;
    static CEngineBinding binding(module);
    return binding;
}

// Calls a bound export; an unbound one does nothing and answers 0.
template <typename Result, typename... Arguments>
Result CallExport(EngineExport which, Arguments... arguments)
{
    void* entry = Binding().Entry(which);
    if (!entry)
        return Result {};
    auto function = reinterpret_cast<Result (*)(Arguments...)>(entry);
    if constexpr (std::is_void_v<Result>)
        function(arguments...);
    else
        return function(arguments...);
}

BSTR TextOfBuffer(const char* buffer)
{
    return AllocSysString(std::string(buffer));
}

} // namespace

CSonorelleIfc::CSonorelleIfc()
{
    m_holdsLibrary = Binding().LoadEngineLibrary();
}

CSonorelleIfc::~CSonorelleIfc()
{
    if (m_holdsLibrary)
        Binding().FreeEngineLibrary();
}

void CSonorelleIfc::Destroy()
{
    if (!m_instance)
        return;
    CallExport<void>(EngineExport::Destroy, static_cast<void*>(m_instance));
    m_instance = nullptr;
}

bool CSonorelleIfc::TakeFirstCreation()
{
    static bool registered = false;
    if (registered)
        return false;
    registered = true;
    return true;
}

void CSonorelleIfc::CheckForUpdates(const std::string& brand)
{
    const CUpdateCheckStore store;
    char path[MAX_PATH] = {};
    if (::GetModuleFileNameA(COleObjectFactory::Module(), path, MAX_PATH))
        store.RecordLibraryFolder(path);
    if (!store.TakeUpdateCheck(static_cast<uint32_t>(std::time(nullptr))))
        return;
    void* list = nullptr;
    const int32_t result = CallExport<int32_t>(EngineExport::GetToUpdateFileList, static_cast<int32_t>(0), &list,
        kBrandCode, kUpdateHostCode, brand.c_str());
    if (!list) {
        UpdateService::Finish(result);
        return;
    }
    InstallUpdates(list, result);
}

// Installs the files of the engine's update list. Unless the engine said its
// files are in use, this link lets go of the library while they are
// replaced, so that the engine's own library can be among them.
void CSonorelleIfc::InstallUpdates(void* list, int32_t listResult)
{
    const bool release = listResult != kUpdateRestartNeeded && m_holdsLibrary;
    if (release) {
        Binding().FreeEngineLibrary();
        m_holdsLibrary = false;
        ::Sleep(kLibraryReleaseWaitMs);
    }
    const int32_t installed = UpdateService::InstallList(list);
    if (release)
        m_holdsLibrary = Binding().LoadEngineLibrary();
    const bool listed = listResult == kUpdateDone || listResult == kUpdateRestartNeeded;
    if (installed == kUpdateRestartNeeded && listed)
        CallExport<void>(EngineExport::DisplayModlessDialog, static_cast<void*>(m_instance), kUpdateCaption,
            kUpdateRestartText);
}

void CSonorelleIfc::SetCustomBrandingDll(const std::string& brand)
{
    CallExport<void>(EngineExport::SetCustomBrandingDll, static_cast<void*>(m_instance), kBrandCode,
        brand.c_str(), static_cast<int32_t>(0), static_cast<int32_t>(0));
}

void CSonorelleIfc::CreateInstance(int32_t kind, bool sdk, const std::string& containerUrl)
{
    SonorelleIfcCreateArgs create {kind, static_cast<uint8_t>(sdk ? 1 : 0)};
    Select(SonorelleIfcOp::kCreateInstance, &create);
    const SonorelleIfcIndexValue page {16, reinterpret_cast<intptr_t>(containerUrl.c_str())};
    CallExport<void>(EngineExport::SetSdkParam, static_cast<void*>(m_instance), &page);
}

void CSonorelleIfc::OnCreateWindow()
{
    CallExport<uint8_t>(EngineExport::OnCreateWindow, static_cast<void*>(m_instance), m_instance);
}

void CSonorelleIfc::MoveWindow(int cx, int cy)
{
    CallExport<void>(EngineExport::MoveWindow, static_cast<void*>(m_instance), static_cast<int32_t>(cx),
        static_cast<int32_t>(cy));
}

void CSonorelleIfc::SetStringProperty(int32_t index, const std::string& text)
{
    SonorelleIfcIndexValue property {index, reinterpret_cast<intptr_t>(text.c_str())};
    Select(SonorelleIfcOp::kSetByIndex, &property);
}

void CSonorelleIfc::SetLongProperty(int32_t index, int32_t value)
{
    SonorelleIfcIndexValue property {index, value};
    Select(SonorelleIfcOp::kSetByIndex, &property);
}

void CSonorelleIfc::SetSdkCallback(const SonorelleIfcCallback* callback)
{
    CallExport<void>(EngineExport::SetSdkCallback, static_cast<void*>(m_instance), callback);
}

int32_t CSonorelleIfc::SetUIOption(const std::string& name, const std::string& value)
{
    SonorelleIfcNameValue option {name.c_str(), value.c_str()};
    return Select(SonorelleIfcOp::kSetUiOption, &option);
}

BSTR CSonorelleIfc::GetUIOption(const std::string& name)
{
    return SelectText(SonorelleIfcOp::kGetUiOption, name);
}

int32_t CSonorelleIfc::SetSDKProperty(const std::string& name, const std::string& value)
{
    SonorelleIfcNameValue property {name.c_str(), value.c_str()};
    return Select(SonorelleIfcOp::kSetSdkProperty, &property);
}

BSTR CSonorelleIfc::GetSDKProperty(const std::string& name)
{
    return SelectText(SonorelleIfcOp::kGetSdkProperty, name);
}

int32_t CSonorelleIfc::SetParamByName(const std::string& name, const std::string& value)
{
    SonorelleIfcNameValue parameter {name.c_str(), value.c_str()};
    return Select(SonorelleIfcOp::kSetByName, &parameter);
}

BSTR CSonorelleIfc::GetVersion()
{
    char buffer[kTextBufferSize] = {};
    CallExport<int32_t>(EngineExport::GetVersion, static_cast<void*>(m_instance), buffer,
        static_cast<int32_t>(kTextBufferSize));
    return TextOfBuffer(buffer);
}

BSTR CSonorelleIfc::GetSpeakers()
{
    char buffer[kTextBufferSize] = {};
    CallExport<void>(EngineExport::GetSpeakers, static_cast<void*>(m_instance), static_cast<char*>(buffer));
    buffer[kTextBufferSize - 1] = '\0';
    return TextOfBuffer(buffer);
}

int32_t CSonorelleIfc::SDKJoin()
{
    return CallExport<int32_t>(EngineExport::SdkJoin, static_cast<void*>(m_instance));
}

int32_t CSonorelleIfc::Disconnect()
{
    return CallExport<int32_t>(EngineExport::Disconnect, static_cast<void*>(m_instance));
}

int32_t CSonorelleIfc::GetLevel()
{
    return CallExport<int32_t>(EngineExport::GetLevel, static_cast<void*>(m_instance));
}

int32_t CSonorelleIfc::SendInvite(int32_t user)
{
    return CallExport<int32_t>(EngineExport::SendInvite, static_cast<void*>(m_instance), user);
}

int32_t CSonorelleIfc::InviteReply(int32_t user, int32_t accept)
{
    return CallExport<int32_t>(EngineExport::InviteReply, static_cast<void*>(m_instance), user, accept);
}

int32_t CSonorelleIfc::TextMessage(int32_t user, const std::string& text)
{
    return CallExport<int32_t>(EngineExport::TextMessage, static_cast<void*>(m_instance), user, text.c_str());
}

int32_t CSonorelleIfc::AppMessage(int32_t user, const std::string& text)
{
    return CallExport<int32_t>(EngineExport::AppMessage, static_cast<void*>(m_instance), user, text.c_str());
}

int32_t CSonorelleIfc::AppBroadcast(const std::string& text)
{
    return CallExport<int32_t>(EngineExport::AppBroadcast, static_cast<void*>(m_instance), text.c_str());
}

int32_t CSonorelleIfc::WarnUser(int32_t user, const std::string& text)
{
    return CallExport<int32_t>(EngineExport::WarnUser, static_cast<void*>(m_instance), user, text.c_str());
}

int32_t CSonorelleIfc::KickUser(int32_t user)
{
    return CallExport<int32_t>(EngineExport::KickUser, static_cast<void*>(m_instance), user);
}

int32_t CSonorelleIfc::GetConfClone()
{
    return static_cast<int32_t>(
        CallExport<intptr_t>(EngineExport::GetConfClone, static_cast<void*>(m_instance)));
}

int32_t CSonorelleIfc::Join(const std::string& server, const std::string& conference, const std::string& user,
    const std::string& account, const std::string& accountKey)
{
    SonorelleIfcJoinArgs join {
        server.c_str(), conference.c_str(), user.c_str(), account.c_str(), accountKey.c_str()};
    return Select(SonorelleIfcOp::kJoin, &join);
}

int32_t CSonorelleIfc::Ignore(int32_t user, int32_t flag)
{
    SonorelleIfcUserFlag ignore {user, flag};
    return Select(SonorelleIfcOp::kIgnore, &ignore);
}

int32_t CSonorelleIfc::GagUser(int32_t user, int32_t flag, int32_t duration)
{
    SonorelleIfcGagArgs gag {user, flag, duration};
    return Select(SonorelleIfcOp::kGag, &gag);
}

int32_t CSonorelleIfc::KickUserWithReason(int32_t user, const std::string& reason)
{
    SonorelleIfcKickArgs kick {user, reason.c_str()};
    return Select(SonorelleIfcOp::kKick, &kick);
}

int32_t CSonorelleIfc::SendTone(const std::string& digits)
{
    SonorelleIfcToneArgs tone {digits.empty() ? '\0' : digits[0]};
    return Select(SonorelleIfcOp::kTone, &tone);
}

int32_t CSonorelleIfc::WaveOperation(int32_t operation, void* arguments)
{
    return Select(operation, arguments);
}

int32_t CSonorelleIfc::Select(int32_t operation, void* arguments)
{
    const SonorelleIfcSelectorBlock block {1, m_instance, operation, arguments};
    return CallExport<int32_t>(EngineExport::FunctionSelector, &block);
}

BSTR CSonorelleIfc::SelectText(int32_t operation, const std::string& name)
{
    SonorelleIfcNameResult record {name.c_str(), nullptr};
    Select(operation, &record);
    return record.value ? static_cast<BSTR>(record.value) : ::SysAllocString(L"");
}
