// What the auditorium's event dialogs ask of the program: the requests to
// the administrator and the transcript member of the current place, the
// answer to the host who queued a question, and the move onto the stage.
#pragma once

#include <cstdint>
#include <string>

class IAuditoriumEventHost {
 public:
  // Kinds of the requests to the event's services.
  static constexpr uint16_t kAddRequest = 1;
  static constexpr uint16_t kTranscriptRequest = 2;
  static constexpr uint16_t kVoteRequest = 3;
  static constexpr uint16_t kAnswerRequest = 4;

  // Sends the text to the place's administrator member; an answer may go to
  // any member of the administrator class when the place keeps none. False,
  // and nothing sent, when there is no administrator.
  virtual bool SendToAdministrator(uint16_t kind, const std::string& text) = 0;
  // The answer to a queued question, back to the host who queued it.
  virtual void SendAnswerToHost(uint32_t host, const std::string& text) = 0;
  // The transcript request to the place's transcript member; false when the
  // place has none.
  virtual bool SendToTranscript(const std::string& text) = 0;
  virtual bool HasTranscriptMember() const = 0;
  // The name of the current place.
  virtual std::string PlaceName() const = 0;
  // The local user accepted the invitation onto the stage of that place.
  virtual void EnterStage(const std::string& stagePlace) = 0;

 protected:
  ~IAuditoriumEventHost() = default;
};
