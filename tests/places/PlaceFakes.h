// Recording fakes of the seams that the root place and the community
// connection call, and the product's string table read from its resource
// script so that the tests check the texts users see.
#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BroadcastInfo.h"
#include "ICommunityStore.h"
#include "IPersonDialog.h"
#include "IPersonStateHost.h"
#include "IPlaceApp.h"
#include "IPlaceDde.h"
#include "IPlaceFrame.h"
#include "ZrObject.h"
#include "ZrObjectDesc.h"

// Lines of the form:  123 "text"  with "" for a quote and \n escapes.
inline std::map<uint32_t, std::string> LoadStringTable()
{
    std::map<uint32_t, std::string> table;
    std::ifstream file(ZR_STRINGS_RC);
    std::string line;
    while (std::getline(file, line)) {
        const size_t digit = line.find_first_not_of(" \t");
        const size_t quote = line.find('"');
        if (digit == std::string::npos || quote == std::string::npos || line[digit] < '0' || line[digit] > '9')
            continue;
        const uint32_t id = static_cast<uint32_t>(std::stoul(line.substr(digit, quote - digit)));
        std::string text;
        for (size_t i = quote + 1; i < line.size(); ++i) {
            if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                text += '"';
                ++i;
            } else if (line[i] == '"') {
                break;
            } else if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
                text += '\n';
                ++i;
            } else {
                text += line[i];
            }
        }
        table[id] = text;
    }
    return table;
}

class FakeApp : public IPlaceApp {
public:
    FakeApp() : strings(LoadStringTable()) {}

    std::string LoadText(uint32_t id) const override
    {
        const auto found = strings.find(id);
        return found == strings.end() ? std::string() : found->second;
    }
    void PostMessageBox(const std::string& text) override { messages.push_back(text); }
    void PostWarning(const std::string& text) override { warnings.push_back(text); }
    void PostRoomFullPrompt() override { Log("PostRoomFullPrompt"); }
    bool IsConnected() const override { return connected; }
    void SetEntered(bool value) override { entered = value; }
    void ClearReconnectState() override { Log("ClearReconnectState"); }
    bool AcceptReconnect() override { return acceptReconnect; }
    void ConfirmAndLeave() override { Log("ConfirmAndLeave"); }
    void ClearPassword() override { Log("ClearPassword"); }
    void StartLogin() override { Log("StartLogin"); }
    void ClearIdentityNick() override { Log("ClearIdentityNick"); }
    int32_t GetServerListState() const override { return serverListState; }
    void StorePendingConnectionChoice() override { Log("StorePendingConnectionChoice"); }
    std::string GetCommunityName() const override { return community; }
    std::string GetCommunityTitle() const override { return communityTitle; }
    std::string GetHomeTitle() const override { return homeTitle; }
    std::string GetAddressPlaceName() const override { return addressName; }
    std::string GetLoginBaseUrl() const override { return loginBase; }
    std::string GetNickname() const override { return nickname; }
    std::string DisplayNameOf(const CZrObject& person) const override { return person.GetName(); }
    void SaveAndReloadSettings() override { Log("SaveAndReloadSettings"); }
    int32_t ReadSetting(const std::string& key, int32_t defaultValue) const override
    {
        const auto found = settings.find(key);
        return found == settings.end() ? defaultValue : found->second;
    }
    void WriteSetting(const std::string& key, int32_t value) override { settings[key] = value; }
    int32_t CurrentSecond() const override { return second; }
    void SetStatusText(const std::string& text) override { status.push_back(text); }
    void SetMainTitle(const std::string& title) override { mainTitle = title; }
    void ResetChatTabs() override { Log("ResetChatTabs"); }
    void ResetAfterDisconnect() override { Log("ResetAfterDisconnect"); }
    void RemovePreviousPlaceMenu() override { Log("RemovePreviousPlaceMenu"); }
    void ResetEventState() override { Log("ResetEventState"); }
    void StartIdleTimer() override { Log("StartIdleTimer"); }
    void StopIdleTimer() override { Log("StopIdleTimer"); }
    void SetPendingCount(int32_t) override { Log("SetPendingCount"); }
    void RunPendingRefresh() override { Log("RunPendingRefresh"); }
    void SetPlaceLayout(int32_t type) override { layout = type; }
    int32_t GetActiveChatPageType() const override { return chatPageType; }
    void SetPageText(const std::string& text) override { pageText = text; }
    void OnPlaceEntered() override { Log("OnPlaceEntered"); }
    void FocusMainWindow() override { Log("FocusMainWindow"); }
    void SetOwnMark(bool on) override { Log(on ? "SetOwnMark 1" : "SetOwnMark 0"); }
    void UseSavedPosition() override { usesSaved = true; }
    bool UsesSavedPosition() const override { return usesSaved; }
    CZrPosition GetAvatarPosition() const override { return avatarPosition; }
    void StopVoiceSession() override { Log("StopVoiceSession"); }
    void StartVoiceSession() override { Log("StartVoiceSession"); }
    void ClearVoiceSpeaker() override { Log("ClearVoiceSpeaker"); }
    void SetSpeakerLevel(int32_t level) override { Log("SetSpeakerLevel " + std::to_string(level)); }
    void ShowSay(const CZrObject& sender, const std::string& text) override
    {
        Log("ShowSay " + std::to_string(sender.GetId()) + " " + text);
    }
    void ShowTranscript(const std::string& text) override { Log("ShowTranscript " + text); }
    void ShowBroadcast(const CBroadcastInfo& record) override { Log("ShowBroadcast " + record.texts[0]); }
    void SetEventText(const std::string& text) override { Log("SetEventText " + text); }
    void OpenInvitation(const std::string& place, const std::string& from) override
    {
        Log("OpenInvitation " + place + " from " + from);
    }
    void CloseVoteDialog() override { Log("CloseVoteDialog"); }
    void OnEventAnnouncement(const std::string& text) override { Log("OnEventAnnouncement " + text); }
    void SetWelcomePicture(const CTvlBlob& picture) override
    {
        Log("SetWelcomePicture " + std::to_string(picture.Length()));
    }
    std::string EventKindName(int number) const override
    {
        return number >= 1 && static_cast<size_t>(number) <= eventKinds.size() ? eventKinds[number - 1] : std::string();
    }
    void OpenVote(const std::string& definition) override { Log("OpenVote " + definition); }
    void SendSlide(const std::string& text) override { Log("SendSlide " + text); }
    void OnWhisperFailed(uint32_t target, uint32_t code) override
    {
        Log("OnWhisperFailed " + std::to_string(target) + " " + std::to_string(code));
    }
    void ForwardPair(uint32_t kind, const CZrObjectDesc& answer) override
    {
        Log("ForwardPair " + std::to_string(kind) + " " + answer.name + " " + std::to_string(answer.members.size()));
    }

    void OnPlaceList(uint32_t first, uint32_t count, bool allPlaces, uint32_t total, uint32_t people,
                     uint32_t observers, const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) override
    {
        Log("OnPlaceList " + std::to_string(first) + " " + std::to_string(count) + " " +
            std::to_string(allPlaces) + " " + std::to_string(total) + " " + std::to_string(people) + " " +
            std::to_string(observers) + " " + std::to_string(places.size()));
    }
    bool OfferPersonDescription(uint32_t id, const std::string& text,
                                const std::vector<std::unique_ptr<CZrPersonDesc>>&) override
    {
        Log("OfferPersonDescription " + std::to_string(id) + " " + text);
        return takesDescriptions;
    }

    bool Called(const std::string& call) const
    {
        for (const std::string& entry : calls) {
            if (entry == call)
                return true;
        }
        return false;
    }

    std::map<uint32_t, std::string> strings;
    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    std::vector<std::string> status;
    std::vector<std::string> eventKinds;
    std::map<std::string, int32_t> settings;
    std::string mainTitle;
    std::string pageText = "untouched";
    std::string community = "zr.example";
    std::string communityTitle;
    std::string homeTitle;
    std::string addressName;
    std::string loginBase;
    std::string nickname = "Wren";
    bool connected = true;
    bool entered = true;
    bool acceptReconnect = true;
    bool usesSaved = false;
    bool takesDescriptions = false;
    int32_t serverListState = 1;
    int32_t second = 0;
    int32_t layout = -1;
    int32_t chatPageType = 0;
    CZrPosition avatarPosition;

private:
    void Log(const std::string& call) { calls.push_back(call); }
};

class FakeDde : public IPlaceDde {
public:
    void PostConnectCommunity() override { items.push_back("ConnectCommunity"); }
    void PostDisconnectCommunity(uint32_t stringId) override
    {
        items.push_back("DisconnectCommunity " + std::to_string(stringId));
    }
    void PostNavigate() override { items.push_back("Navigate"); }
    void PostQueryPlaces(const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) override
    {
        items.push_back("QueryPlaces " + std::to_string(places.size()));
    }
    void PostMessageItem(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob&,
                         uint32_t itemType) override
    {
        items.push_back("MessageItem " + std::to_string(sender) + " " + name + " " + text + " " +
                        std::to_string(itemType));
    }
    void SendGameData(uint32_t sender, const std::string& name, const std::string& text, const CTvlBlob& payload,
                      uint32_t first, uint32_t second) override
    {
        items.push_back("GameData " + std::to_string(sender) + " " + name + " " + text + " " +
                        std::to_string(first) + " " + std::to_string(second));
        lastPayload = std::string(reinterpret_cast<const char*>(payload.Bytes()), payload.Length());
    }
    void ForwardGameData(uint32_t sender, uint32_t kind, uint32_t code, const std::string& text,
                         const CTvlBlob&) override
    {
        items.push_back("ForwardGameData " + std::to_string(sender) + " " + std::to_string(kind) + " " +
                        std::to_string(code) + " " + text);
    }

    std::vector<std::string> items;
    std::string lastPayload;
};

class FakeFrame : public IPlaceFrame {
public:
    std::string GetPageUrl() const override { return pageUrl; }
    void SetTitle(const std::string& text) override { title = text; }
    void ShowPage(const std::string& url) override { shown.push_back(url); }
    void FollowGuidePage(const std::string& url) override { followed.push_back(url); }
    void Layout() override { ++layouts; }

    std::string pageUrl;
    std::string title;
    std::vector<std::string> shown;
    std::vector<std::string> followed;
    int32_t layouts = 0;
};

// A dialog that records what it was asked and counts live instances.
class FakeDialog : public IPersonDialog {
public:
    explicit FakeDialog(int32_t& alive) : m_alive(alive) { ++m_alive; }
    ~FakeDialog() override { --m_alive; }
    void Raise() override { ++raised; }
    void SetPicture(const CTvlBlob& picture) override { pictureLength = picture.Length(); }

    int32_t raised = 0;
    uint32_t pictureLength = 0;

private:
    int32_t& m_alive;
};

class FakeStateHost : public IPersonStateHost {
public:
    void ShowIgnoreState(uint32_t person, int32_t state) override
    {
        shown.push_back(std::to_string(person) + "=" + std::to_string(state));
    }
    std::unique_ptr<IPersonDialog> CreateSendImDlg(uint32_t person, const std::string& name) override
    {
        created.push_back(std::to_string(person) + " " + name);
        return std::make_unique<FakeDialog>(alive);
    }

    std::vector<std::string> shown;
    std::vector<std::string> created;
    int32_t alive = 0;
};

class FakeStore : public ICommunityStore {
public:
    void SetCommunityText(uint16_t code, const std::string& text) override { texts[code] = text; }
    void SetCurrentUrl(const std::string& url) override { currentUrl = url; }
    void SetCommunityTitle(const std::string& title) override { this->title = title; }
    void SetLoginBaseUrl(const std::string& url) override { loginBase = url; }
    void SetWordList(const std::vector<std::string>& list) override { words = list; }
    void SetValue(uint16_t code, uint32_t value) override { values[code] = value; }
    bool ReloadServiceLinks() override { ++reloads; return linksLoad; }
    void BuildServiceLinksMenu() override { ++menuBuilds; }
    void StartLogin() override { ++logins; }
    void RunPendingRefresh() override { ++refreshes; }
    std::string GetResetUrl() const override { return "about:reset"; }
    void ShowPage(const std::string& url) override { shown.push_back(url); }
    void OnConnectFailed(int32_t reason) override { failures.push_back(reason); }

    std::map<uint16_t, std::string> texts;
    std::vector<int32_t> failures;
    std::map<uint16_t, uint32_t> values;
    std::vector<std::string> words;
    std::vector<std::string> shown;
    std::string currentUrl;
    std::string title;
    std::string loginBase;
    bool linksLoad = true;
    int32_t reloads = 0;
    int32_t menuBuilds = 0;
    int32_t logins = 0;
    int32_t refreshes = 0;
};
