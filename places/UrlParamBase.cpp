#include "UrlParamBase.h"

#include <cctype>
#include <cstring>

namespace {

bool IsKeyDelimiter(char c) { return c == ' ' || c == '\t' || c == '#' || c == '&' || c == '/' || c == '?'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char* const kKnownKeys[] = {"Community", "Place", "Name", "Replicated", "Directory", "Layout", "GameName", "ZRURL"};

// An '&' at `pos` that is followed by one of the place keys and '='.
bool StartsKnownKey(const std::string& text, size_t pos) {
  for (const char* key : kKnownKeys) {
    const size_t length = std::strlen(key);
    if (text.compare(pos + 1, length, key) == 0 && pos + 1 + length < text.size() && text[pos + 1 + length] == '=')
      return true;
  }
  return false;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

size_t FindKey(const std::string& text, const std::string& pattern) {
  for (size_t pos = text.find(pattern); pos != std::string::npos; pos = text.find(pattern, pos + 1)) {
    if (pos == 0 || IsKeyDelimiter(text[pos - 1])) return pos;
  }
  return std::string::npos;
}

}  // namespace

bool UrlParamBase::FindUrlParameter(const std::string& text, const char* key, std::string& value, size_t* keyPos,
                                    size_t* valueEnd) {
  const std::string pattern = std::string(key) + "=";
  const size_t pos = FindKey(text, pattern);
  if (pos == std::string::npos) return false;
  size_t begin = pos + pattern.size();
  size_t end = begin;
  if (begin < text.size() && text[begin] == '"') {
    ++begin;
    end = text.find('"', begin);
    if (end == std::string::npos) end = text.size();
    value = text.substr(begin, end - begin);
    if (end < text.size()) ++end;
  } else {
    // A page address keeps its own query; other values end at '&' or '#'.
    const bool pageValue = std::strcmp(key, "Place") == 0;
    while (end < text.size() && !IsBlank(text[end])) {
      if (text[end] == '&' && (!pageValue || StartsKnownKey(text, end))) break;
      if (text[end] == '#' && !pageValue) break;
      ++end;
    }
    value = text.substr(begin, end - begin);
  }
  if (keyPos) *keyPos = pos;
  if (valueEnd) *valueEnd = end;
  return true;
}

std::string UrlParamBase::UrlUnescape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0 && (HexValue(text[i + 1]) | HexValue(text[i + 2])) != 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

bool UrlParamBase::StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  return CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

int UrlParamBase::CompareNoCase(const std::string& a, const std::string& b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string UrlParamBase::Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}
