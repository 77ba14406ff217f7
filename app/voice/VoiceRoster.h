// The members of the voice conference the client takes part in: each
// member's place identifier, the number the voice service gave it, and
// whether it speaks now. The people page reads it to mark the rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class VoiceState { kNone, kSilent, kSpeaking };

// The voice numbers in a speaker text (decimal numbers separated by
// newlines); only the first two count. Lines that are not numbers are
// skipped.
std::vector<int32_t> ParseSpeakers(const std::string& text);

class VoiceRoster {
 public:
  struct Entry {
    uint32_t member = 0;
    int32_t voiceNumber = 0;
    bool speaking = false;
  };

  // Adds member (the decimal text of its place identifier) with its voice
  // number; the member, or none when the text is no identifier or the
  // member is already listed.
  std::optional<uint32_t> Add(int32_t voiceNumber, const std::string& memberText);
  // Removes the member with that voice number; the member, or none.
  std::optional<uint32_t> RemoveVoiceNumber(int32_t voiceNumber);
  void Clear() { m_entries.clear(); }

  // Marks as speaking the members whose voice number is among speakers
  // (all but the local user); the members whose mark changed.
  std::vector<uint32_t> SetSpeakers(const std::vector<int32_t>& speakers, uint32_t localMember);

  VoiceState StateOf(uint32_t member) const;
  const Entry* Find(uint32_t member) const;
  const std::vector<Entry>& Entries() const { return m_entries; }

 private:
  std::vector<Entry> m_entries;
};
