#include "CPlaceAddress.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <utility>

namespace {

// The client's own place scheme (string 561 of the resource library).
const char kPlaceScheme[] = "ZR://";

// A whole decimal number with an optional sign that fits 32 bits.
bool ParseInt32(const std::string& text, int32_t& out) {
  if (text.empty() || text.size() > 12) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(begin, &end, 10);
  if (end == begin || *end != '\0' || errno != 0 || value < INT32_MIN || value > INT32_MAX) return false;
  if (text[0] == ' ' || text[0] == '\t') return false;
  out = static_cast<int32_t>(value);
  return true;
}

bool IsPageDelimiter(char c) { return c == '?' || c == '&' || c == '#' || c == ' ' || c == '\t'; }

std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

// The value of `key` at the start of a word "Key=value", the text after the
// key's own '='.
bool WordValue(const std::string& word, const char* key, std::string& value) {
  const std::string prefix = std::string(key) + "=";
  if (word.compare(0, prefix.size(), prefix) != 0) return false;
  value = word.substr(prefix.size());
  return true;
}

}  // namespace

CPlaceAddress::CPlaceAddress(CCommunityCheck check) : m_check(std::move(check)) {}

void CPlaceAddress::Reset() {
  m_community.clear();
  m_validatedCommunity.clear();
  m_place.clear();
  m_replicated = 0;
  m_replicaType = 1;
  m_name.clear();
  m_directory = 0;
  m_layout = kLayoutNotSet;
  m_gameName.clear();
}

int32_t CPlaceAddress::LayoutFromName(const std::string& text) {
  static const char* const kNames[] = {"Classic", "Browser", "Avatars", "Text"};
  for (int32_t layout = 0; layout < 4; ++layout) {
    if (StartsWithNoCase(text, kNames[layout])) return layout;
  }
  return kLayoutNotSet;
}

bool CPlaceAddress::ParseUrl(const std::string& text, std::string& page, std::string& rest, int& isLink) {
  isLink = 0;
  const std::string trimmed = Trim(text);
  if (StartsWithNoCase(trimmed, kPlaceScheme)) {
    isLink = 1;
    rest = text;
    return true;
  }
  std::string value;
  size_t keyPos = 0;
  size_t valueEnd = 0;
  if (!FindUrlParameter(text, "ZRURL", value, &keyPos, &valueEnd) || value != "1") return false;
  page = text.substr(0, keyPos);
  if (!page.empty() && IsPageDelimiter(page.back())) page.pop_back();
  const std::string after = text.substr(valueEnd);
  const size_t query = after.find('?');
  if (query == std::string::npos) {
    rest = after;
  } else {
    rest = after.substr(0, query);
    page += after.substr(query);
  }
  return true;
}

bool CPlaceAddress::Parse(const std::string& text) {
  Reset();
  std::string page;
  std::string rest;
  int isLink = 0;
  if (!ParseUrl(text, page, rest, isLink)) return false;
  std::string value;
  if (isLink) {
    std::string place;
    FindUrlParameter(rest, "Place", place);
    // A link written with one slash after the scheme name gets the second.
    if (place.compare(0, 6, "http:/") == 0 && place.compare(0, 7, "http://") != 0)
      place = "http://" + place.substr(6);
    SetPlace(UrlUnescape(place));
  } else {
    SetPlace(UrlUnescape(page));
  }
  if (FindUrlParameter(rest, "Community", value)) SetCommunity(value);
  if (FindUrlParameter(rest, "Name", value)) m_name = value;
  if (FindUrlParameter(rest, "Replicated", value)) {
    m_replicated = 1;
    int32_t type = 1;
    m_replicaType = ParseInt32(value, type) && type >= 0 ? type : 1;
  }
  if (FindUrlParameter(rest, "Directory", value)) SetDirectory(value);
  if (FindUrlParameter(rest, "Layout", value)) m_layout = LayoutFromName(value);
  if (FindUrlParameter(rest, "GameName", value)) {
    if (!value.empty() && value.back() == '/') value.pop_back();
    m_gameName = value;
  }
  return true;
}

bool CPlaceAddress::ParseArgument(const std::string& text) {
  Reset();
  const std::string trimmed = Trim(text);
  if (ParseArgumentKeys(trimmed) || trimmed.empty()) return true;
  return ParseFile(Unquote(trimmed));
}

bool CPlaceAddress::ParseArgumentKeys(const std::string& text) {
  std::string value;
  if (FindUrlParameter(text, "Community", value)) SetCommunity(value);
  if (FindUrlParameter(text, "Place", value)) SetPlace(value);
  if (FindUrlParameter(text, "Name", value)) m_name = value;
  bool heldDirectoryOrLayout = false;
  if (FindUrlParameter(text, "Directory", value)) {
    SetDirectory(value);
    heldDirectoryOrLayout = true;
  }
  if (FindUrlParameter(text, "Layout", value)) {
    m_layout = LayoutFromName(value);
    heldDirectoryOrLayout = true;
  }
  return heldDirectoryOrLayout;
}

bool CPlaceAddress::ParseFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  // One byte past the cap tells a file that is too long from one that fits.
  std::string text(kMaxFileBytes + 1, '\0');
  file.read(&text[0], static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(file.gcount()));
  if (file.bad() || text.size() > kMaxFileBytes) return false;
  ParseWords(text);
  return true;
}

void CPlaceAddress::ParseWords(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size()) {
    pos = text.find_first_not_of(" \t\r\n", pos);
    if (pos == std::string::npos) break;
    size_t end = text.find_first_of(" \t\r\n", pos);
    if (end == std::string::npos) end = text.size();
    ApplyWord(text.substr(pos, end - pos));
    pos = end;
  }
}

void CPlaceAddress::ApplyWord(const std::string& word) {
  std::string value;
  if (WordValue(word, "Community", value))
    SetCommunity(value);
  else if (WordValue(word, "Place", value))
    SetPlace(value);
  else if (WordValue(word, "Directory", value))
    SetDirectory(value);
  else if (WordValue(word, "Layout", value))
    m_layout = LayoutFromName(value);
}

void CPlaceAddress::SetCommunity(const std::string& community) {
  m_community = m_check.Check(community, m_validatedCommunity);
}

void CPlaceAddress::SetDirectory(const std::string& value) { ParseInt32(value, m_directory); }

void CPlaceAddress::SetPlace(const std::string& place) { m_place = place; }
