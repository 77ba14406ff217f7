// IZrSessionOwner: what a session tells the server connection that owns it.
#pragma once

#include <cstdint>

class CZrSession;

class IZrSessionOwner {
public:
    virtual ~IZrSessionOwner() = default;

    // The default channel was set up by the server's hello.
    virtual void OnSessionReady(CZrSession& session) = 0;
    // The session ended with a reason; the owner deletes the session only
    // after the call that ended it has returned.
    virtual void OnSessionEnded(int32_t reason) = 0;
    // The reason a session ends with when its connection broke with a
    // library code and cannot be resumed.
    virtual int32_t ReasonForBroken(int32_t code) = 0;
    // Connects again to the same address; ResumeOn follows when connected.
    virtual void StartReconnect() = 0;
};
