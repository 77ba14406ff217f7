// Recording stand-ins for the conference session's owner, channel, media and
// environment, and a fixture that speaks to the session as a server would.
#pragma once

#include "CConfDefaultEnvironment.h"
#include "CConfLineCipher.h"
#include "CConferenceProtocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class RecordingOwner : public IConferenceOwner
{
public:
    std::vector<std::string> events;
    int32_t soundEnabled = 1;

    void Accepted() override { Add("Accepted"); }
    void Connected() override { Add("Connected"); }
    void Disconnected(int32_t reason, const std::string& text) override
    {
        Add("Disconnected " + std::to_string(reason) + " " + text);
    }
    void RosterAdded(const ConfUser& user) override { Add("RosterAdded " + Describe(user)); }
    void RosterRemoved(const ConfUser& user) override { Add("RosterRemoved " + Describe(user)); }
    void IconChanged(const ConfUser& user) override { Add("IconChanged " + Describe(user)); }
    void NameChanged(const ConfUser& user) override { Add("NameChanged " + Describe(user)); }
    void ShowStatusText(const std::string& text) override { Add("StatusText " + text); }
    void ShowStatus(int32_t number) override { Add("Status " + std::to_string(number)); }
    void Breakout(int32_t user, int32_t kind, const std::string& conference) override
    {
        Add("Breakout " + std::to_string(user) + " " + std::to_string(kind) + " " + conference);
    }
    void MessageReceived(int32_t user, const std::string& name, const std::string& text) override
    {
        Add("Message " + std::to_string(user) + " " + name + " " + text);
    }
    void WarningReceived(int32_t user, const std::string& name, const std::string& text) override
    {
        Add("Warning " + std::to_string(user) + " " + name + " " + text);
    }
    void AppMessageReceived(int32_t user, const std::string& name,
                            const std::string& text) override
    {
        Add("AppMessage " + std::to_string(user) + " " + name + " " + text);
    }
    void AppBroadcastReceived(int32_t user, const std::string& name,
                              const std::string& text) override
    {
        Add("AppBroadcast " + std::to_string(user) + " " + name + " " + text);
    }
    void GagState(int32_t a, int32_t b, int32_t c, int32_t d) override
    {
        Add("GagState " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) +
            " " + std::to_string(d));
    }
    void ErrorId(int32_t code, int32_t number, int32_t zero) override
    {
        Add("ErrorId " + std::to_string(code) + " " + std::to_string(number) + " " +
            std::to_string(zero));
    }
    void ErrorText(int32_t code, const std::string& text, int32_t zero) override
    {
        Add("ErrorText " + std::to_string(code) + " " + text + " " + std::to_string(zero));
    }
    void ConferenceNameChanged(const std::string& name) override { Add("ConfName " + name); }
    void ConferenceCloneChanged(int32_t clone) override
    {
        Add("ConfClone " + std::to_string(clone));
    }
    int32_t IsSoundEnabled() override { return soundEnabled; }
    void ConnectFailed() override { Add("ConnectFailed"); }

    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }

private:
    static std::string Describe(const ConfUser& user)
    {
        return std::to_string(user.User()) + " " + user.Name() + " " + std::to_string(user.Icon());
    }
    void Add(const std::string& event) { events.push_back(event); }
};

class RecordingChannel : public IConfChannel
{
public:
    std::vector<std::string> sent;
    std::vector<std::string> calls;
    bool failSend = false;
    int32_t sendError = 10054;
    bool connectSucceeds = true;
    CConferenceProtocol* session = nullptr;

    bool SendText(const std::string& text, int32_t& errorCode) override
    {
        if (failSend) {
            errorCode = sendError;
            calls.push_back("SendFailed");
            return false;
        }
        sent.push_back(text);
        return true;
    }
    void Close() override { calls.push_back("Close"); }
    void StopAttempts() override { calls.push_back("StopAttempts"); }
    bool ConnectDirect(const std::string& server, int32_t port, std::string& errorText) override
    {
        calls.push_back("ConnectDirect " + server + " " + std::to_string(port));
        if (!connectSucceeds) {
            errorText = "Unable to connect";
            return false;
        }
        session->OnConnected(server, port);
        return true;
    }
};

class RecordingMedia : public IConfMedia
{
public:
    std::vector<std::string> calls;
    ConfMediaResult result{ConfMediaResult::Outcome::Ready, 5006, "", ""};
    int32_t testCount = 10;
    bool stopSucceeds = true;

    void AddSource(int32_t user) override { calls.push_back("AddSource " + std::to_string(user)); }
    void RemoveSource(int32_t user) override
    {
        calls.push_back("RemoveSource " + std::to_string(user));
    }
    void ConnectStreamMedia(const std::string& host, int32_t port,
                            const std::string& firstLine) override
    {
        calls.push_back("ConnectStreamMedia " + host + " " + std::to_string(port) + " " + firstLine);
    }
    ConfMediaResult OpenMedia(const ConfChannelOffer& offer, int32_t ownUser,
                              bool openSoundCard) override
    {
        calls.push_back("OpenMedia " + offer.codec + " " + std::to_string(offer.interval) + " " +
                        std::to_string(ownUser) + " " + (openSoundCard ? "sound" : "nosound"));
        return result;
    }
    int32_t TakeTestCount() override { return testCount; }
    void MediaTested(bool soundEnabled) override
    {
        calls.push_back(std::string("MediaTested ") + (soundEnabled ? "sound" : "nosound"));
    }
    bool StopMedia(int32_t reason, bool mediaOpen, std::string& errorText) override
    {
        calls.push_back("StopMedia " + std::to_string(reason) + (mediaOpen ? " open" : " closed"));
        if (!stopSucceeds)
            errorText = "audio stop failed";
        return stopSucceeds;
    }
};

class FixedSeedEnvironment : public CConfDefaultEnvironment
{
public:
    uint32_t seed = 100;
    uint32_t SequenceSeed() override { return seed; }
};

class ConferenceFixture : public ::testing::Test
{
protected:
    ConferenceFixture() : session(owner, channel, media, environment)
    {
        channel.session = &session;
    }

    static ConfKey DefaultKey()
    {
        ConfKey key;
        std::copy(kDefaultBlowfishKey.begin(), kDefaultBlowfishKey.end(), key.begin());
        return key;
    }

    // A line as the server sends it under the key in use.
    void Receive(const std::string& plain)
    {
        std::string wire = CConfLineCipher(key).Encipher(plain + "\n");
        wire.pop_back();
        session.OnLine(wire.data(), wire.size());
    }

    // The lines sent since the last call, deciphered (CONNECT stays plain).
    std::vector<std::string> TakeSent()
    {
        std::vector<std::string> plain;
        for (const std::string& text : channel.sent) {
            if (text.compare(0, 8, "CONNECT\t") == 0)
                plain.push_back(text);
            else
                plain.push_back(CConfLineCipher(key).Decipher(text));
        }
        channel.sent.clear();
        return plain;
    }

    // Connected, answered and joined as user 3 with Bob (5) listed.
    void JoinAsAnn()
    {
        session.OnConnected("conf.test", 3450);
        Receive("1\tCONNECT");
        ConfJoinRecord join;
        join.conference = "lobby";
        join.clone = 2;
        join.userName = "Ann";
        session.SendJoin(join);
        Receive("2\tACCEPT\t3");
        Receive("3\tROSTERADD\t5\tBob\t1");
        Receive("4\tROSTERADD\t3\tAnn\t7");
        TakeSent();
        owner.Take();
        media.calls.clear();
        channel.calls.clear();
    }

    RecordingOwner owner;
    RecordingChannel channel;
    RecordingMedia media;
    FixedSeedEnvironment environment;
    ConfKey key = DefaultKey();
    CConferenceProtocol session;
};
