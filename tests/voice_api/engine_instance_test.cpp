#include "CEngineInstance.h"
#include "FakeEngineServices.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class EngineInstanceTest : public ::testing::Test
{
protected:
    CEngineInstance& Make(int32_t kind = 1, bool sdk = false)
    {
        instance = std::make_unique<CEngineInstance>(&handle, kind, sdk, process, services);
        instance->SetCallback(&recorder.callback);
        instance->AttachSession(&services);
        return *instance;
    }
    std::string Ui(const std::string& name) { return instance->GetUiOption(name).second; }
    std::string Sdk(const std::string& name) { return instance->GetSdkProperty(name).second; }
    void Ready()
    {
        instance->SetByName("ServerAddress", "conf.test");
        instance->SetByName("ConfName", "room");
        instance->SetSdkProperty("Username", "Ann");
    }

    int handle = 0;
    EngineProcessState process;
    FakeEngineServices services;
    EventRecorder recorder;
    std::unique_ptr<CEngineInstance> instance;
};

} // namespace

TEST_F(EngineInstanceTest, DefaultsAsAHostReadsThem)
{
    Make();
    const struct { const char* name; bool ui; const char* value; } cases[] = {
        {"StitchUrl", true, "http://www.sonorelle.net/"},
        {"UMIgnore", true, "true"},
        {"UMInstantMessage", true, "true"},
        {"ShowEULA", true, "true"},
        {"UIOptions", true, "3"},
        {"TinyStitch", true, "false"},
        {"UserLocale", true, "en-US"},
        {"EnableBreakout", true, "false"},
        {"ContainerApp", false, "<none>"},
        {"ContainerAppVersion", false, "0.0"},
        {"Account", false, "0"},
        {"Tunnel", false, "0"},
        {"UserIcon", false, "0"},
        {"SoundEnabled", false, "true"},
        {"Mute", false, "false"},
        {"ConfName", false, ""},
    };
    for (const auto& c : cases) {
        const auto result = c.ui ? instance->GetUiOption(c.name) : instance->GetSdkProperty(c.name);
        EXPECT_EQ(result.first, 0) << c.name;
        EXPECT_EQ(result.second, c.value) << c.name;
    }
    EXPECT_EQ(instance->Params().Number(EngineParam::kAutoJoin), 1);
    EXPECT_EQ(instance->Params().Text(EngineParam::kHostUrl), "<URL>");
}

TEST_F(EngineInstanceTest, UiOptionsAreStoredAndReadBackByName)
{
    Make();
    const struct { const char* name; std::string value; const char* read; } cases[] = {
        {"EnableBreakout", "TRUE", "true"},
        {"Host", "yes", "false"},
        {"UIOptions", "12abc", "12"},
        {"UIOptions", "99999999999", "2147483647"},
        {"SMChangeName", "true", "true"},
        {"PhoneKeyPadUI", "pad\tone", "padone"},
        {"StitchUrl", "http://x.test/\ta", "http://x.test/\ta"},
        {"SMIconChoices", "1\t2", "1\t2"},
        {"ShowEULA", "false", "false"},
        {"showconf", "True", "true"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(instance->SetUiOption(c.name, c.value), 0) << c.name;
        EXPECT_EQ(Ui(c.name), c.read) << c.name;
    }
}

TEST_F(EngineInstanceTest, EachNamedOperationKnowsOnlyItsOwnNames)
{
    Make();
    const struct { const char* name; int32_t ui; int32_t sdk; int32_t byName; } cases[] = {
        {"StitchUrl", 0, 1, 1},   {"Tunnel", 1, 0, 1},     {"AutoJoin", 1, 1, 0},
        {"ConfName", 1, 1, 0},    {"AccountKey", 1, 1, 1}, {"ConfClone", 1, 1, 1},
        {"RequireAudio", 1, 2, 1}, {"Nonsense", 1, 1, 1},   {"Mute", 1, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(instance->SetUiOption(c.name, "1"), c.ui) << c.name;
        EXPECT_EQ(instance->SetSdkProperty(c.name, "1"), c.sdk) << c.name;
        EXPECT_EQ(instance->SetByName(c.name, "1"), c.byName) << c.name;
    }
    EXPECT_EQ(instance->GetUiOption("Tunnel"), std::make_pair(1, std::string()));
    EXPECT_EQ(instance->GetSdkProperty("StitchUrl"), std::make_pair(1, std::string()));
    EXPECT_EQ(instance->GetSdkProperty("RequireAudio").first, 2);
    EXPECT_EQ(instance->GetSdkProperty("nothing").first, 1);
}

TEST_F(EngineInstanceTest, EmptySdkValuesClearOnlyThePhoneTexts)
{
    Make();
    for (const char* name : {"PhoneDialInfo", "PhoneUserInfo", "PhoneCallerID", "PhoneDTMFOnConnect"}) {
        ASSERT_EQ(instance->SetSdkProperty(name, "123"), 0) << name;
        EXPECT_EQ(instance->SetSdkProperty(name, ""), 0) << name;
        EXPECT_EQ(Sdk(name), "") << name;
    }
    ASSERT_EQ(instance->SetSdkProperty("Username", "Ann"), 0);
    EXPECT_EQ(instance->SetSdkProperty("Username", ""), 1);
    EXPECT_EQ(Sdk("Username"), "Ann");
    EXPECT_EQ(instance->SetSdkProperty("Tunnel", ""), 1);
}

TEST_F(EngineInstanceTest, ToneDigitsAreStoredOnlyWhenEveryCharacterHasAKey)
{
    Make();
    EXPECT_EQ(instance->SetSdkProperty("PhoneDTMFOnConnect", "12#abc"), 0);
    EXPECT_EQ(instance->SetSdkProperty("PhoneDTMFOnConnect", "12 AB"), 0);
    EXPECT_EQ(Sdk("PhoneDTMFOnConnect"), "12#abc");
}

TEST_F(EngineInstanceTest, SetParamTriesUiOptionThenSdkPropertyThenByName)
{
    Make();
    instance->SetParam("Tunnel", "8618200");
    EXPECT_EQ(Sdk("Tunnel"), "8618200");
    instance->SetParam("AutoJoin", "false");
    EXPECT_EQ(instance->Params().Number(EngineParam::kAutoJoin), 0);
    instance->SetParam("ConfName", "a\tb");
    EXPECT_EQ(Sdk("ConfName"), "a\tb"); // set by name keeps the text as given
    instance->SetParam("UMIgnore", "false");
    EXPECT_EQ(Ui("UMIgnore"), "false");
    instance->SetParam("AccountKey", "key");
    EXPECT_EQ(instance->Params().Text(EngineParam::kAccountKey), "");
}

TEST_F(EngineInstanceTest, SetByIndexStoresByKindAndIgnoresTheRest)
{
    Make();
    const std::string dirty = "a\tb\nc";
    instance->SetByIndex(EngineParam::kConfName, reinterpret_cast<intptr_t>(dirty.c_str()));
    EXPECT_EQ(Sdk("ConfName"), "abc");
    instance->SetByIndex(EngineParam::kStitchUrl, reinterpret_cast<intptr_t>(dirty.c_str()));
    EXPECT_EQ(Ui("StitchUrl"), dirty);
    instance->SetByIndex(18, 0);
    EXPECT_EQ(Ui("UMIgnore"), "false");
    instance->SetByIndex(18, 7);
    EXPECT_EQ(Ui("UMIgnore"), "true");
    instance->SetByIndex(EngineParam::kConfClone, 4);
    EXPECT_EQ(Sdk("ConfClone"), "4");
    instance->SetByIndex(EngineParam::kConfName, 0); // a null text counts as empty
    EXPECT_EQ(Sdk("ConfName"), "");

    const std::string brand = "Brand.dll";
    instance->SetByIndex(EngineParam::kCustomBrand, reinterpret_cast<intptr_t>(brand.c_str()));
    EXPECT_EQ(process.customBrand, "");
    for (int32_t index : {33, 34, -1, 1000}) {
        instance->SetByIndex(index, 1); // must not touch anything nor crash
    }
    EXPECT_EQ(instance->Params().Number(EngineParam::kRequireAudio), 0);
}

TEST_F(EngineInstanceTest, AccountKeySetsAndClearsTheSdkMarker)
{
    Make();
    EXPECT_EQ(instance->SdkMarker(), "");
    const std::string key = "MTIzNDU2Nzg=";
    const std::string empty;
    instance->SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(key.c_str()));
    EXPECT_EQ(instance->SdkMarker(), "sdk");
    instance->SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(empty.c_str()));
    EXPECT_EQ(instance->SdkMarker(), "notsdk");
    instance->SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(empty.c_str()));
    EXPECT_EQ(instance->SdkMarker(), "notsdk");
}

TEST_F(EngineInstanceTest, SdkModeSwitchesTheStatusDisplayOnlyWhileNotJoined)
{
    Make();
    EXPECT_TRUE(instance->StatusDisplayOn());
    instance->SetByName("SDKmode", "true");
    EXPECT_FALSE(instance->StatusDisplayOn());
    instance->SetByIndex(EngineParam::kSdkMode, 0);
    EXPECT_TRUE(instance->StatusDisplayOn());
    EXPECT_TRUE(recorder.events.empty());

    Ready();
    ASSERT_EQ(instance->Join(), 0);
    instance->OnAccepted();
    recorder.events.clear();
    instance->SetByName("SDKmode", "true");
    EXPECT_TRUE(instance->StatusDisplayOn());
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].code, 13);
    EXPECT_EQ(recorder.events[0].number, EngineParam::kSdkMode);
    EXPECT_EQ(recorder.events[0].text, "0");
}

TEST_F(EngineInstanceTest, BrandAndLocaleAreSharedByTheProcess)
{
    Make();
    CEngineInstance other(&process, 1, true, process, services);
    EXPECT_EQ(instance->SetUiOption("CustomBrand", "Brand.dll"), 0);
    EXPECT_EQ(other.GetUiOption("CustomBrand").second, "Brand.dll");

    EXPECT_EQ(instance->SetUiOption("UserLocale", "de-DE"), 0);
    EXPECT_EQ(process.locale, "de-DE");
    EXPECT_EQ(Ui("UserLocale"), "de-DE");
    process.localeLocked = true;
    instance->SetUiOption("UserLocale", "fr-FR");
    EXPECT_EQ(process.locale, "de-DE");
    EXPECT_EQ(Ui("UserLocale"), "fr-FR");
    process.localeLocked = false;
    instance->SetUiOption("UserLocale", "");
    EXPECT_EQ(process.locale, "de-DE");
    EXPECT_EQ(Ui("UserLocale"), "fr-FR");
}

TEST_F(EngineInstanceTest, TheServiceBrandTurnsTinyStitchAndPlugInShowConfOn)
{
    process.brandCode = EngineProcessState::kServiceBrand;
    Make(5);
    EXPECT_EQ(Ui("TinyStitch"), "true");
    EXPECT_EQ(Ui("ShowConf"), "true");
    Make(1);
    EXPECT_EQ(Ui("ShowConf"), "false");
}

TEST_F(EngineInstanceTest, HostUrlIsTakenOnceOrFromTheScriptAnswer)
{
    Make();
    instance->SetHostUrl("http://first.test/a", "");
    EXPECT_EQ(instance->PageHostAddress(), "10.1.2.3");
    instance->SetHostUrl("http://second.test/b", "");
    EXPECT_EQ(instance->Params().Text(EngineParam::kHostUrl), "http://first.test/a");
    instance->SetHostUrl("javascript:document.URL;", "http://10.9.8.7/page");
    EXPECT_EQ(instance->Params().Text(EngineParam::kHostUrl), "http://10.9.8.7/page");
    EXPECT_EQ(instance->PageHostAddress(), "10.9.8.7");
    instance->SetHostUrl("javascript:document.location;", "");
    EXPECT_EQ(instance->PageHostAddress(), "127.0.0.1");
    EXPECT_EQ(services.lookups, std::vector<std::string>{"first.test"});

    Make();
    services.resolvedAddress.clear(); // the name cannot be resolved
    instance->SetHostUrl("http://nowhere.test/", "");
    EXPECT_EQ(instance->PageHostAddress(), "0.0.0.0");
}

TEST_F(EngineInstanceTest, JoinChecksRunInOrderAndReportWhatIsMissing)
{
    struct Case
    {
        const char* what;
        std::function<void(CEngineInstance&, FakeEngineServices&)> setUp;
        int32_t status;
        const char* missing; // the name in the error event, or nullptr
    };
    const Case cases[] = {
        {"agreement", [](auto& i, auto& s) { s.agreementAccepted = false; i.SetByName("ServerAddress", ""); }, 1205, nullptr},
        {"server", [](auto& i, auto&) { i.SetByName("ServerAddress", ""); }, 1301, "ServerAddress"},
        {"conference", [](auto& i, auto&) { i.SetByName("ConfName", ""); }, 1301, "ConfName"},
        {"name, no display", [](auto& i, auto&) { i.SetByIndex(EngineParam::kUsername, 0); i.SetByName("SDKmode", "true"); }, 1301, "Username"},
        {"name, display", [](auto& i, auto&) { i.SetByIndex(EngineParam::kUsername, 0); }, 1301, nullptr},
        {"account with key", [](auto& i, auto&) {
             static const char key[] = "a2V5";
             i.SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(key));
             i.SetByName("Account", ""); }, 1301, "Account"},
        {"connect fails", [](auto&, auto& s) { s.connectResult = 1005; }, 1005, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        services = FakeEngineServices();
        recorder.events.clear();
        Make();
        Ready();
        c.setUp(*instance, services);
        EXPECT_EQ(instance->Join(), c.status);
        EXPECT_FALSE(instance->IsJoining());
        bool reported = false;
        for (const auto& event : recorder.events) {
            if (event.code == 2) {
                ASSERT_NE(c.missing, nullptr) << event.text;
                EXPECT_EQ(event.number, 1301);
                EXPECT_EQ(event.text, std::string("The required \"") + c.missing +
                                          "\" parameter is missing.  Connection aborted.");
                reported = true;
            }
        }
        EXPECT_EQ(reported, c.missing != nullptr);
        EXPECT_EQ(services.connections.size(), c.status == 1005 ? 1u : 0u);
    }
}

TEST_F(EngineInstanceTest, JoinCleansTheNameFillsDefaultsAndConnects)
{
    Make();
    Ready();
    instance->SetSdkProperty("Username", "\tAnn\x7f");
    instance->SetSdkProperty("Tunnel", "8618200");
    instance->SetSdkProperty("ContainerApp", "\n");
    instance->SetSdkProperty("ContainerAppVersion", "\n");
    instance->SetByName("Account", "");
    EXPECT_EQ(instance->Join(), 0);
    EXPECT_TRUE(instance->IsJoining());

    ASSERT_EQ(services.connections.size(), 1u);
    EXPECT_EQ(services.connections[0].tunnel, 8618200);
    EXPECT_EQ(services.connections[0].server, "conf.test");
    EXPECT_EQ(services.connections[0].port, 3450);
    EXPECT_EQ(Sdk("Account"), "0");
    EXPECT_EQ(instance->PageHostAddress(), "127.0.0.1");

    const struct { int32_t code; int32_t number; const char* text; } expected[] = {
        {13, 2, "Ann"}, {13, 12, "IE"}, {13, 13, "?.?"}, {3, 0, "string 223"},
    };
    ASSERT_EQ(recorder.events.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(recorder.events[i].code, expected[i].code) << i;
        EXPECT_EQ(recorder.events[i].number, expected[i].number) << i;
        EXPECT_EQ(recorder.events[i].text, expected[i].text) << i;
        EXPECT_EQ(recorder.events[i].one, 1);
        EXPECT_EQ(recorder.events[i].context, &recorder);
    }
}

TEST_F(EngineInstanceTest, KeyedJoinWithoutContainerNamesTheSdk)
{
    Make();
    Ready();
    static const char key[] = "a2V5";
    instance->SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(key));
    instance->SetSdkProperty("ContainerApp", "\x01");
    ASSERT_EQ(instance->Join(), 0);
    EXPECT_EQ(Sdk("ContainerApp"), "<SDK>");
}

TEST_F(EngineInstanceTest, JoinStatesRefuseASecondJoin)
{
    Make();
    Ready();
    ASSERT_EQ(instance->Join(), 0);
    EXPECT_EQ(instance->Join(), 1308);
    instance->OnAccepted();
    EXPECT_EQ(instance->Join(), 1303);
    EXPECT_EQ(recorder.events.back().code, 0);

    instance->OnSessionEnded();
    instance->OnServerConnected();
    recorder.events.clear();
    EXPECT_EQ(instance->Join(), 1302);
    EXPECT_FALSE(instance->IsJoining());
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].text, "string 222");
}

TEST_F(EngineInstanceTest, UsernameIsNotChangedWhileAJoinStarts)
{
    Make();
    Ready();
    ASSERT_EQ(instance->Join(), 0);
    EXPECT_EQ(instance->SetSdkProperty("Username", "Bob"), 0);
    EXPECT_EQ(Sdk("Username"), "Ann");
}

TEST_F(EngineInstanceTest, DisconnectNeedsAJoinOrAStartingJoin)
{
    Make();
    EXPECT_EQ(instance->Disconnect(), 1304);
    Ready();
    ASSERT_EQ(instance->Join(), 0);
    EXPECT_EQ(instance->Disconnect(), 0);
    EXPECT_FALSE(instance->IsJoining());
    EXPECT_EQ(instance->Disconnect(), 1304);
}

TEST_F(EngineInstanceTest, UserCallsCheckJoinThenKeyThenRoster)
{
    Make();
    EXPECT_EQ(instance->CheckUserCall(7, true), 1304);
    EXPECT_EQ(instance->CheckUserCall(7, false), 1304);
    Ready();
    ASSERT_EQ(instance->Join(), 0);
    instance->OnAccepted(); // without an AccountKey
    EXPECT_EQ(instance->CheckUserCall(7, true), 1307);

    instance->OnSessionEnded();
    static const char key[] = "a2V5";
    instance->SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(key));
    ASSERT_EQ(instance->Join(), 0);
    instance->OnAccepted();
    instance->OnRosterAdded(7);
    EXPECT_EQ(instance->CheckUserCall(7, true), 0);
    EXPECT_EQ(instance->CheckUserCall(8, true), 1305);
    EXPECT_EQ(instance->CheckUserCall(8, false), 0);
    instance->OnRosterRemoved(7);
    EXPECT_EQ(instance->CheckUserCall(7, true), 1305);
}

TEST_F(EngineInstanceTest, TonesNeedAKeypadCharacter)
{
    Make();
    EXPECT_EQ(instance->SendTone('A'), 1501);
    EXPECT_EQ(instance->SendTone(' '), 1501);
    EXPECT_EQ(instance->SendTone('5'), 1304);
    EXPECT_EQ(instance->SendTone('w'), 1304);
}

TEST_F(EngineInstanceTest, ANullCallbackPutsTheBuiltInRecordBack)
{
    Make();
    instance->SetCallback(nullptr);
    instance->SetByName("ServerAddress", "");
    EXPECT_EQ(instance->Join(), 1301);
    EXPECT_TRUE(recorder.events.empty());
}
