// Engine services and a session for the portable tests: scripted answers,
// recorded connection attempts, host-name look-ups that finish at once or
// never, and an event recorder that copies each event while its payload is
// valid. The session's conference speaks to recording stand-ins.
#pragma once

#include "CConferenceProtocol.h"
#include "ConfCommands.h"
#include "ConfTestDoubles.h"
#include "EngineParameterTable.h"
#include "IEngineServices.h"
#include "IEngineSession.h"
#include "SonorelleIfcTypes.h"

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class FakeEngineServices : public IEngineServices, public IEngineSession
{
public:
    std::string String(int32_t number) override
    {
        if (number == 225)
            return "The required \"%s\" parameter is missing.  Connection aborted.";
        return "string " + std::to_string(number);
    }
    bool AgreementAccepted() override { return agreementAccepted; }
    std::shared_ptr<CHostLookup> StartLookup(const std::string& host) override
    {
        lookups.push_back(host);
        auto lookup = std::make_shared<CHostLookup>(host);
        if (!slowLookups)
            lookup->Finish(resolvedAddress);
        pending.push_back(lookup);
        return lookup;
    }
    bool WaitForLookup(CHostLookup& lookup, uint32_t milliseconds) override
    {
        waits.push_back(milliseconds);
        if (answerWhileWaiting)
            lookup.Finish(resolvedAddress);
        return lookup.IsDone();
    }
    void FillMachineFields(ConfJoinRecord& join) override
    {
        join.engineVersion = "2.1.0.7";
        join.soundDevice = "Speakers:1,2";
        join.driverVersion = "5.10";
        join.operatingSystem = "NT 6.1:7601";
    }
    int32_t StartConnect(int32_t tunnel, const std::string& server, int32_t port) override
    {
        connections.push_back({tunnel, server, port});
        return connectResult;
    }
    void StopConnectWait() override { ++connectWaitStops; }
    CConferenceProtocol& Conference() override { return parts->conference; }
    int32_t AudioLevel() const override { return level; }
    std::array<uint16_t, 2> Speakers() const override { return speakers; }
    void SetInputMute(bool mute) override { muted = mute; }
    bool ClaimPushToTalk(bool keyboardHook) override
    {
        pushToTalkClaims.push_back(keyboardHook);
        pushToTalkOwned = !pushToTalkTaken;
        return pushToTalkOwned;
    }
    void ReleasePushToTalk() override { pushToTalkOwned = false; }
    int32_t StartRecord(const std::string& file, int32_t format, int32_t sources) override
    {
        recordings.push_back(file + " " + std::to_string(format) + " " + std::to_string(sources));
        return recordStatus;
    }
    void StopRecord() override { recordings.push_back("stop"); }
    int32_t RegisterForRecordPacket(bool on, int32_t format, int32_t sources) override
    {
        recordings.push_back(std::string(on ? "packets " : "no packets ") +
                             std::to_string(format) + " " + std::to_string(sources));
        return recordStatus;
    }
    int32_t PlayWaveFile(const std::string& file, int32_t playId, int32_t checkFormat,
                         int32_t repeat, int32_t destination, int32_t pause) override
    {
        plays.push_back(file + " " + std::to_string(playId) + " " + std::to_string(checkFormat) +
                        " " + std::to_string(repeat) + " " + std::to_string(destination) + " " +
                        std::to_string(pause));
        return playStatus;
    }
    void StopWavePlay(bool all) override { plays.push_back(all ? "stop all" : "stop"); }
    int32_t PlayWaveResource(void* module, const char* name, const WavePlayArgs& args) override
    {
        plays.push_back(std::string("resource ") + (module ? "module " : "none ") +
                        (name ? name : "-") + " " + Describe(args));
        return playStatus;
    }
    int32_t PlayWaveArray(const SonorelleIfcVariant& array, bool image,
                          const WavePlayArgs& args) override
    {
        plays.push_back(std::string(image ? "image " : "samples ") +
                        std::to_string(array.bytes[0]) + " " + Describe(args));
        return playStatus;
    }
    static std::string Describe(const WavePlayArgs& args)
    {
        return std::to_string(args.playId) + " " + std::to_string(args.checkFormat) + " " +
               std::to_string(args.repeat) + " " + std::to_string(args.destination) + " " +
               std::to_string(args.pause);
    }
    void* AllocateText(const std::string& text) override
    {
        texts.push_back(text);
        return const_cast<char*>(texts.back().c_str());
    }

    struct Connection
    {
        int32_t tunnel;
        std::string server;
        int32_t port;
    };

    // The stand-ins behind the session's conference.
    struct Parts
    {
        Parts() : conference(owner, channel, media, environment) { channel.session = &conference; }
        RecordingOwner owner;
        RecordingChannel channel;
        RecordingMedia media;
        FixedSeedEnvironment environment;
        CConferenceProtocol conference;
    };

    bool agreementAccepted = true;
    std::string resolvedAddress = "10.1.2.3";
    bool slowLookups = false;        // look-ups finish only when a join waits, if at all
    bool answerWhileWaiting = false; // a waiting join sees the answer come
    int32_t connectResult = 0;
    int connectWaitStops = 0;
    int32_t level = -78;
    std::array<uint16_t, 2> speakers{};
    bool muted = false;
    bool pushToTalkTaken = false; // another engine window owns push-to-talk
    bool pushToTalkOwned = false;
    std::vector<bool> pushToTalkClaims;
    int32_t recordStatus = 0;
    std::vector<std::string> recordings;
    int32_t playStatus = 0;
    std::vector<std::string> plays;
    std::vector<std::string> lookups;
    std::vector<std::shared_ptr<CHostLookup>> pending;
    std::vector<uint32_t> waits;
    std::vector<Connection> connections;
    std::deque<std::string> texts;
    std::unique_ptr<Parts> parts = std::make_unique<Parts>();
};

struct RecordedEvent
{
    int32_t code;
    int32_t one;
    void* context;
    int32_t number;     // error code, parameter index, user or long payload
    std::string text;   // error text, status text, text value or sender's name
    int32_t value = 0;  // icon, flag or the first gag-state number
    std::string second; // the message of events 9, 10, 12 and 14
};

class EventRecorder
{
public:
    EventRecorder() : callback{1, this, &EventRecorder::Receive} {}

    std::vector<int32_t> Codes() const
    {
        std::vector<int32_t> codes;
        for (const auto& event : events)
            codes.push_back(event.code);
        return codes;
    }

    std::vector<RecordedEvent> events;
    SonorelleIfcCallback callback;

private:
    static void Receive(SonorelleIfcEvent* event)
    {
        auto* self = static_cast<EventRecorder*>(event->context);
        RecordedEvent copy{event->code, event->one, event->context, 0, {}, 0, {}};
        switch (event->code) {
        case 2: {
            const auto* error = static_cast<SonorelleIfcErrorPayload*>(event->payload);
            copy.number = error->code;
            copy.text = error->text;
            break;
        }
        case 1:
        case 3:
            copy.text = static_cast<SonorelleIfcTextPayload*>(event->payload)->text;
            break;
        case 4: {
            const auto* roster = static_cast<SonorelleIfcRosterPayload*>(event->payload);
            copy.number = roster->user;
            copy.text = roster->name;
            copy.value = roster->icon;
            break;
        }
        case 5:
        case 6:
        case 8:
            copy.number = static_cast<SonorelleIfcLongPayload*>(event->payload)->value;
            break;
        case 7:
        case 19: {
            const auto* named = static_cast<SonorelleIfcUserTextPayload*>(event->payload);
            copy.number = named->user;
            copy.text = named->text;
            break;
        }
        case 9:
        case 10:
        case 12:
        case 14: {
            const auto* message = static_cast<SonorelleIfcMessagePayload*>(event->payload);
            copy.number = message->user;
            copy.text = message->name;
            copy.second = message->text;
            break;
        }
        case 11:
        case 18: {
            const auto* flag = static_cast<SonorelleIfcUserLongPayload*>(event->payload);
            copy.number = flag->user;
            copy.value = flag->value;
            break;
        }
        case 13: {
            const auto* change = static_cast<SonorelleIfcIndexValue*>(event->payload);
            copy.number = change->index;
            const auto* info = EngineParameterTable::AtIndex(change->index);
            if (info && info->kind == EngineParamKind::Text)
                copy.text = reinterpret_cast<const char*>(change->value);
            else
                copy.text = std::to_string(change->value);
            break;
        }
        case 17: {
            const auto* state = static_cast<SonorelleIfcGagStatePayload*>(event->payload);
            copy.number = state->values[0];
            copy.value = state->values[1];
            copy.text = std::to_string(state->values[2]) + " " + std::to_string(state->values[3]);
            break;
        }
        default:
            break;
        }
        self->events.push_back(copy);
    }
};
