// Loads SnCom.dll as a host does, binds its exports by name and drives
// them with real host windows.
#include "SonorelleIfcTypes.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kExportNames[] = {
    "SonorelleIfc_Init", "SonorelleIfc_Uninit", "SonorelleIfc_GetResourceString",
    "SonorelleIfc_SetCustomBrandingDll", "SonorelleIfc_GetToUpdateFileList",
    "SonorelleIfc_SetParam", "SonorelleIfc_OnCreate", "SonorelleIfc_Join",
    "SonorelleIfc_MoveWindow", "SonorelleIfc_Destroy", "SonorelleIfc_DisplayModlessDialog",
    "SonorelleIfc_NPP_New", "SonorelleIfc_NPP_SetWindow", "SonorelleIfc_SetHostUrl",
    "SonorelleIfc_SetContainerInfo", "SonorelleIfc_NPP_Destroy", "SonorelleIfc_OnCreateObject",
    "SonorelleIfc_OnCreateWindow", "SonorelleIfc_SDKJoin", "SonorelleIfc_Disconnect",
    "SonorelleIfc_GetSpeakers", "SonorelleIfc_GetLevel", "SonorelleIfc_SendInvite",
    "SonorelleIfc_InviteReply", "SonorelleIfc_Ignore", "SonorelleIfc_TextMessage",
    "SonorelleIfc_AppMessage", "SonorelleIfc_AppBroadcast", "SonorelleIfc_GagUser",
    "SonorelleIfc_WarnUser", "SonorelleIfc_KickUser", "SonorelleIfc_SetSdkParam",
    "SonorelleIfc_SetSdkCallback", "SonorelleIfc_GetConfClone", "SonorelleIfc_SetConfClone",
    "SonorelleIfc_GetVersion", "SonorelleIfc_SNComFunctionSelector",
};

struct Engine
{
    HMODULE module = nullptr;
    void (*init)() = nullptr;
    void (*uninit)() = nullptr;
    int32_t (*getResourceString)(int32_t, int32_t, uint8_t, char*, int32_t) = nullptr;
    void (*setParam)(void*, const char*, const char*) = nullptr;
    void (*onCreate)(SonorelleIfcCreateInfo) = nullptr;
    void (*moveWindow)(void*, int32_t, int32_t) = nullptr;
    void (*destroy)(void*) = nullptr;
    void (*displayModless)(void*, int32_t, int32_t) = nullptr;
    void (*nppNew)(void*) = nullptr;
    void (*nppSetWindow)(void*, int32_t, int32_t, int32_t, int32_t, HWND) = nullptr;
    uint8_t (*onCreateObject)(void*) = nullptr;
    uint8_t (*onCreateWindow)(void*, HWND) = nullptr;
    int32_t (*sdkJoin)(void*) = nullptr;
    int32_t (*disconnect)(void*) = nullptr;
    void (*getSpeakers)(void*, char*) = nullptr;
    int32_t (*getLevel)(void*) = nullptr;
    int32_t (*ignore)(void*, int32_t, int32_t) = nullptr;
    int32_t (*appBroadcast)(void*, const char*) = nullptr;
    int32_t (*kickUser)(void*, int32_t) = nullptr;
    void (*setSdkParam)(void*, const SonorelleIfcIndexValue*) = nullptr;
    void (*setSdkCallback)(void*, const SonorelleIfcCallback*) = nullptr;
    intptr_t (*getConfClone)(void*) = nullptr;
    int32_t (*getVersion)(void*, char*, int32_t) = nullptr;
    int32_t (*selector)(const SonorelleIfcSelectorBlock*) = nullptr;
    int32_t (*getUpdateList)(int32_t, void**, int32_t, int32_t, const char*) = nullptr;
    void (*setBranding)(void*, int32_t, const char*, int32_t, int32_t) = nullptr;
    void (*setContainerInfo)(void*, const char*, const char*) = nullptr;
};

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    ASSERT_NE(function, nullptr) << name;
}

struct RecordedEvent
{
    int32_t code;
    int32_t one;
    void* context;
    int32_t number;
    std::string text;
};

std::vector<RecordedEvent> g_events;

void RecordEvent(SonorelleIfcEvent* event)
{
    RecordedEvent copy{event->code, event->one, event->context, 0, {}};
    if (event->code == 2) {
        const auto* error = static_cast<SonorelleIfcErrorPayload*>(event->payload);
        copy.number = error->code;
        copy.text = error->text;
    } else if (event->code == 3) {
        copy.text = static_cast<SonorelleIfcTextPayload*>(event->payload)->text;
    } else if (event->code == 13) {
        const auto* change = static_cast<SonorelleIfcIndexValue*>(event->payload);
        copy.number = change->index;
        copy.text = reinterpret_cast<const char*>(change->value);
    }
    g_events.push_back(copy);
}

const char kClientKey[] = "Software\\Sonorelle Networks\\Client";

// Records (or with nullptr removes) the user's acceptance of the agreement.
void RecordAgreement(const char* version)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kClientKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (version)
        RegSetValueExA(key, "LAST EULA", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
    else
        RegDeleteValueA(key, "LAST EULA");
    RegCloseKey(key);
}

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

LRESULT CALLBACK PlainHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class SnComDll : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainHostProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VoiceApiTestHost";
        RegisterClassA(&windowClass);
    }

    void SetUp() override
    {
        engine.module = LoadLibraryA("SnCom");
        ASSERT_NE(engine.module, nullptr);
        HMODULE m = engine.module;
        Bind(m, "SonorelleIfc_Init", engine.init);
        Bind(m, "SonorelleIfc_Uninit", engine.uninit);
        Bind(m, "SonorelleIfc_GetResourceString", engine.getResourceString);
        Bind(m, "SonorelleIfc_SetParam", engine.setParam);
        Bind(m, "SonorelleIfc_OnCreate", engine.onCreate);
        Bind(m, "SonorelleIfc_MoveWindow", engine.moveWindow);
        Bind(m, "SonorelleIfc_Destroy", engine.destroy);
        Bind(m, "SonorelleIfc_DisplayModlessDialog", engine.displayModless);
        Bind(m, "SonorelleIfc_NPP_New", engine.nppNew);
        Bind(m, "SonorelleIfc_NPP_SetWindow", engine.nppSetWindow);
        Bind(m, "SonorelleIfc_OnCreateObject", engine.onCreateObject);
        Bind(m, "SonorelleIfc_OnCreateWindow", engine.onCreateWindow);
        Bind(m, "SonorelleIfc_SDKJoin", engine.sdkJoin);
        Bind(m, "SonorelleIfc_Disconnect", engine.disconnect);
        Bind(m, "SonorelleIfc_GetSpeakers", engine.getSpeakers);
        Bind(m, "SonorelleIfc_GetLevel", engine.getLevel);
        Bind(m, "SonorelleIfc_Ignore", engine.ignore);
        Bind(m, "SonorelleIfc_AppBroadcast", engine.appBroadcast);
        Bind(m, "SonorelleIfc_KickUser", engine.kickUser);
        Bind(m, "SonorelleIfc_SetSdkParam", engine.setSdkParam);
        Bind(m, "SonorelleIfc_SetSdkCallback", engine.setSdkCallback);
        Bind(m, "SonorelleIfc_GetConfClone", engine.getConfClone);
        Bind(m, "SonorelleIfc_GetVersion", engine.getVersion);
        Bind(m, "SonorelleIfc_SNComFunctionSelector", engine.selector);
        Bind(m, "SonorelleIfc_GetToUpdateFileList", engine.getUpdateList);
        Bind(m, "SonorelleIfc_SetCustomBrandingDll", engine.setBranding);
        Bind(m, "SonorelleIfc_SetContainerInfo", engine.setContainerInfo);
        engine.init();
        g_events.clear();
    }

    void TearDown() override
    {
        for (HWND host : hosts) {
            engine.destroy(host);
            DestroyWindow(host);
        }
        if (engine.module) {
            engine.uninit();
            FreeLibrary(engine.module);
        }
    }

    HWND NewHost()
    {
        HWND host = CreateWindowExA(0, "VoiceApiTestHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                    300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(host, nullptr);
        hosts.push_back(host);
        return host;
    }

    int32_t Run(HWND host, int32_t operation, void* arguments)
    {
        SonorelleIfcSelectorBlock block{1, host, operation, arguments};
        return engine.selector(&block);
    }

    int32_t Create(HWND host, int32_t kind, bool sdk)
    {
        SonorelleIfcCreateArgs args{kind, static_cast<uint8_t>(sdk)};
        return Run(host, SonorelleIfcOp::kCreateInstance, &args);
    }

    std::pair<int32_t, std::string> Read(HWND host, int32_t operation, const char* name)
    {
        SonorelleIfcNameResult record{name, nullptr};
        const int32_t status = Run(host, operation, &record);
        std::string text = "<no BSTR>";
        if (record.value) {
            const auto* wide = static_cast<BSTR>(record.value);
            char narrow[512] = {};
            WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
            text = narrow;
            SysFreeString(static_cast<BSTR>(record.value));
        }
        return {status, text};
    }

    int32_t Set(HWND host, int32_t operation, const char* name, const char* value)
    {
        SonorelleIfcNameValue record{name, value};
        return Run(host, operation, &record);
    }

    // The engine's modeless notice (dialog 245) of this process.
    HWND Notice()
    {
        for (HWND found = FindWindowExA(nullptr, nullptr, "#32770", nullptr); found;
             found = FindWindowExA(nullptr, found, "#32770", nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(found, &process);
            if (process == GetCurrentProcessId() && GetDlgItem(found, 228))
                return found;
        }
        return nullptr;
    }

    Engine engine;
    std::vector<HWND> hosts;
};

} // namespace

TEST_F(SnComDll, ExportsEveryNameAtItsOrdinalInBindingOrder)
{
    for (size_t i = 0; i < sizeof kExportNames / sizeof kExportNames[0]; ++i) {
        const FARPROC byName = GetProcAddress(engine.module, kExportNames[i]);
        const FARPROC byOrdinal =
            GetProcAddress(engine.module, MAKEINTRESOURCEA(static_cast<WORD>(i + 1)));
        EXPECT_NE(byName, nullptr) << kExportNames[i];
        EXPECT_EQ(byName, byOrdinal) << kExportNames[i];
    }
    EXPECT_EQ(GetProcAddress(engine.module, MAKEINTRESOURCEA(38)), nullptr);
}

TEST_F(SnComDll, InstanceWindowsAreChildrenOfTheHostAndFollowIt)
{
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 1, false), 1);
    EXPECT_EQ(engine.onCreateWindow(host, host), 0);
    HWND child = GetDlgItem(host, 111);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(ClassOf(child), "SonorelleWindow");
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE);

    engine.moveWindow(host, 230, 120);
    RECT area;
    GetWindowRect(child, &area);
    EXPECT_EQ(area.right - area.left, 230);
    EXPECT_EQ(area.bottom - area.top, 120);

    engine.destroy(host);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(Run(host, SonorelleIfcOp::kSetByIndex, nullptr), 0);
    EXPECT_EQ(engine.sdkJoin(host), 1204);
}

TEST_F(SnComDll, ASecondPlainInstanceGetsTheNoticeAndAHolderWindow)
{
    HWND first = NewHost();
    HWND second = NewHost();
    ASSERT_EQ(engine.onCreateObject(first), 1);
    EXPECT_EQ(Create(second, 2, false), 0);

    HWND notice = Notice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(WindowText(notice), "SnCom");
    EXPECT_EQ(WindowText(GetDlgItem(notice, 228)),
              "Another instance of the Voice Control is currently connected.   Connection not available.");

    engine.onCreateWindow(second, second);
    HWND holder = GetDlgItem(second, 111);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(ClassOf(holder), "SonorelleHolderWindow");
    engine.moveWindow(second, 50, 40);
    RECT area;
    GetWindowRect(holder, &area);
    EXPECT_EQ(area.right - area.left, 50);

    engine.destroy(second);
    EXPECT_FALSE(IsWindow(holder));
    EXPECT_FALSE(IsWindow(notice));
    EXPECT_EQ(Create(second, 2, false), 0); // the first still holds the engine
    engine.destroy(first);
    engine.destroy(second);
    EXPECT_EQ(Create(second, 2, false), 1);
}

TEST_F(SnComDll, OnCreateTakesTheRecordAndMakesTheWindowAtOnce)
{
    HWND host = NewHost();
    SonorelleIfcCreateInfo info{"http://10.20.30.40/page", host, "lobby", "conf.test", "Ann\t",
                                0, "42", "http://stitch.test/", 1, 0, 5, 1};
    engine.onCreate(info);
    ASSERT_NE(GetDlgItem(host, 111), nullptr);
    EXPECT_EQ(ClassOf(GetDlgItem(host, 111)), "SonorelleWindow");
    const struct { int32_t operation; const char* name; const char* value; } cases[] = {
        {SonorelleIfcOp::kGetSdkProperty, "ConfName", "lobby"},
        {SonorelleIfcOp::kGetSdkProperty, "ServerAddress", "conf.test"},
        {SonorelleIfcOp::kGetSdkProperty, "Account", "42"},
        {SonorelleIfcOp::kGetSdkProperty, "UserIcon", "5"},
        {SonorelleIfcOp::kGetSdkProperty, "ContainerApp", "IE"},
        {SonorelleIfcOp::kGetSdkProperty, "ContainerAppVersion", "?.?"},
        {SonorelleIfcOp::kGetUiOption, "StitchUrl", "http://stitch.test/"},
        {SonorelleIfcOp::kGetUiOption, "EnableBreakout", "true"},
        {SonorelleIfcOp::kGetUiOption, "ShowConf", "true"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(host, c.operation, c.name), std::make_pair(0, std::string(c.value))) << c.name;
    }

    HWND other = NewHost();
    SonorelleIfcCreateInfo second = info;
    second.hostWindow = other;
    engine.onCreate(second);
    ASSERT_NE(GetDlgItem(other, 111), nullptr);
    EXPECT_EQ(ClassOf(GetDlgItem(other, 111)), "SonorelleHolderWindow");
}

TEST_F(SnComDll, ParametersAreSetAndReadThroughEveryRoad)
{
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 3, true), 1);
    engine.setParam(host, "Tunnel", "8618200");
    engine.setParam(host, "ConfName", "hall");
    engine.setParam(host, "UMIgnore", "FALSE");
    const std::string phone = "555-0100";
    SonorelleIfcIndexValue byIndex{30, reinterpret_cast<intptr_t>(phone.c_str())};
    engine.setSdkParam(host, &byIndex);
    SonorelleIfcIndexValue clone{24, 6};
    engine.setSdkParam(host, &clone);

    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetSdkProperty, "Tunnel"), std::make_pair(0, std::string("8618200")));
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetSdkProperty, "confname"), std::make_pair(0, std::string("hall")));
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetSdkProperty, "PhoneCallerID"), std::make_pair(0, phone));
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetUiOption, "UMIgnore"), std::make_pair(0, std::string("false")));
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetSdkProperty, "RequireAudio"), std::make_pair(2, std::string("")));
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetUiOption, "Unknown"), std::make_pair(1, std::string("")));
    EXPECT_EQ(engine.getConfClone(host), 6);

    EXPECT_EQ(Set(host, SonorelleIfcOp::kSetSdkProperty, "PhoneCallerID", ""), 0);
    EXPECT_EQ(Set(host, SonorelleIfcOp::kSetSdkProperty, "Username", ""), 1);
    EXPECT_EQ(Set(host, SonorelleIfcOp::kSetByName, "AutoJoin", "false"), 0);
    EXPECT_EQ(Set(host, SonorelleIfcOp::kSetByName, "Tunnel", "0"), 1);
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetSdkProperty, "PhoneCallerID").second, "");
}

TEST_F(SnComDll, JoinReportsMissingParametersAndTheConnectingStatusToTheCallback)
{
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 3, true), 1);
    int context = 0;
    SonorelleIfcCallback callback{1, &context, RecordEvent};
    engine.setSdkCallback(host, &callback);

    RecordAgreement(nullptr);
    EXPECT_EQ(engine.sdkJoin(host), 1205);
    EXPECT_TRUE(g_events.empty());
    RecordAgreement("2.1.0.7");
    EXPECT_EQ(engine.sdkJoin(host), 1301);
    ASSERT_EQ(g_events.size(), 1u);
    EXPECT_EQ(g_events[0].code, 2);
    EXPECT_EQ(g_events[0].one, 1);
    EXPECT_EQ(g_events[0].context, &context);
    EXPECT_EQ(g_events[0].number, 1301);
    EXPECT_EQ(g_events[0].text,
              "The required \"ServerAddress\" parameter is missing.  Connection aborted.");

    g_events.clear();
    engine.setParam(host, "ServerAddress", "127.0.0.1");
    engine.setParam(host, "ConfName", "room");
    engine.setParam(host, "Username", "Ann\r\n");
    engine.setParam(host, "ContainerApp", "\x01");
    // No transport is built into this engine yet: the join fails honestly.
    EXPECT_EQ(engine.sdkJoin(host), 1005);
    ASSERT_EQ(g_events.size(), 3u);
    EXPECT_EQ(g_events[0].code, 13);
    EXPECT_EQ(g_events[0].number, 2);
    EXPECT_EQ(g_events[0].text, "Ann");
    EXPECT_EQ(g_events[1].code, 13);
    EXPECT_EQ(g_events[1].number, 12);
    EXPECT_EQ(g_events[1].text, "IE");
    EXPECT_EQ(g_events[2].code, 3);
    EXPECT_EQ(g_events[2].text, "Connecting, please wait...");
    EXPECT_EQ(engine.disconnect(host), 1304);

    g_events.clear();
    engine.setSdkCallback(host, nullptr);
    engine.setParam(host, "ServerAddress", "");
    EXPECT_EQ(engine.sdkJoin(host), 1301);
    EXPECT_TRUE(g_events.empty());
}

TEST_F(SnComDll, CallsForUnknownOrIdleInstancesGiveTheirStatus)
{
    HWND host = NewHost();
    HWND stranger = NewHost();
    ASSERT_EQ(Create(host, 1, false), 1);
    EXPECT_EQ(engine.ignore(host, 3, 1), 1304);
    EXPECT_EQ(engine.ignore(stranger, 3, 1), 1204);
    EXPECT_EQ(engine.appBroadcast(host, "hi"), 1304);
    EXPECT_EQ(engine.appBroadcast(stranger, "hi"), 1204);
    EXPECT_EQ(engine.kickUser(host, 3), 1304);
    EXPECT_EQ(engine.disconnect(stranger), 1204);
    EXPECT_EQ(engine.getLevel(stranger), 0);
    EXPECT_EQ(engine.getLevel(host), -78);
    EXPECT_EQ(engine.getConfClone(stranger), 0);
    EXPECT_EQ(Run(stranger, SonorelleIfcOp::kSetByName, nullptr), 0);
    EXPECT_EQ(engine.selector(nullptr), 0);

    char speakers[32] = "junk";
    engine.getSpeakers(host, speakers);
    EXPECT_STREQ(speakers, "");
    char version[64] = "junk";
    EXPECT_EQ(engine.getVersion(stranger, version, sizeof version), 1204);
    EXPECT_STREQ(version, "junk");
}

TEST_F(SnComDll, VersionComesFromTheLibrarysVersionResource)
{
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 1, false), 1);
    char version[64] = "junk";
    EXPECT_EQ(engine.getVersion(host, version, sizeof version), 0);
    EXPECT_STREQ(version, "2.1.0.7");
    const int32_t exact = static_cast<int32_t>(strlen("2.1.0.7"));
    char tight[16] = "junk";
    EXPECT_EQ(engine.getVersion(host, tight, exact), 0);
    EXPECT_STREQ(tight, "");
    EXPECT_EQ(engine.getVersion(host, tight, exact + 1), 0);
    EXPECT_STREQ(tight, "2.1.0.7");
}

TEST_F(SnComDll, ResourceStringsFitTheBufferOrReportTheNeededLength)
{
    const std::string sent = "Message sent";
    char buffer[128];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(engine.getResourceString(0, 219, 0, buffer, 5), static_cast<int32_t>(sent.size() + 1));
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(engine.getResourceString(0, 219, 0, buffer, static_cast<int32_t>(sent.size())),
              static_cast<int32_t>(sent.size() + 1));
    EXPECT_EQ(engine.getResourceString(0, 219, 0, buffer, static_cast<int32_t>(sent.size() + 1)), 0);
    EXPECT_EQ(std::string(buffer), sent);
    EXPECT_EQ(engine.getResourceString(0, 219, 0, nullptr, 64), -1);
    EXPECT_EQ(engine.getResourceString(0, 9999, 0, buffer, 64), -1);

    const struct { int32_t code; const char* text; } updates[] = {
        {1, "The voice components were updated. Please restart the program to use them."},
        {106, "The plug-in folder could not be found."},
        {107, "The temporary directory could not be found."},
        {55, "Application Error #55"},
        {-3, "Application Error #-3"},
    };
    for (const auto& u : updates) {
        EXPECT_EQ(engine.getResourceString(0, u.code, 1, buffer, sizeof buffer), 0) << u.code;
        EXPECT_EQ(std::string(buffer), u.text);
    }
}

TEST_F(SnComDll, BrandingTextsComeFirstAndAreNeverUsedAsFormats)
{
    auto text = [this](int32_t code, uint8_t updateCode) {
        char buffer[256] = {};
        EXPECT_EQ(engine.getResourceString(0, code, updateCode, buffer, sizeof buffer), 0) << code;
        return std::string(buffer);
    };
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 1, false), 1);
    engine.setBranding(host, 'L', "ZrVoiceBrand", 0, 0);
    EXPECT_EQ(text(219, 0), "Message sent"); // loaded when the instance registers
    engine.onCreateWindow(host, host);

    const struct { int32_t code; uint8_t update; const char* text; } cases[] = {
        {219, 0, "Brand message sent"},
        {222, 0, "Already connected to the server."}, // not branded: the engine's own
        // Only the first conversion takes the code; the others stay as text.
        {55, 1, "Brand error 55 (%s) %n 100%"},
        {-3, 1, "Brand error -3 (%s) %n 100%"},
        {1, 1, "The voice components were updated. Please restart the program to use them."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(c.code, c.update), c.text) << c.code;

    // A second host cannot change the branding; the last release ends it.
    HWND other = NewHost();
    engine.setBranding(other, 'Z', "Nothing", 0, 0);
    EXPECT_EQ(text(219, 0), "Brand message sent");
    engine.setContainerInfo(host, "app", "1.0");
    engine.destroy(host);
    EXPECT_EQ(text(219, 0), "Brand message sent"); // still registered once
    engine.destroy(other);
    EXPECT_EQ(text(219, 0), "Message sent");
    EXPECT_EQ(text(55, 1), "Application Error #55");
}

TEST_F(SnComDll, PluginHostsLendTheirOwnWindow)
{
    HWND host = NewHost();
    HWND page = NewHost();
    HWND later = NewHost();
    engine.nppNew(host);
    const LONG_PTR original = GetWindowLongPtrA(page, GWLP_WNDPROC);
    engine.nppSetWindow(host, 10, 20, 200, 100, page);
    EXPECT_NE(GetWindowLongPtrA(page, GWLP_WNDPROC), original);
    RECT area;
    GetWindowRect(page, &area);
    EXPECT_EQ(area.right - area.left, 200);
    EXPECT_EQ(area.bottom - area.top, 100);
    EXPECT_EQ(SendMessageA(page, WM_GETTEXTLENGTH, 0, 0), 4); // still its own window

    engine.nppSetWindow(host, 0, 0, 80, 60, later);
    EXPECT_EQ(GetWindowLongPtrA(page, GWLP_WNDPROC), original);
    EXPECT_TRUE(IsWindow(page));
    engine.nppSetWindow(host, 0, 0, 80, 60, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(later, GWLP_WNDPROC), original);
}

TEST_F(SnComDll, ModelessMessagesBelongToTheirHost)
{
    HWND host = NewHost();
    engine.displayModless(host, 219, 238);
    HWND message = Notice();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(WindowText(message), "Message sent");
    EXPECT_EQ(WindowText(GetDlgItem(message, 228)), "Warning sent");
    EXPECT_TRUE(IsWindowVisible(message));
    EXPECT_NE(GetDlgItem(message, IDOK), nullptr);
    engine.destroy(host);
    EXPECT_FALSE(IsWindow(message));
}

TEST_F(SnComDll, ANoticeClosesWithItsOkButton)
{
    HWND host = NewHost();
    engine.displayModless(host, 219, 238);
    HWND notice = Notice();
    ASSERT_NE(notice, nullptr);
    SendMessageA(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(notice));
    engine.destroy(host); // nothing left to close twice
}

// A plain (not SDK) instance shows its user interface: a join without a user
// name asks for one, and the name given is stored and joined with.
TEST_F(SnComDll, AJoinWithoutAUserNameAsksForOne)
{
    RecordAgreement("2.1.0.7");
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 1, false), 1);
    ASSERT_EQ(engine.onCreateWindow(host, host), 0);
    engine.setParam(host, "ServerAddress", "127.0.0.1");
    engine.setParam(host, "ConfName", "room");
    EXPECT_EQ(engine.sdkJoin(host), 1301);

    HWND dialog = FindWindowA("#32770", "Name Required");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), host); // the engine window's top-level parent
    HWND edit = GetDlgItem(dialog, 201);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 26);
    EXPECT_NE(GetDlgItem(dialog, 211), nullptr);
    EXPECT_EQ(engine.sdkJoin(host), 1301); // asked once: still the one dialog
    EXPECT_EQ(FindWindowExA(nullptr, dialog, "#32770", "Name Required"), nullptr);

    SetWindowTextA(edit, "Zed");
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(Read(host, SonorelleIfcOp::kGetSdkProperty, "Username"),
              (std::pair<int32_t, std::string>{0, "Zed"}));
    engine.destroy(host);
}

// The engine window's menu commands open their dialogs (here for no user
// in particular: the window is not in a conference).
class SnComDialogs : public SnComDll
{
protected:
    HWND OpenByCommand(UINT command, const char* caption)
    {
        HWND host = NewHost();
        EXPECT_EQ(Create(host, 1, false), 1);
        EXPECT_EQ(engine.onCreateWindow(host, host), 0);
        SendMessageA(GetDlgItem(host, 111), WM_COMMAND, command, 0);
        return FindWindowA("#32770", caption);
    }
    static void Press(HWND dialog, int id)
    {
        SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    }
};

TEST_F(SnComDialogs, TheGagDialogTakesOneToThirtyMinutes)
{
    HWND dialog = OpenByCommand(32773, "Gag User");
    ASSERT_NE(dialog, nullptr);
    HWND minutes = GetDlgItem(dialog, 214);
    EXPECT_EQ(WindowText(minutes), "10");
    EXPECT_EQ(WindowText(GetDlgItem(dialog, IDOK)), "&Gag");
    for (const char* refused : {"0", "31", ""}) {
        SetWindowTextA(minutes, refused);
        Press(dialog, IDOK);
        EXPECT_TRUE(IsWindow(dialog)) << refused;
    }
    SetWindowTextA(minutes, "30");
    Press(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(SnComDialogs, TheWarningFormOfSendMessageSendsNoEmptyText)
{
    HWND dialog = OpenByCommand(32772, "Send Warning");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(dialog, 213)), "Enter warning text for the user below:");
    HWND text = GetDlgItem(dialog, 202);
    EXPECT_EQ(WindowText(text), "Please keep to the rules of this conference.");
    EXPECT_EQ(SendMessageA(text, EM_GETLIMITTEXT, 0, 0), 512);
    SetWindowTextA(text, "");
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindow(dialog)); // nothing sent, still open
    Press(dialog, IDCANCEL);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(SnComDialogs, TheNameChangeDialogRenamesTheLocalUser)
{
    HWND dialog = OpenByCommand(32778, "Name Change");
    ASSERT_NE(dialog, nullptr);
    HWND name = GetDlgItem(dialog, 229);
    EXPECT_EQ(SendMessageA(name, EM_GETLIMITTEXT, 0, 0), 26);
    SetWindowTextA(name, "Newname");
    Press(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(Read(hosts.back(), SonorelleIfcOp::kGetSdkProperty, "Username"),
              (std::pair<int32_t, std::string>{0, "Newname"}));
}

// UIOptions 2: a horizontal meter of round lamps fills the panel; before
// any audio it shows its starting level, every lamp lit.
TEST_F(SnComDll, TheLevelMeterFillsThePanelWithLitLamps)
{
    HWND host = NewHost();
    ASSERT_EQ(Create(host, 1, false), 1);
    ASSERT_EQ(Set(host, SonorelleIfcOp::kSetUiOption, "UIOptions", "2"), 0);
    ASSERT_EQ(engine.onCreateWindow(host, host), 0);
    ShowWindow(host, SW_SHOWNOACTIVATE);
    engine.moveWindow(host, 230, 14);
    HWND meter = GetDlgItem(GetDlgItem(host, 111), 102);
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(ClassOf(meter), "SonorelleLevelMeter");
    RECT area;
    GetClientRect(meter, &area);
    EXPECT_EQ(area.right, 230);
    EXPECT_EQ(area.bottom, 14);
    UpdateWindow(meter);

    // 17 lamps of 12 pixels with a 1-pixel gap: green, yellow from lamp 8,
    // red from lamp 12.
    HDC dc = GetDC(meter);
    const struct {
        int lamp;
        COLORREF colour;
    } lamps[] = {{0, RGB(0, 255, 0)},    {7, RGB(0, 255, 0)}, {8, RGB(255, 255, 0)},
                 {11, RGB(255, 255, 0)}, {12, RGB(255, 0, 0)}, {16, RGB(255, 0, 0)}};
    for (const auto& lamp : lamps)
        EXPECT_EQ(GetPixel(dc, 1 + lamp.lamp * 13 + 6, 7), lamp.colour) << lamp.lamp;
    EXPECT_NE(GetPixel(dc, 1 + 17 * 13 + 6, 7), RGB(255, 0, 0)); // no eighteenth lamp
    ReleaseDC(meter, dc);
}

// The built-in update server of a test build reaches nothing.
TEST_F(SnComDll, AnUnreachableUpdateServerGivesNoList)
{
    void* list = reinterpret_cast<void*>(1);
    EXPECT_EQ(engine.getUpdateList(0, &list, 76, 79, "SnCom"), 103);
    EXPECT_EQ(list, nullptr);
}
