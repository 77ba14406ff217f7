// The command interpreter shared by the conn_probe programs: a server
// connection with a stand-in protocol handler, driven by text commands, that
// prints what happens as one line per event on stdout.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ZrServerAddress.h"
#include "ZrServerConnection.h"
#include "ZrSessionHandler.h"

class CUcmManager;

// Commands, one a line:
//   connect HOST
//   proxy KIND HOST PORT [auth USER PASSWORD] [user USER] [option N] [target PORT]
//   say COUNT [SIZE]     COUNT type-35 texts "m<n>:" padded to SIZE bytes
//   disconnect
//   quit
// Events: READY, HELLO <refs> <items> <window>, RESUMED <received>,
// MESSAGE <type> <hex>, DISCONNECTED <reason>, SENT <n>, LOG <text>.
class CConnProbe : private IZrSessionHandler {
public:
    explicit CConnProbe(CUcmManager& manager);
    ~CConnProbe() override;

    // False once "quit" was read.
    bool Execute(const std::string& line);
    bool Running() const { return m_running; }
    static void Print(const char* format, ...);

private:
    class Connection : public CZrServerConnection {
    public:
        using CZrServerConnection::CZrServerConnection;

    protected:
        void OnSessionReady() override;
        void OnDisconnected(int32_t reason) override;
    };

    void OnSessionOpened(CZrSession& session) override;
    void OnSessionClosed(CZrSession& session, int32_t reason) override;
    int32_t OnHello(CZrChannel& channel, CZrMessageReader& reader) override;
    int32_t OnResumedHello(CZrChannel& channel, CZrMessageReader& reader, uint32_t& received) override;
    ZrProtocolError OnChannelMessage(CZrChannel& channel, CZrMessageReader& reader) override;
    ZrProtocolError OnRefusedMessage(CZrChannel& defaultChannel, CZrMessageReader& reader) override;
    void OnChannelOpened(CZrChannel& defaultChannel, CZrChannel& channel) override;
    void OnChannelOffer(CZrChannel& defaultChannel, uint32_t id, uint32_t value, const std::string& name,
                        CZrMessageReader& reader) override;

    void SetProxy(const std::string& arguments);
    void Say(uint32_t count, uint32_t size);

    std::unique_ptr<Connection> m_connection;
    CZrServerAddress m_settings;
    uint32_t m_said = 0;
    bool m_running = true;
};
