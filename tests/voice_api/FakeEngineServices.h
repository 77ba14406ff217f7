// Engine services for the portable tests: scripted answers, recorded
// connection attempts and host-name look-ups, and an event recorder that
// copies each event while its payload is valid.
#pragma once

#include "EngineParameterTable.h"
#include "IEngineServices.h"
#include "SonorelleIfcTypes.h"

#include <deque>
#include <string>
#include <vector>

class FakeEngineServices : public IEngineServices
{
public:
    std::string String(int32_t number) override
    {
        if (number == 225)
            return "The required \"%s\" parameter is missing.  Connection aborted.";
        return "string " + std::to_string(number);
    }
    bool AgreementAccepted() override { return agreementAccepted; }
    std::string ResolveHost(const std::string& host) override
    {
        lookups.push_back(host);
        return resolvedAddress;
    }
    int32_t StartConnection(int32_t tunnel, const std::string& server, int32_t port) override
    {
        connections.push_back({tunnel, server, port});
        return connectResult;
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

    bool agreementAccepted = true;
    std::string resolvedAddress = "10.1.2.3";
    int32_t connectResult = 0;
    std::vector<std::string> lookups;
    std::vector<Connection> connections;
    std::deque<std::string> texts;
};

struct RecordedEvent
{
    int32_t code;
    int32_t one;
    void* context;
    int32_t number;   // error code, parameter index or long payload
    std::string text; // error text, status text or text value
};

class EventRecorder
{
public:
    EventRecorder() : callback{1, this, &EventRecorder::Receive} {}

    std::vector<RecordedEvent> events;
    SonorelleIfcCallback callback;

private:
    static void Receive(SonorelleIfcEvent* event)
    {
        auto* self = static_cast<EventRecorder*>(event->context);
        RecordedEvent copy{event->code, event->one, event->context, 0, {}};
        if (event->code == 2) {
            const auto* error = static_cast<SonorelleIfcErrorPayload*>(event->payload);
            copy.number = error->code;
            copy.text = error->text;
        } else if (event->code == 1 || event->code == 3) {
            copy.text = static_cast<SonorelleIfcTextPayload*>(event->payload)->text;
        } else if (event->code == 13) {
            const auto* change = static_cast<SonorelleIfcIndexValue*>(event->payload);
            copy.number = change->index;
            const auto* info = EngineParameterTable::AtIndex(change->index);
            if (info && info->kind == EngineParamKind::Text)
                copy.text = reinterpret_cast<const char*>(change->value);
            else
                copy.text = std::to_string(change->value);
        }
        self->events.push_back(copy);
    }
};
