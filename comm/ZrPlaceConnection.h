// IZrPlaceConnection and IZrQueuedPlace: the server connection as the client
// place sees it.
#pragma once

class CZrReferenceList;
class CZrSession;
class IZrPlaceConnection;

// A place waiting in the server connection's send queue.
class IZrQueuedPlace {
public:
    // The socket is idle and this place is first in the queue; the
    // connection has already taken it off the queue.
    virtual void OnConnectionUp(IZrPlaceConnection& connection) = 0;

protected:
    ~IZrQueuedPlace() = default;
};

// The server connection implements this for the client place: its state,
// its session, its send queue of places and its list of object references.
class IZrPlaceConnection {
public:
    // The session is up (state 5) or being resumed (state 6).
    virtual bool IsUp() const = 0;
    // The protocol session, or nullptr before the first frame.
    virtual CZrSession* Session() const = 0;
    // Puts the place at the end of the send queue; a place already queued
    // stays where it is.
    virtual void Queue(IZrQueuedPlace& place) = 0;
    virtual void Unqueue(IZrQueuedPlace& place) = 0;
    // References that the server's hello and message types 26/27 give.
    virtual CZrReferenceList& References() = 0;

protected:
    ~IZrPlaceConnection() = default;
};
