// The program's side of an auditorium event: what the administrator
// announces (the participation kinds and the welcome), the votes, queue
// items and stage invitations that hosts send, and the participate command.
// Each opens or feeds its dialog. It carries out the auditorium's commands
// of the menus that it knows (participate, download the transcript, the
// seat map); the others stay disabled.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AuditoriumSeating.h"

#include "EventParticipation.h"
#include "IAuditoriumEventHost.h"
#include "IAuditoriumSeatHost.h"
#include "ICommandTarget.h"

class CWnd;

class CAuditoriumEvents : public ICommandTarget {
 public:
  // parent: the window that owns the dialogs.
  CAuditoriumEvents(IAuditoriumEventHost& host, IAuditoriumSeatHost& seats, std::function<CWnd*()> parent);

  void OnAnnouncement(const std::string& text);
  void OnWelcomePicture(const uint8_t* bytes, size_t length);
  // The name of participation kind 1 to 6; empty when the event has none.
  std::string KindName(int number) const { return m_participation.KindName(number); }
  void OnVoteDefinition(const std::string& text);
  void CloseVote();
  void OnQueueText(uint32_t sender, const std::string& text);
  void OnInvitation(const std::string& inviter, const std::string& stagePlace);
  // "Interact with Guest" and the person menu's PARTICIPATE.
  void OpenParticipate();
  // "Change Auditorium Seat": the seat map.
  void OpenSeatMap();
  bool SeatMapOpen() const;
  // The place's report of a row's seated members, for an open seat map.
  void OnSeatReport(uint32_t rowId, const std::vector<AuditoriumSeating::SeatedMember>& members);
  // The administrator has announced the kinds of participation.
  bool HasKinds() const { return !m_participation.Kinds().empty(); }
  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;
  // The administrator left or the connection ended: the event is over.
  void Reset();

 private:
  IAuditoriumEventHost& m_host;
  IAuditoriumSeatHost& m_seats;
  std::function<CWnd*()> m_parent;
  EventParticipation m_participation;
};
