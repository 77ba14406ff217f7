#include "VoiceRoster.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr size_t kSpeakersRead = 2;

// The decimal number of text, or none for anything else (signs, spaces,
// other characters, out of range).
template <typename Number>
std::optional<Number> DecimalOf(const std::string& text) {
  if (text.empty() || text.size() > 10 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (value > static_cast<unsigned long long>(std::numeric_limits<Number>::max())) return std::nullopt;
  return static_cast<Number>(value);
}

}  // namespace

std::vector<int32_t> ParseSpeakers(const std::string& text) {
  std::vector<int32_t> speakers;
  size_t start = 0;
  while (start <= text.size() && speakers.size() < kSpeakersRead) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const auto number = DecimalOf<int32_t>(line)) speakers.push_back(*number);
    start = end + 1;
  }
  return speakers;
}

std::optional<uint32_t> VoiceRoster::Add(int32_t voiceNumber, const std::string& memberText) {
  const auto member = DecimalOf<uint32_t>(memberText);
  if (!member || *member == 0 || Find(*member)) return std::nullopt;
  m_entries.push_back(Entry{*member, voiceNumber, false});
  return member;
}

std::optional<uint32_t> VoiceRoster::RemoveVoiceNumber(int32_t voiceNumber) {
  const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                  [voiceNumber](const Entry& entry) { return entry.voiceNumber == voiceNumber; });
  if (found == m_entries.end()) return std::nullopt;
  const uint32_t member = found->member;
  m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                 [member](const Entry& entry) { return entry.member == member; }),
                  m_entries.end());
  return member;
}

std::vector<uint32_t> VoiceRoster::SetSpeakers(const std::vector<int32_t>& speakers, uint32_t localMember) {
  std::vector<uint32_t> changed;
  for (Entry& entry : m_entries) {
    if (entry.member == localMember) continue;
    const bool speaking = std::find(speakers.begin(), speakers.end(), entry.voiceNumber) != speakers.end();
    if (speaking == entry.speaking) continue;
    entry.speaking = speaking;
    changed.push_back(entry.member);
  }
  return changed;
}

VoiceState VoiceRoster::StateOf(uint32_t member) const {
  const Entry* entry = Find(member);
  if (!entry) return VoiceState::kNone;
  return entry->speaking ? VoiceState::kSpeaking : VoiceState::kSilent;
}

const VoiceRoster::Entry* VoiceRoster::Find(uint32_t member) const {
  const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                  [member](const Entry& entry) { return entry.member == member; });
  return found == m_entries.end() ? nullptr : &*found;
}
