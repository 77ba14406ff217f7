// The program's side of the auditorium's event dialogs: their requests go
// through the root place to the administrator, the transcript member and
// the host who queued a question; accepting an invitation moves the local
// user onto the stage.
#pragma once

#include "IAuditoriumEventHost.h"

class CZrApp;

class CAuditoriumEventsLink : public IAuditoriumEventHost {
 public:
  explicit CAuditoriumEventsLink(CZrApp& app) : m_app(app) {}

  bool SendToAdministrator(uint16_t kind, const std::string& text) override;
  void SendAnswerToHost(uint32_t host, const std::string& text) override;
  bool SendToTranscript(const std::string& text) override;
  bool HasTranscriptMember() const override;
  std::string PlaceName() const override;
  void EnterStage(const std::string& stagePlace) override;

 private:
  CZrApp& m_app;
};
