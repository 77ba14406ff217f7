// CDriverShell: the driver's line commands, carried out on its place.
#pragma once

#include <cstdint>
#include <string>

#include "DriverJson.h"

class CZrClientPlace;
class IZrPlaceConnection;

// How the shell reaches the server: connect, and the connection the place
// logs in through.
class IDriverConnector {
public:
    // Starts connecting; 0 when started.
    virtual int32_t Connect(const std::string& host, uint16_t port) = 0;
    virtual IZrPlaceConnection& Connection() = 0;

protected:
    ~IDriverConnector() = default;
};

// Commands, one a line: connect HOST PORT NAME, enter URL [X Y], say TEXT,
// whisper ID TEXT, move X Y, leave, tree, quit. Each prints a "result" event
// with the request's return code; an unknown or malformed command prints an
// "error" event.
class CDriverShell {
public:
    CDriverShell(CZrClientPlace& place, IDriverConnector& connector, DriverOutput output);

    // False once "quit" was read.
    bool Execute(const std::string& line);
    // The session is ready: logs in with the name given to connect.
    void OnSessionReady();

private:
    int32_t Run(const std::string& command, const std::string& rest);
    int32_t Enter(const std::string& url, const std::string& rest);
    void Result(const std::string& command, int32_t code);

    CZrClientPlace& m_place;
    IDriverConnector& m_connector;
    DriverOutput m_output;
    std::string m_name;
};
