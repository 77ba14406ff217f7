// The application's small dialogs: About, the audio/video program, open
// location, the warning that arrived, and the three modeless prompts (room
// is full, private room, event invitee) with their work in the program.
#pragma once
#include <windows.h>

#include <string>

#include "IInviteeOwner.h"
#include "IPrivateRoomOwner.h"
#include "IRoomFullOwner.h"

class CDialog;
class CZrApp;

class CSmallDialogs : public IRoomFullOwner, public IPrivateRoomOwner, public IInviteeOwner {
 public:
  // The tip shown once the room-full prompt is gone.
  static constexpr int kObservingTip = 5;
  // The places manager's page of the Places button.
  static constexpr LPARAM kPlacesPage = 2;

  explicit CSmallDialogs(CZrApp& app) : m_app(app) {}
  CSmallDialogs(const CSmallDialogs&) = delete;
  CSmallDialogs& operator=(const CSmallDialogs&) = delete;

  void RunAbout();
  void RunCallProgram();
  void RunOpenLocation();
  void OpenPrivateRoom();
  void OpenInviteeSelection();
  // A warning that arrived from the host, shown modally.
  void ShowWarning(const std::string& text);
  // The prompt after an entry into a full room (outside auditoriums, while
  // connected); brought to the top when it is open.
  void ShowRoomFull();

  // IRoomFullOwner
  bool OffersSimilarRoom() const override;
  bool IsTourTooLarge() const override;
  void GoToSimilarRoom() override;
  void ShowPlaces() override;
  void OnRoomFullClosed() override;
  // IPrivateRoomOwner
  void EnterPrivateRoom(const std::string& name) override;
  void OnPrivateRoomClosed() override;
  // IInviteeOwner
  void Invite(const std::string& name) override;
  void Uninvite(const std::string& name) override;
  void OnInviteeClosed() override;

 private:
  int RunModal(CDialog& dialog);
  bool IsEventHost() const;
  void ActivateMainWindow();

  CZrApp& m_app;
  CDialog* m_roomFull = nullptr;
  CDialog* m_privateRoom = nullptr;
  CDialog* m_invitee = nullptr;
};
