// What an engine instance needs from its platform: engine strings, the user
// agreement record, and starting the connection to the conference server.
#pragma once

#include <cstdint>
#include <string>

class IEngineServices
{
public:
    virtual ~IEngineServices() = default;

    virtual std::string String(int32_t number) = 0;
    virtual bool AgreementAccepted() = 0;
    // Resolves the host part of a page URL to a dotted address; an empty
    // text when the name cannot be resolved.
    virtual std::string ResolveHost(const std::string& host) = 0;
    // Starts connecting with the connection strategy `tunnel`; 0 when the
    // attempt is under way, else the status of the failure.
    virtual int32_t StartConnection(int32_t tunnel, const std::string& server, int32_t port) = 0;
    // A text the host frees, for the read operations (13 and 15).
    virtual void* AllocateText(const std::string& text) = 0;
};
