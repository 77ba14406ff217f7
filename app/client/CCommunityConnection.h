// The application's link to its community server: connects to the
// community named by the application, queues the root place for its login
// and entry requests, and tells the place when the connection ends.
#pragma once

#include <string>

#include "ZrHelloCheck.h"
#include "ZrPlaceConnection.h"
#include "ZrQueuedPlace.h"
#include "ZrServerConnection.h"

// What the connection reports to the application.
class ICommunityEvents {
 public:
  // The session is ready for the login request.
  virtual void OnCommunitySessionReady() = 0;
  virtual void OnCommunityDisconnected(int32_t reason) = 0;

 protected:
  ~ICommunityEvents() = default;
};

class CCommunityConnection : public CZrServerConnection,
                             public IZrPlaceConnection,
                             public IZrHelloCheck,
                             public IZrQueuedPlace {
 public:
  CCommunityConnection(CUcmManager& manager, IZrSessionHandler& handler, ICommunityEvents& events);

  // Stores the community name and connects to it unless the connection is
  // already there (names compared without case). False when the connection
  // could not be started.
  bool SetUrl(const std::string& community);
  const std::string& Url() const { return m_url; }

  // IZrPlaceConnection
  bool IsUp() const override { return IsConnected(); }
  CZrSession* Session() const override { return CZrServerConnection::Session(); }
  void Queue(CZrClientPlace& place) override;
  void Unqueue(CZrClientPlace& place) override;
  const CZrObjectRef* FindReference(uint32_t ownerId, uint32_t kind) const override;
  const CZrObjectRef* FindReferenceByOwner(uint32_t ownerId) const override;
  const CZrObjectRef* FindReferenceByKind(uint32_t kind) const override;
  const CZrObjectRef* AddReference(CZrMessageReader& reader, uint32_t localId) override;
  std::unique_ptr<CZrObjectRef> RemoveReference(CZrMessageReader& reader) override;
  // IZrHelloCheck
  int32_t CheckHello(CZrMessageReader& reader, uint32_t& received) override;
  // IZrQueuedPlace
  void OnConnectionUp(CZrServerConnection& connection) override;

 protected:
  void OnSessionReady() override;
  void OnDisconnected(int32_t reason) override;

 private:
  ICommunityEvents& m_events;
  std::string m_url;
  CZrClientPlace* m_place = nullptr;
};
