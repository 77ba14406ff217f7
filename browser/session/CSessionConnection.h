// The DDE server of the client's session: it serves both service names and
// hands the poked items and the requests to the session, and posts the
// session's notifications to the advise loops.
#pragma once

#include <cstdint>
#include <memory>

#include "CZrDdeServer.h"
#include "IDdeItemPoster.h"

class CDdeSession;

class CSessionConnection : public CZrDdeServer, public IDdeItemPoster
{
public:
    explicit CSessionConnection(CDdeSession& session) : m_session(session) {}
    ~CSessionConnection() override;

    // Opens with the program's instance handle and starts the service; the
    // run name is registered only when the service started.
    bool StartService(uintptr_t instance);

    // CZrDdeServerOwner
    void OnItem(std::unique_ptr<CZrDdeItem> item) override;
    bool OnRequest(CZrDdeItem& item, uint32_t parameter) override;

    // IDdeItemPoster
    void PostItem(CZrDdeItem& item) override { CZrDdeServer::PostItem(item); }

private:
    CDdeSession& m_session;
};
