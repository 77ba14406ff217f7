// The application's side of the DDE session: it makes the session and its
// DDE server at start-up, ends them at exit, and carries out what the
// session asks of the application.
#pragma once

#include <memory>

#include "CDdeSession.h"
#include "IDdeSessionHost.h"

class CTvlBlob;

class CSessionConnection;
class CZrApp;

class CDdeSessionHost : public IDdeSessionHost {
 public:
  explicit CDdeSessionHost(CZrApp& app);
  // The server stops before the session and its queue go.
  ~CDdeSessionHost();
  CDdeSessionHost(const CDdeSessionHost&) = delete;
  CDdeSessionHost& operator=(const CDdeSessionHost&) = delete;

  CDdeSession& Session() { return m_session; }

  // IDdeSessionHost
  CZrClientPlace* GetRootPlace() override;
  unsigned GetIndicatorState() const override;
  std::string GetCommunityName() const override;
  std::string GetCurrentAddress() const override;
  std::string LoadText(uint32_t id) const override;
  void ConnectCommunity(const std::string& community) override;
  void Navigate(const std::string& url) override;
  void ToggleObserve() override;
  void StartVoiceSession() override;
  CZrPosition GetAvatarPosition() const override;
  void StartTour(const std::string& name, uint32_t kind, const ZrDdeBytes& picture) override;
  void StopVoiceAndGoBack() override;
  void JoinGroup(CZrObject& group) override;
  void SendOwnPosition() override;
  void StoreIdentity(const CDdeIdentity& identity) override;
  bool SetOwnPicture(const ZrDdeBytes& bytes) override;
  ZrDdeBytes EncodePicture(CZrObject& object) override;

 private:
  std::unique_ptr<CTvlBlob> TourPicture(uint32_t kind, const ZrDdeBytes& bytes);

  CZrApp& m_app;
  CDdeSession m_session;
  std::unique_ptr<CSessionConnection> m_connection;
};
