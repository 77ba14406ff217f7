// The three voice controls in a container of ours, over the fake engine
// library: every property and method through IDispatch with the engine call
// it makes, the order of calls on creation, events through the connection
// point, persistence through a property bag and a stream, the property
// page, and the engine library's sharing between controls.
#include "ContainerSupport.h"
#include "SonorelleIfcTypes.h"
#include "SonorelleInterfaces.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class OleEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

using RegisterFunction = HRESULT(STDAPICALLTYPE*)();

HRESULT CallModuleEntry(const char* name)
{
    HMODULE module = ::LoadLibraryW(L"SNMurro.dll");
    if (!module)
        return E_FAIL;
    auto entry = reinterpret_cast<RegisterFunction>(::GetProcAddress(module, name));
    const HRESULT result = entry ? entry() : E_FAIL;
    ::FreeLibrary(module);
    return result;
}

// An argument given as "i:9" (long), "b:1" (flag) or "s:text".
VARIANT Argument(const std::string& typed)
{
    const std::string value = typed.substr(2);
    if (typed[0] == 'i')
        return LongVariant(std::stoi(value));
    if (typed[0] == 'b')
        return BoolVariant(value == "1");
    return TextVariant(std::wstring(value.begin(), value.end()).c_str());
}

// Calls from the first one that starts with first.
Calls From(const Calls& calls, const std::string& first)
{
    const auto start = std::find_if(
        calls.begin(), calls.end(), [&](const std::string& call) { return call.rfind(first, 0) == 0; });
    return Calls(start, calls.end());
}

Calls Head(const Calls& calls, size_t count)
{
    return Calls(calls.begin(), calls.begin() + std::min(count, calls.size()));
}

class VoiceControls : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_EQ(CallModuleEntry("DllRegisterServer"), S_OK); }
    static void TearDownTestSuite() { CallModuleEntry("DllUnregisterServer"); }

    void Create(CHostedControl& host, REFCLSID classId)
    {
        ASSERT_EQ(host.Create(classId), S_OK);
        ASSERT_NE(host.ControlWindow(), nullptr);
    }

    std::string Read(CHostedControl& host, DISPID id)
    {
        VARIANT value;
        ::VariantInit(&value);
        EXPECT_EQ(host.Item().GetProperty(id, &value), S_OK) << "reading " << id;
        const std::string text = VariantText(value);
        ::VariantClear(&value);
        return text;
    }

    HRESULT Write(CHostedControl& host, DISPID id, const std::string& typed)
    {
        VARIANT value = Argument(typed);
        const HRESULT result = host.Item().SetProperty(id, value);
        ::VariantClear(&value);
        return result;
    }

    std::string Call(CHostedControl& host, DISPID id, const std::vector<std::string>& typedArguments)
    {
        std::vector<VARIANT> arguments;
        for (const std::string& typed : typedArguments)
            arguments.push_back(Argument(typed));
        VARIANT result;
        ::VariantInit(&result);
        EXPECT_EQ(host.Item().CallMethod(id, arguments, &result), S_OK) << "calling " << id;
        for (VARIANT& argument : arguments)
            ::VariantClear(&argument);
        const std::string text = VariantText(result);
        ::VariantClear(&result);
        return text;
    }

    HRESULT IsDirty(CHostedControl& host)
    {
        IPersistPropertyBag* persist = host.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
        IPersistStreamInit* stream = host.Query<IPersistStreamInit>(IID_IPersistStreamInit);
        const HRESULT dirty = stream->IsDirty();
        stream->Release();
        persist->Release();
        return dirty;
    }

    void ClearDirty(CHostedControl& host)
    {
        IPersistPropertyBag* persist = host.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
        CMemoryPropertyBag bag;
        persist->Save(&bag, TRUE, TRUE);
        persist->Release();
    }
};

// The client's control

struct PropertyCase
{
    DISPID id;
    const char* value; // as for Argument
    const char* readBack;
    Calls engineCalls;
    bool marksModified;
};

TEST_F(VoiceControls, ClientControlPushesEachPropertyByItsEngineIndex)
{
    const PropertyCase cases[] = {
        {1, "s:Lobby 7", "Lobby 7", {"Op16 0 Lobby 7"}, true},
        {2, "s:voice.example", "voice.example", {"Op16 1 voice.example"}, true},
        {3, "s:4711", "4711", {"Op16 2 4711"}, true},
        {4, "b:1", "true", {"Op16 3 1"}, true},
        {5, "s:47205318", "47205318", {"Op16 4 47205318"}, true},
        {6, "s:http://stitch.example/", "http://stitch.example/", {"Op16 5 http://stitch.example/"}, true},
        {7, "b:1", "true", {"Op16 6 1"}, true},
        {8, "b:1", "true", {"Op16 7 1"}, true},
        {9, "i:3", "3", {"Op16 8 3"}, true},
        {10, "b:1", "true", {"Op16 9 1"}, true},
        {11, "s:BrandX", "BrandX", {"Op16 10 BrandX"}, true},
        {12, "s:Qm4TzK7pWa2", "", {"Op16 11 Qm4TzK7pWa2"}, false},
        {13, "s:Zanthe", "Zanthe", {"Op16 12 Zanthe"}, true},
        {14, "s:1.0", "1.0", {"Op16 13 1.0"}, true},
        {15, "s:en-GB", "en-GB", {"Op16 14 en-GB"}, true},
        {17, "b:1", "true", {"Op16 15 1"}, true},
    };
    CHostedControl host;
    Create(host, kSonorelleClassId);
    for (const PropertyCase& test : cases) {
        ClearDirty(host);
        TakeEngineCalls();
        ASSERT_EQ(Write(host, test.id, test.value), S_OK) << test.id;
        EXPECT_EQ(TakeEngineCalls(), test.engineCalls) << test.id;
        EXPECT_EQ(IsDirty(host), test.marksModified ? S_OK : S_FALSE) << test.id;
        EXPECT_EQ(Read(host, test.id), test.readBack) << test.id;
    }
}

TEST_F(VoiceControls, ClientControlAsksTheEngineForVersionAndClone)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    TakeEngineCalls();
    EXPECT_EQ(Read(host, 16), "4.2.1");
    EXPECT_EQ(Write(host, 16, "s:9.9"), CTL_E_SETNOTSUPPORTED);
    EXPECT_EQ(Write(host, 18, "i:99"), S_OK);
    EXPECT_EQ(Read(host, 18), "7");
    EXPECT_EQ(TakeEngineCalls(), (Calls {"GetVersion", "GetConfClone"}));
}

TEST_F(VoiceControls, ClientControlCreationMakesTheEngineInstanceThenPushesProperties)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    const Calls calls = From(TakeEngineCalls(), "SetCustomBrandingDll");
    const Calls expected {"SetCustomBrandingDll 76 ", "Op17 1 0", "SetSdkParam 16 ", "Op16 0 ", "Op16 1 ",
        "Op16 2 ", "Op16 4 ", "Op16 5 http://www.sonorelle.net/", "Op16 12 ", "Op16 13 ", "Op16 3 0",
        "Op16 6 0", "Op16 7 0", "Op16 8 0", "Op16 9 0", "Op16 15 0", "SetSdkCallback", "OnCreateWindow",
        "MoveWindow 200 250"};
    EXPECT_EQ(Head(calls, expected.size()), expected);
}

struct MethodCase
{
    DISPID id;
    std::vector<std::string> arguments;
    Calls engineCalls;
    const char* result;
};

TEST_F(VoiceControls, ClientControlMethodsCallTheEngine)
{
    const MethodCase cases[] = {
        {19, {}, {"SDKJoin"}, "(empty)"},
        {20, {}, {"SDKJoin"}, "1308"},
        {21, {}, {"GetSpeakers"}, "101\n102"},
        {22, {}, {"GetLevel"}, "42"},
        {23, {"i:9"}, {"SendInvite 9"}, "11"},
        {24, {"i:9", "b:1"}, {"InviteReply 9 1"}, "12"},
        {25, {"i:9", "b:1"}, {"Op9 9 1"}, "0"},
        {25, {"i:9", "b:0"}, {"Op9 9 0"}, "0"},
        {26, {"i:9", "s:hi"}, {"TextMessage 9 hi"}, "14"},
        {27, {"i:9", "s:app"}, {"AppMessage 9 app"}, "15"},
        {28, {"s:all"}, {"AppBroadcast all"}, "16"},
        {29, {"i:9", "b:1", "i:30"}, {"Op10 9 32769 30"}, "0"},
        {29, {"i:9", "b:0", "i:30"}, {"Op10 9 0 30"}, "0"},
        {30, {"i:9", "s:careful"}, {"WarnUser 9 careful"}, "18"},
        {31, {"i:9"}, {"KickUser 9"}, "19"},
        {32, {}, {"Disconnect"}, "5"},
    };
    CHostedControl host;
    Create(host, kSonorelleClassId);
    for (const MethodCase& test : cases) {
        TakeEngineCalls();
        EXPECT_EQ(Call(host, test.id, test.arguments), test.result) << test.id;
        EXPECT_EQ(TakeEngineCalls(), test.engineCalls) << test.id;
    }
}

TEST_F(VoiceControls, NamesAreFoundWhateverTheirCase)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    IDispatch* dispatch = host.Query<IDispatch>(IID_IDispatch);
    ASSERT_NE(dispatch, nullptr);
    const std::pair<const wchar_t*, DISPID> names[]
        = {{L"gaguser", 29}, {L"SDKJOIN", 20}, {L"AccountKey", 12}};
    for (const auto& name : names) {
        LPOLESTR text = const_cast<LPOLESTR>(name.first);
        DISPID id = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &text, 1, 0, &id), S_OK);
        EXPECT_EQ(id, name.second) << Narrow(name.first);
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Shout");
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    dispatch->Release();
}

struct EventCase
{
    int32_t code;
    const void* payload;
    DISPID event; // 0: nothing fires
    const char* arguments;
};

const SonorelleIfcTextPayload kBye {"bye"};
const SonorelleIfcErrorPayload kLost {1005, "lost"};
const SonorelleIfcRosterPayload kAnn {7, "Ann", 2};
const SonorelleIfcLongPayload kUser8 {8};
const SonorelleIfcUserTextPayload kAccepted {9, "Room (1)_$2"};
const SonorelleIfcMessagePayload kHello {11, "Bob", "hello"};
const SonorelleIfcUserLongPayload kGagged {12, 1};
const SonorelleIfcGagStatePayload kGagState {{5, 7, 30, 2}};
const SonorelleIfcUserTextPayload kRenamed {5, "Neo"};
const SonorelleIfcUserLongPayload kIcon {5, 3};

TEST_F(VoiceControls, ClientControlFiresEngineEventsInsideTheCallback)
{
    const EventCase cases[] = {
        {0, nullptr, 1, ""},
        {1, &kBye, 2, "bye"},
        {2, &kLost, 3, "1005,lost"},
        {3, &kBye, 4, "bye"},
        {4, &kAnn, 5, "7,Ann,2"},
        {5, &kUser8, 6, "8"},
        {6, &kUser8, 7, "8"},
        {7, &kAccepted, 8, "9,Room (1)_$2"},
        {8, &kUser8, 9, "8"},
        {9, &kHello, 10, "11,Bob,hello"},
        {10, &kHello, 11, "11,Bob,hello"},
        {11, &kGagged, 12, "12,true"},
        {12, &kHello, 13, "11,Bob,hello"},
        {14, &kHello, 14, "11,Bob,hello"},
        {17, &kGagState, 0, ""},
        {19, &kRenamed, 0, ""},
        {1, nullptr, 0, ""},
    };
    CHostedControl host;
    Create(host, kSonorelleClassId);
    CEventSink sink;
    ASSERT_EQ(host.Advise(sink, kSonorelleEvents.id), S_OK);
    for (const EventCase& test : cases) {
        sink.calls.clear();
        ASSERT_TRUE(FireEngineEvent(host.ControlWindow(), test.code, const_cast<void*>(test.payload)));
        if (test.event == 0) {
            EXPECT_TRUE(sink.calls.empty()) << test.code;
            continue;
        }
        ASSERT_EQ(sink.calls.size(), 1u) << test.code;
        EXPECT_EQ(sink.calls[0].id, test.event) << test.code;
        EXPECT_EQ(sink.calls[0].arguments, test.arguments) << test.code;
    }
}

// The container item finds the default event interface through the
// control's class information; texts passed by reference reach its handler
// read through.
TEST_F(VoiceControls, ContainerItemTakesTheDefaultEventsThroughClassInformation)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    std::vector<std::pair<DISPID, std::string>> seen;
    bool byReference = false;
    ASSERT_EQ(host.Item().AdviseEvents([&](DISPID id, const std::vector<VARIANT>& arguments) {
        std::string text;
        for (const VARIANT& argument : arguments) {
            byReference = byReference || (argument.vt & VT_BYREF) != 0;
            text += (text.empty() ? "" : ",") + VariantText(argument);
        }
        seen.emplace_back(id, text);
    }),
        S_OK);
    ASSERT_TRUE(FireEngineEvent(host.ControlWindow(), 4, const_cast<void*>(static_cast<const void*>(&kAnn))));
    ASSERT_TRUE(FireEngineEvent(host.ControlWindow(), 3, const_cast<void*>(static_cast<const void*>(&kBye))));
    ASSERT_TRUE(FireEngineEvent(host.ControlWindow(), 0, nullptr));
    const std::vector<std::pair<DISPID, std::string>> expected {{5, "7,Ann,2"}, {4, "bye"}, {1, ""}};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(byReference);
}

TEST_F(VoiceControls, ClientControlKeepsPropertiesTheEngineChanged)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    CEventSink sink;
    ASSERT_EQ(host.Advise(sink, kSonorelleEvents.id), S_OK);
    ClearDirty(host);
    TakeEngineCalls();
    SonorelleIfcIndexValue name {0, reinterpret_cast<intptr_t>("Lobby 9")};
    SonorelleIfcIndexValue icon {8, 5};
    SonorelleIfcIndexValue key {11, reinterpret_cast<intptr_t>("secret")};
    for (SonorelleIfcIndexValue* report : {&name, &icon, &key})
        ASSERT_TRUE(FireEngineEvent(host.ControlWindow(), 13, report));
    EXPECT_EQ(Read(host, 1), "Lobby 9");
    EXPECT_EQ(Read(host, 9), "5");
    EXPECT_EQ(Read(host, 12), "");
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_EQ(IsDirty(host), S_FALSE);
    EXPECT_EQ(TakeEngineCalls(), Calls {});
}

// Persistence

template <typename Interface> Interface* CreateUnplaced(REFCLSID classId, REFIID iid)
{
    Interface* object = nullptr;
    ::CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(&object));
    return object;
}

std::string ReadProperty(IUnknown* object, DISPID id)
{
    IDispatch* dispatch = nullptr;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    VARIANT value;
    ::VariantInit(&value);
    DISPPARAMS none {nullptr, nullptr, 0, 0};
    dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    dispatch->Release();
    const std::string text = VariantText(value);
    ::VariantClear(&value);
    return text;
}

TEST_F(VoiceControls, ClientControlSavesItsPropertiesUnderTheirKeys)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    ASSERT_EQ(Write(host, 1, "s:Lobby"), S_OK);
    ASSERT_EQ(Write(host, 9, "i:4"), S_OK);
    ASSERT_EQ(Write(host, 4, "b:1"), S_OK);
    ASSERT_EQ(Write(host, 12, "s:Qm4TzK7pWa2"), S_OK);
    ASSERT_EQ(Write(host, 17, "b:1"), S_OK);
    CMemoryPropertyBag bag;
    IPersistPropertyBag* persist = host.Query<IPersistPropertyBag>(IID_IPersistPropertyBag);
    ASSERT_EQ(persist->Save(&bag, TRUE, TRUE), S_OK);
    persist->Release();

    const std::map<std::wstring, std::string> expected {{L"AutoJoin", "true"}, {L"ConfName", "Lobby"},
        {L"ServerAddress", ""}, {L"Username", ""}, {L"Account", ""},
        {L"StitchUrl", "http://www.sonorelle.net/"}, {L"EnableBreakout", "false"}, {L"Host", "false"},
        {L"UserIcon", "4"}, {L"ShowConf", "false"}, {L"CustomBrand", ""}, {L"ContainerApp", ""},
        {L"ContainerAppVersion", ""}, {L"UserLocale", ""}, {L"SDKmode", "true"}};
    EXPECT_EQ(bag.Texts(), expected);

    IPersistPropertyBag* loaded
        = CreateUnplaced<IPersistPropertyBag>(kSonorelleClassId, IID_IPersistPropertyBag);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(ReadProperty(loaded, 1), "Lobby");
    EXPECT_EQ(ReadProperty(loaded, 9), "4");
    EXPECT_EQ(ReadProperty(loaded, 4), "true");
    EXPECT_EQ(ReadProperty(loaded, 17), "true");
    EXPECT_EQ(ReadProperty(loaded, 12), "");
    loaded->Release();
}

TEST_F(VoiceControls, PropertiesMissingFromABagTakeTheirDefaults)
{
    CMemoryPropertyBag bag;
    bag.Put(L"userName", TextVariant(L"Cleo")); // keys are matched as written
    bag.Put(L"Username", TextVariant(L"Dana"));
    bag.Put(L"UMIgnore", TextVariant(L"0"));
    IPersistPropertyBag* settings
        = CreateUnplaced<IPersistPropertyBag>(kSonorelle3ClassId, IID_IPersistPropertyBag);
    ASSERT_NE(settings, nullptr);
    ASSERT_EQ(settings->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(ReadProperty(settings, 3), "Dana");
    EXPECT_EQ(ReadProperty(settings, 11), "false");
    EXPECT_EQ(ReadProperty(settings, 16), "true");
    EXPECT_EQ(ReadProperty(settings, 22), "0");
    EXPECT_EQ(ReadProperty(settings, 7), "http://www.sonorelle.net/");
    settings->Release();
}

TEST_F(VoiceControls, EveryStoredPropertySurvivesAStreamRoundTrip)
{
    CHostedControl host;
    Create(host, kSonorelle3ClassId);
    for (DISPID id = 1; id <= 26; ++id) {
        const DispatchMember& member = kSonorelle3Dispatch.members[id - 1];
        const std::string value = member.type == VT_BSTR ? "s:text " + std::to_string(id)
            : member.type == VT_BOOL                     ? (id % 2 ? "b:1" : "b:0")
                                                         : "i:" + std::to_string(100 + id);
        ASSERT_EQ(Write(host, id, value), S_OK) << id;
    }
    IStream* stream = nullptr;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    IPersistStreamInit* persist = host.Query<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    persist->Release();

    IPersistStreamInit* loaded
        = CreateUnplaced<IPersistStreamInit>(kSonorelle3ClassId, IID_IPersistStreamInit);
    ASSERT_NE(loaded, nullptr);
    const LARGE_INTEGER start {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded->Load(stream), S_OK);
    for (DISPID id = 1; id <= 26; ++id)
        EXPECT_EQ(ReadProperty(loaded, id), Read(host, id)) << id;
    loaded->Release();

    // A stream of another format version is refused and leaves the defaults.
    IStream* foreign = nullptr;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &foreign), S_OK);
    const uint32_t version = 2u << 16;
    foreign->Write(&version, sizeof version, nullptr);
    foreign->Seek(start, STREAM_SEEK_SET, nullptr);
    IPersistStreamInit* refused
        = CreateUnplaced<IPersistStreamInit>(kSonorelle3ClassId, IID_IPersistStreamInit);
    EXPECT_NE(refused->Load(foreign), S_OK);
    EXPECT_EQ(ReadProperty(refused, 1), "");
    EXPECT_EQ(ReadProperty(refused, 22), "0");
    refused->Release();
    foreign->Release();

    // A stream cut short fails the load; a text length past any sensible
    // size is not believed.
    STATSTG status {};
    stream->Stat(&status, STATFLAG_NONAME);
    const struct
    {
        ULONG keep;
        uint32_t forgedLength;
    } damages[] = {{static_cast<ULONG>(status.cbSize.QuadPart) - 3, 0}, {4, 0x7fffffffu}};
    for (const auto& damage : damages) {
        IStream* damaged = nullptr;
        ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &damaged), S_OK);
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ULARGE_INTEGER keep {};
        keep.QuadPart = damage.keep;
        stream->CopyTo(damaged, keep, nullptr, nullptr);
        if (damage.forgedLength)
            damaged->Write(&damage.forgedLength, sizeof damage.forgedLength, nullptr);
        damaged->Seek(start, STREAM_SEEK_SET, nullptr);
        IPersistStreamInit* cut
            = CreateUnplaced<IPersistStreamInit>(kSonorelle3ClassId, IID_IPersistStreamInit);
        EXPECT_NE(cut->Load(damaged), S_OK) << damage.keep;
        cut->Release();
        damaged->Release();
    }
    stream->Release();
}

// The SDK control

TEST_F(VoiceControls, SdkControlSetsItselfUpByNameAndWaitsForInitialize)
{
    CHostedControl host;
    Create(host, kSonorelle2ClassId);
    const Calls calls = From(TakeEngineCalls(), "Op17");
    EXPECT_EQ(calls,
        (Calls {"Op17 2 1", "SetSdkParam 16 ", "Op18 AutoJoin=false", "Op18 SDKmode=true", "Op12 UIOptions=1",
            "SetSdkCallback", "MoveWindow 200 250"}));

    EXPECT_EQ(Call(host, 2, {"s:Quality", "s:high"}), "0");
    EXPECT_EQ(TakeEngineCalls(), Calls {"Op12 Quality=high"});
    EXPECT_EQ(Call(host, 27, {}), "0");
    EXPECT_EQ(TakeEngineCalls(), (Calls {"OnCreateWindow", "MoveWindow 200 250"}));
    EXPECT_EQ(Call(host, 27, {}), "0");
    EXPECT_EQ(Call(host, 2, {"s:Quality", "s:low"}), "1307");
    EXPECT_EQ(TakeEngineCalls(), Calls {});
    EXPECT_EQ(Call(host, 3, {"s:Quality"}), "ui:Quality");
}

TEST_F(VoiceControls, SdkControlsNumberThemselvesAndTakeANewNumber)
{
    CHostedControl first, second;
    Create(first, kSonorelle2ClassId);
    Create(second, kSonorelle2ClassId);
    const int number = std::stoi(Call(first, 5, {"s:instanceid"}));
    EXPECT_GE(number, 512);
    EXPECT_LT(number, 1024);
    EXPECT_EQ(Call(second, 5, {"s:InstanceId"}), std::to_string(number == 1023 ? 512 : number + 1));

    TakeEngineCalls();
    EXPECT_EQ(Call(first, 4, {"s:INSTANCEID", "s:0"}), "1412");
    EXPECT_EQ(Call(first, 4, {"s:InstanceId", "s:none"}), "1412");
    EXPECT_EQ(Call(first, 5, {"s:InstanceId"}), std::to_string(number));
    EXPECT_EQ(Call(first, 4, {"s:InstanceId", "s:600"}), "0");
    EXPECT_EQ(Call(first, 5, {"s:InstanceId"}), "600");
    EXPECT_EQ(TakeEngineCalls(), Calls {});
    EXPECT_EQ(Call(first, 4, {"s:Codec", "s:G72364"}), "3");
    EXPECT_EQ(Call(first, 5, {"s:Codec"}), "sdk:Codec");
    EXPECT_EQ(TakeEngineCalls(), (Calls {"Op14 Codec=G72364", "Op15 Codec"}));
}

TEST_F(VoiceControls, SdkControlMethodsCallTheEngine)
{
    const MethodCase cases[] = {
        {6, {"s:srv", "s:conf", "s:user", "s:acct", "s:key"}, {"Op11 srv|conf|user|acct|key"}, "1308"},
        {7, {}, {"Disconnect"}, "5"},
        {8, {}, {"GetSpeakers"}, "101\n102"},
        {9, {}, {"GetLevel"}, "42"},
        {10, {"i:4"}, {"SendInvite 4"}, "11"},
        {11, {"i:4", "b:0"}, {"InviteReply 4 0"}, "12"},
        {12, {"i:4", "i:7"}, {"Op9 4 7"}, "0"},
        {13, {"i:4", "s:hi"}, {"TextMessage 4 hi"}, "14"},
        {14, {"i:4", "s:a"}, {"AppMessage 4 a"}, "15"},
        {15, {"s:b"}, {"AppBroadcast b"}, "16"},
        {16, {"i:4", "i:7", "i:30"}, {"Op10 4 7 30"}, "0"},
        {17, {"i:4", "s:w"}, {"WarnUser 4 w"}, "18"},
        {18, {"i:4"}, {"KickUser 4"}, "19"},
        {19, {"s:a.wav", "i:1", "i:2"}, {"Op0"}, "40"},
        {20, {}, {"Op1 (none)"}, "41"},
        {21, {"s:a.wav", "i:1", "i:2", "i:3", "i:4", "i:5"}, {"Op2"}, "42"},
        {22, {"b:1"}, {"Op3"}, "43"},
        {23, {"i:0", "i:1", "i:2", "i:3", "i:4", "i:5", "i:6"}, {"Op5"}, "45"},
        {24, {"s:packet", "i:1", "i:2", "i:3"}, {"Op6"}, "46"},
        {25, {"s:buffer", "i:1", "i:2", "i:3", "i:4", "i:5"}, {"Op7"}, "47"},
        {26, {"b:1", "i:2", "i:3"}, {"Op4"}, "44"},
        {28, {"i:4", "s:spam"}, {"Op19 4 spam"}, "0"},
        {29, {"s:5"}, {"Op20 5"}, "0"},
    };
    CHostedControl host;
    Create(host, kSonorelle2ClassId);
    EXPECT_EQ(Read(host, 1), "4.2.1");
    for (const MethodCase& test : cases) {
        TakeEngineCalls();
        EXPECT_EQ(Call(host, test.id, test.arguments), test.result) << test.id;
        EXPECT_EQ(TakeEngineCalls(), test.engineCalls) << test.id;
    }
}

TEST_F(VoiceControls, SdkControlFiresEventsWithItsNumberOnItsWindowThread)
{
    CHostedControl host;
    Create(host, kSonorelle2ClassId);
    CEventSink sink;
    ASSERT_EQ(host.Advise(sink, kSonorelle2Events.id), S_OK);
    const std::string n = Call(host, 5, {"s:InstanceId"});
    SAFEARRAY* packet = ::SafeArrayCreateVector(VT_UI1, 0, 3);
    ASSERT_NE(packet, nullptr);
    unsigned char* bytes = nullptr;
    ASSERT_EQ(::SafeArrayAccessData(packet, reinterpret_cast<void**>(&bytes)), S_OK);
    bytes[0] = 0x01, bytes[1] = 0x7f, bytes[2] = 0xfe;
    ::SafeArrayUnaccessData(packet);
    const SonorelleIfcPlayStatusPayload played {4, 2, 50};
    const struct
    {
        int32_t code;
        const void* payload;
        DISPID event;
        std::string arguments;
    } cases[] = {
        {0, nullptr, 1, n},
        {4, &kAnn, 5, n + ",7,Ann,2"},
        {17, &kGagState, 12, n + ",5,7,30,2"},
        {19, &kRenamed, 17, n + ",5,Neo"},
        {18, &kIcon, 18, n + ",5,3"},
        {14, &kHello, 14, n + ",11,Bob,hello"},
        {11, &kGagged, 0, ""},
        {13, &kIcon, 0, ""},
        {15, packet, 15, n + ",bytes 01 7f fe"},
        {16, &played, 16, n + ",4,2,50"},
    };
    for (const auto& test : cases) {
        sink.calls.clear();
        // The engine calls from a thread of its own; the control hands the
        // record to its window's thread and fires there.
        struct Firing
        {
            HWND instance;
            int32_t code;
            void* payload;
        } firing {host.ControlWindow(), test.code, const_cast<void*>(test.payload)};
        HANDLE thread = ::CreateThread(
            nullptr, 0,
            [](void* parameter) -> DWORD {
                const auto* fire = static_cast<Firing*>(parameter);
                return FireEngineEvent(fire->instance, fire->code, fire->payload) ? 0 : 1;
            },
            &firing, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_ALLINPUT | QS_SENDMESSAGE)
            == WAIT_OBJECT_0 + 1) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
        }
        ::CloseHandle(thread);
        if (test.event == 0) {
            EXPECT_TRUE(sink.calls.empty()) << test.code;
            continue;
        }
        ASSERT_EQ(sink.calls.size(), 1u) << test.code;
        EXPECT_EQ(sink.calls[0].id, test.event) << test.code;
        EXPECT_EQ(sink.calls[0].arguments, test.arguments) << test.code;
        EXPECT_EQ(sink.calls[0].thread, ::GetCurrentThreadId()) << test.code;
    }
    ::SafeArrayDestroy(packet);
}

// The settings control

TEST_F(VoiceControls, SettingsControlPushesEveryPropertyAtCreationWithDefaults)
{
    CHostedControl host;
    Create(host, kSonorelle3ClassId);
    const Calls calls = From(TakeEngineCalls(), "SetCustomBrandingDll");
    const Calls expected {"SetCustomBrandingDll 76 ", "Op17 3 0", "SetSdkParam 16 ", "Op16 0 ", "Op16 1 ",
        "Op16 2 ", "Op16 4 ", "Op16 5 http://www.sonorelle.net/", "Op16 26 0", "Op16 8 0", "Op16 22 0",
        "Op16 18 1", "Op16 6 0", "Op16 7 0", "Op16 3 0", "Op16 9 0", "Op16 19 1", "Op16 20 0", "Op16 21 ",
        "Op16 14 ", "Op16 25 0", "Op16 27 ", "Op16 28 ", "Op16 29 0", "Op16 30 ", "Op16 31 ", "Op16 32 0",
        "Op16 33 0", "SetSdkCallback", "OnCreateWindow", "MoveWindow 200 250"};
    EXPECT_EQ(Head(calls, expected.size()), expected);
}

TEST_F(VoiceControls, SettingsControlPushesEachChangeAndDropsEvents)
{
    const int32_t engineIndex[]
        = {0, 1, 2, 4, 10, 14, 5, 26, 8, 22, 18, 6, 7, 3, 9, 19, 20, 21, 25, 27, 28, 29, 30, 31, 32, 33};
    CHostedControl host;
    Create(host, kSonorelle3ClassId);
    for (DISPID id = 1; id <= 26; ++id) {
        const VARTYPE type = kSonorelle3Dispatch.members[id - 1].type;
        const std::string value = type == VT_BSTR ? "text" + std::to_string(id) : type == VT_BOOL ? "1" : "7";
        const std::string typed = std::string(type == VT_BSTR ? "s:" : type == VT_BOOL ? "b:" : "i:") + value;
        TakeEngineCalls();
        ASSERT_EQ(Write(host, id, typed), S_OK) << id;
        EXPECT_EQ(TakeEngineCalls(), Calls {"Op16 " + std::to_string(engineIndex[id - 1]) + " " + value})
            << id;
        EXPECT_EQ(Read(host, id), type == VT_BOOL ? "true" : value) << id;
    }
    CEventSink sink;
    ASSERT_EQ(host.Advise(sink, kSonorelle3Events.id), S_OK);
    for (int32_t code : {0, 1, 9, 13})
        EXPECT_TRUE(
            FireEngineEvent(host.ControlWindow(), code, const_cast<SonorelleIfcMessagePayload*>(&kHello)));
    EXPECT_TRUE(sink.calls.empty());
}

// Module-wide behaviour

TEST_F(VoiceControls, ControlsShareOneEngineLibraryUntilTheLastGoes)
{
    // The test's own reference keeps the fake library readable after the
    // controls let it go.
    HMODULE held = ::LoadLibraryW(L"SnCom.dll");
    ASSERT_NE(held, nullptr);
    TakeEngineCalls();
    auto first = std::make_unique<CHostedControl>();
    auto second = std::make_unique<CHostedControl>();
    Create(*first, kSonorelleClassId);
    Create(*second, kSonorelle2ClassId);
    Calls calls = TakeEngineCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Init"), 1);
    using CanUnloadFunction = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload = reinterpret_cast<CanUnloadFunction>(
        ::GetProcAddress(::GetModuleHandleW(L"SNMurro.dll"), "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    first.reset();
    calls = TakeEngineCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Destroy"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Uninit"), 0);
    second.reset();
    calls = TakeEngineCalls();
    EXPECT_EQ(calls, (Calls {"Destroy", "Uninit"}));
    EXPECT_EQ(canUnload(), S_OK);
    ::FreeLibrary(held);
    EXPECT_EQ(::GetModuleHandleW(L"SnCom.dll"), nullptr);
}

TEST_F(VoiceControls, EachControlNamesItsGeneralPropertyPage)
{
    const std::pair<CLSID, CLSID> pages[] = {{kSonorelleClassId, kSonorellePageId},
        {kSonorelle2ClassId, kSonorelle2PageId}, {kSonorelle3ClassId, kSonorelle3PageId}};
    CHostedControl host;
    for (const auto& entry : pages) {
        ISpecifyPropertyPages* specify
            = CreateUnplaced<ISpecifyPropertyPages>(entry.first, IID_ISpecifyPropertyPages);
        ASSERT_NE(specify, nullptr);
        CAUUID named {};
        ASSERT_EQ(specify->GetPages(&named), S_OK);
        ASSERT_EQ(named.cElems, 1u);
        EXPECT_EQ(named.pElems[0], entry.second);
        ::CoTaskMemFree(named.pElems);
        specify->Release();

        IPropertyPage* page = CreateUnplaced<IPropertyPage>(entry.second, IID_IPropertyPage);
        ASSERT_NE(page, nullptr);
        PROPPAGEINFO info {};
        ASSERT_EQ(page->GetPageInfo(&info), S_OK);
        EXPECT_STREQ(info.pszTitle, L"General");
        EXPECT_GT(info.size.cx, 0);
        ::CoTaskMemFree(info.pszTitle);
        page->Release();
    }
}

// Closes the property frame that this process shows, once its "General" tab
// is there; records the tab's text.
DWORD WINAPI CloseGeneralFrame(void* tabText)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        ::Sleep(50);
        HWND frame = nullptr;
        ::EnumWindows(
            [](HWND window, LPARAM found) -> BOOL {
                DWORD process = 0;
                ::GetWindowThreadProcessId(window, &process);
                if (process != ::GetCurrentProcessId()
                    || !::FindWindowExW(window, nullptr, L"SysTabControl32", nullptr))
                    return TRUE;
                *reinterpret_cast<HWND*>(found) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&frame));
        if (!frame)
            continue;
        HWND tabs = ::FindWindowExW(frame, nullptr, L"SysTabControl32", nullptr);
        wchar_t text[64] = {};
        TCITEMW item {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        *static_cast<std::wstring*>(tabText) = text;
        ::PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return 1;
}

TEST_F(VoiceControls, PropertiesVerbShowsTheGeneralPageInAFrame)
{
    CHostedControl host;
    Create(host, kSonorelleClassId);
    IOleObject* object = host.Query<IOleObject>(IID_IOleObject);
    ASSERT_NE(object, nullptr);
    std::wstring tabText;
    HANDLE closer = ::CreateThread(nullptr, 0, CloseGeneralFrame, &tabText, 0, nullptr);
    ASSERT_NE(closer, nullptr);
    EXPECT_EQ(
        object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, ::GetParent(host.ControlWindow()), nullptr),
        S_OK);
    ::WaitForSingleObject(closer, 15000);
    ::CloseHandle(closer);
    EXPECT_EQ(tabText, L"General");
    object->Release();
}

} // namespace
