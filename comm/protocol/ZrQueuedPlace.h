// IZrQueuedPlace: a client place waiting in the server connection's send
// queue to send its login or enter request.
#pragma once

class CZrServerConnection;

class IZrQueuedPlace {
public:
    virtual ~IZrQueuedPlace() = default;
    // The place's turn: it sends the request of its pending record through
    // the connection's session and drops the record.
    virtual void OnConnectionUp(CZrServerConnection& connection) = 0;
};
