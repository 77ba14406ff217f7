#include "CZrUrlText.h"

#include <algorithm>

namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool EndsCandidate(char c) { return c == ' ' || c == '#' || c == '&' || c == '/' || c == '?'; }
bool EndsValue(char c) { return c == ' ' || c == '#' || c == '&' || c == '?'; }

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool EqualNoCaseN(const std::string& a, const std::string& b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::string TrimRight(std::string text) {
  while (!text.empty() && IsWhite(text.back())) text.pop_back();
  return text;
}

// The text without its first ":8080", or without its first ":80" when it has
// no ":8080".
std::string WithoutDefaultPort(const std::string& url) {
  std::string text = url;
  size_t pos = text.find(":8080");
  if (pos != std::string::npos) return text.erase(pos, 5);
  pos = text.find(":80");
  if (pos != std::string::npos) text.erase(pos, 3);
  return text;
}

std::string WithoutTrailingSlash(const std::string& url) {
  if (url.empty() || url.back() != '/') return url;
  return TrimRight(url.substr(0, url.size() - 1));
}

// The value that starts at `begin` in `work` (the text with one blank
// appended).
std::string ValueAt(const std::string& work, size_t begin) {
  if (begin < work.size() && work[begin] == '"') {
    const size_t open = begin + 1;
    size_t close = work.find('"', open);
    if (close == std::string::npos) close = work.size() - 1;
    return work.substr(open, close - open);
  }
  size_t end = begin;
  while (end < work.size() && !EndsValue(work[end])) ++end;
  return work.substr(begin, end - begin);
}

}  // namespace

bool CZrUrlText::StartsWithNoCase(const std::string& key, size_t minimum, const std::string& candidate) {
  if (candidate.size() < minimum) return false;
  return EqualNoCaseN(key, candidate, std::min(key.size(), candidate.size()));
}

bool CZrUrlText::StartsWithTrimmed(const std::string& prefix, const std::string& text) {
  const std::string trimmedPrefix = Trim(prefix);
  return Trim(text).compare(0, trimmedPrefix.size(), trimmedPrefix) == 0;
}

bool CZrUrlText::FindUrlParameter(const std::string& text, const std::string& key, size_t minimum,
                                  std::string& value, size_t* keyPos) {
  const std::string work = text + " ";
  size_t rest = 0;
  for (size_t equals = work.find('=', rest); equals != std::string::npos; equals = work.find('=', rest)) {
    size_t start = equals;
    while (start > rest && !EndsCandidate(work[start - 1])) --start;
    if (StartsWithNoCase(key, minimum, work.substr(start, equals - start))) {
      value = ValueAt(work, equals + 1);
      if (keyPos) *keyPos = start;
      return true;
    }
    rest = equals + 1;
  }
  return false;
}

void CZrUrlText::UrlUnescape(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const int high = (c == '%' && i + 2 < text.size()) ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (c == '+') {
      out += ' ';
    } else if (low >= 0 && (high | low) != 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += c;
    }
  }
  text.swap(out);
}

bool CZrUrlText::ParseYesNo(const std::string& text, int& flag) {
  if (StartsWithNoCase("Yes", 1, text)) {
    flag = 1;
    return true;
  }
  if (StartsWithNoCase("No", 1, text)) {
    flag = 0;
    return true;
  }
  return false;
}

bool CZrUrlText::UrlsEqual(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return EqualNoCase(WithoutDefaultPort(a), WithoutDefaultPort(b));
}

bool CZrUrlText::UrlsEqualLoose(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return WithoutTrailingSlash(a) == WithoutTrailingSlash(b);
}

bool CZrUrlText::EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && EqualNoCaseN(a, b, a.size());
}

std::string CZrUrlText::Trim(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size() && IsWhite(text[begin])) ++begin;
  return TrimRight(text.substr(begin));
}
