// Feeds arbitrary lines to the conference session: each line of the input is
// given once enciphered (so the parser sees it as text) and once as it is
// (so the deciphering sees it), with the session reconnected whenever a line
// ended it. The roster must stay free of duplicates with the own user first.
#include "CConfDefaultEnvironment.h"
#include "CConfLineCipher.h"
#include "CConferenceProtocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

namespace {

class QuietOwner : public IConferenceOwner
{
public:
    void Accepted() override {}
    void Connected() override {}
    void Disconnected(int32_t, const std::string&) override {}
    void RosterAdded(const ConfUser&) override {}
    void RosterRemoved(const ConfUser&) override {}
    void IconChanged(const ConfUser&) override {}
    void NameChanged(const ConfUser&) override {}
    void ShowStatusText(const std::string&) override {}
    void ShowStatus(int32_t) override {}
    void Breakout(int32_t, int32_t, const std::string&) override {}
    void MessageReceived(int32_t, const std::string&, const std::string&) override {}
    void WarningReceived(int32_t, const std::string&, const std::string&) override {}
    void AppMessageReceived(int32_t, const std::string&, const std::string&) override {}
    void AppBroadcastReceived(int32_t, const std::string&, const std::string&) override {}
    void GagState(int32_t, int32_t, int32_t, int32_t) override {}
    void ErrorId(int32_t, int32_t, int32_t) override {}
    void ErrorText(int32_t, const std::string&, int32_t) override {}
    void ConferenceNameChanged(const std::string&) override {}
    void ConferenceCloneChanged(int32_t) override {}
    int32_t IsSoundEnabled() override { return 1; }
    void ConnectFailed() override {}
};

class LoopChannel : public IConfChannel
{
public:
    CConferenceProtocol* session = nullptr;
    bool SendText(const std::string&, int32_t&) override { return true; }
    void Close() override {}
    void StopAttempts() override {}
    bool ConnectDirect(const std::string& server, int32_t port, std::string&) override
    {
        session->OnConnected(server, port);
        return true;
    }
};

class PlainMedia : public IConfMedia
{
public:
    void AddSource(int32_t) override {}
    void RemoveSource(int32_t) override {}
    void ConnectStreamMedia(const std::string&, int32_t, const std::string&) override {}
    ConfMediaResult OpenMedia(const ConfChannelOffer& offer, int32_t, bool) override
    {
        if (offer.interval < 1 || offer.interval > 120 || offer.port < 1 || offer.port > 65533)
            std::abort();
        return {ConfMediaResult::Outcome::Ready, offer.port, "", ""};
    }
    int32_t TakeTestCount() override { return 0; }
    void MediaTested(bool) override {}
    bool StopMedia(int32_t, bool, std::string&) override { return true; }
};

void CheckRoster(const CConferenceProtocol& session)
{
    std::set<int32_t> seen;
    for (const auto& user : session.Roster()) {
        if (!seen.insert(user->User()).second || user->History().size() > ConfUser::kHistoryLimit)
            std::abort();
    }
    const auto& roster = session.Roster();
    for (size_t i = 1; i < roster.size(); ++i) {
        if (roster[i]->User() == session.OwnUser() && roster[0]->User() != session.OwnUser())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QuietOwner owner;
    LoopChannel channel;
    PlainMedia media;
    CConfDefaultEnvironment environment;
    CConferenceProtocol session(owner, channel, media, environment);
    channel.session = &session;
    // Keying is slow under the sanitizers: the server side's cipher is made once.
    static const CConfLineCipher cipher = [] {
        ConfKey key;
        std::copy(kDefaultBlowfishKey.begin(), kDefaultBlowfishKey.end(), key.begin());
        return CConfLineCipher(key);
    }();

    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        const std::string line = input.substr(start, end - start);
        if (!session.IsConnected())
            session.OnConnected("conf.test", CConferenceProtocol::kControlPort);
        std::string wire = cipher.Encipher(line);
        wire.pop_back();
        session.OnLine(wire.data(), wire.size());
        CheckRoster(session);
        if (!session.IsConnected())
            session.OnConnected("conf.test", CConferenceProtocol::kControlPort);
        session.OnLine(line.data(), line.size());
        CheckRoster(session);
        start = end + 1;
    }
    return 0;
}
