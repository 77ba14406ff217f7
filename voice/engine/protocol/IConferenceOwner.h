// What the conference session reports to its owner, the engine window, in
// the owner's slot order.
#pragma once

#include "ConfUser.h"

#include <cstdint>
#include <string>

class IConferenceOwner
{
public:
    virtual ~IConferenceOwner() = default;

    virtual void Accepted() = 0;
    // The server answered CONNECT: the owner sends JOIN.
    virtual void Connected() = 0;
    virtual void Disconnected(int32_t reason, const std::string& text) = 0;
    virtual void RosterAdded(const ConfUser& user) = 0;
    virtual void RosterRemoved(const ConfUser& user) = 0;
    virtual void IconChanged(const ConfUser& user) = 0;
    virtual void NameChanged(const ConfUser& user) = 0;
    virtual void ShowStatusText(const std::string& text) = 0;
    virtual void ShowStatus(int32_t stringNumber) = 0;
    // kind: 0 invitation, 1 accepted, 2 rejected.
    virtual void Breakout(int32_t user, int32_t kind, const std::string& conference) = 0;
    virtual void MessageReceived(int32_t user, const std::string& name,
                                 const std::string& text) = 0;
    virtual void WarningReceived(int32_t user, const std::string& name,
                                 const std::string& text) = 0;
    virtual void AppMessageReceived(int32_t user, const std::string& name,
                                    const std::string& text) = 0;
    virtual void AppBroadcastReceived(int32_t user, const std::string& name,
                                      const std::string& text) = 0;
    virtual void GagState(int32_t a, int32_t b, int32_t c, int32_t d) = 0;
    virtual void ErrorId(int32_t code, int32_t stringNumber, int32_t zero) = 0;
    virtual void ErrorText(int32_t code, const std::string& text, int32_t zero) = 0;
    virtual void ConferenceNameChanged(const std::string& name) = 0;
    virtual void ConferenceCloneChanged(int32_t clone) = 0;
    virtual int32_t IsSoundEnabled() = 0;
    virtual void ConnectFailed() = 0;
};
