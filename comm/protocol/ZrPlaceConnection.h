// IZrPlaceConnection: the server connection as the client place and the
// protocol handler see it.
#pragma once

#include <cstdint>
#include <memory>

#include "ZrObjectRef.h"

class CZrClientPlace;
class CZrMessageReader;
class CZrSession;

// The server connection implements this (or an adapter does for it): its
// state, its session, its send queue of places and its list of object
// references.
class IZrPlaceConnection {
public:
    // The session is up (state 5) or being resumed (state 6).
    virtual bool IsUp() const = 0;
    // The protocol session, or nullptr before the first frame.
    virtual CZrSession* Session() const = 0;
    // Puts the place at the end of the send queue, once; when its turn comes
    // the connection calls the place's OnConnectionUp.
    virtual void Queue(CZrClientPlace& place) = 0;
    virtual void Unqueue(CZrClientPlace& place) = 0;

    // References: the first match in list order, or nullptr.
    virtual const CZrObjectRef* FindReference(uint32_t ownerId, uint32_t kind) const = 0;
    virtual const CZrObjectRef* FindReferenceByOwner(uint32_t ownerId) const = 0;
    virtual const CZrObjectRef* FindReferenceByKind(uint32_t kind) const = 0;
    // Message 26: reads a reference and keeps it; nullptr when unreadable.
    virtual const CZrObjectRef* AddReference(CZrMessageReader& reader, uint32_t localId) = 0;
    // Message 27: reads an owner id and takes its reference out; nullptr
    // when unreadable or unknown.
    virtual std::unique_ptr<CZrObjectRef> RemoveReference(CZrMessageReader& reader) = 0;

protected:
    ~IZrPlaceConnection() = default;
};
