// What the voice session asks of the program: the people page's voice
// status and rows, the local user, the ignore states and error messages.
#pragma once

#include <cstdint>
#include <string>

class IVoiceView {
 public:
  // The local user's member identifier (0 while there is none).
  virtual uint32_t LocalMember() const = 0;
  // Whether the user ignores member.
  virtual bool IsIgnored(uint32_t member) const = 0;
  // Whether the local user's avatar window carries its mark (the user has
  // the floor).
  virtual bool HasFloor() const = 0;
  // The people page's voice status text.
  virtual void ShowVoiceStatus(const std::string& text) = 0;
  // The rows of member follow its voice state anew.
  virtual void RepaintVoiceMember(uint32_t member) = 0;
  // A voice error the user must see.
  virtual void ShowVoiceError(const std::string& description) = 0;

 protected:
  ~IVoiceView() = default;
};
