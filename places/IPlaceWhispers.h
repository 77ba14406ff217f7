// IPlaceWhispers: what the root place's whisper dispatch reaches besides the
// place itself: the clock of its rate limits, the developer trace, the
// settings it reads as text, and the windows that whispers open or feed
// (instant messages, identity dialogs, object transfers, event dialogs, the
// local user's pending action, the people list). The application implements
// it; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

#include "CPayload.h"

class CZrTextMessage;

class IPlaceWhispers {
public:
    // A monotonic clock in milliseconds.
    virtual uint64_t TickMs() const = 0;
    virtual void Trace(const std::string& line) = 0;
    // The away message of the settings; empty when none.
    virtual std::string GetAwayMessage() const = 0;
    // The local user's identity texts of the settings.
    virtual CIdentityTexts GetIdentityTexts() const = 0;
    // The current event text of the auditorium.
    virtual std::string GetEventText() const = 0;
    virtual bool IsInPeopleList(uint32_t person) const = 0;

    // An instant message for the conversation list to show.
    virtual void ReceiveIm(const CZrTextMessage& record, const std::string& text, const CTvlBlob& payload,
                           const std::string& displayName) = 0;
    // Identity texts for the person's open identity dialog.
    virtual void GiveIdentity(uint32_t person, const CIdentityTexts& texts) = 0;
    // A piece of an object transfer for the transfer manager.
    virtual void HandOnTransfer(uint32_t sender, const std::string& displayName, const CTvlBlob& payload) = 0;
    // Whether the payload is the data or status that answers a request of
    // the local user to the sender: such a piece passes the rate limit.
    virtual bool AwaitsTransfer(uint32_t sender, const CTvlBlob& payload) const = 0;
    virtual void OpenStageInvitation(const std::string& text, const std::string& displayName) = 0;
    // The event queue dialog (opened when needed) adds the items of the text.
    virtual void AddEventQueueItems(uint32_t sender, const std::string& text) = 0;
    // The local user's pending action: the host's invitation to speak, or none.
    virtual void SetSpeakInvitation(uint32_t host) = 0;
    virtual void ClearPendingAction() = 0;

protected:
    ~IPlaceWhispers() = default;
};
