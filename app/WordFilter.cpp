#include "WordFilter.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

constexpr char kMask = '#';

std::string Lower(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

void CWordFilter::SplitCommaList(const std::string& text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    if (comma > start) m_words.push_back(Lower(text.substr(start, comma - start)));
    start = comma + 1;
  }
}

std::optional<std::string> CWordFilter::GetWord(size_t index) const {
  if (index >= m_words.size()) return std::nullopt;
  return m_words[index];
}

void CWordFilter::MaskAll(std::string& text) const {
  while (MaskOne(text)) {
  }
}

int CWordFilter::MaskOne(std::string& text) const { return MaskFrom(text, 0); }

bool CWordFilter::IsWordBoundary(const std::string& text, std::ptrdiff_t index) {
  if (index == -1 || index >= static_cast<std::ptrdiff_t>(text.size())) return true;
  return index < 0 || !IsAsciiLetter(text[static_cast<size_t>(index)]);
}

bool CWordFilter::CanMask(const std::string& word) {
  return word.find_first_not_of(kMask) != std::string::npos;
}

// The search restarts behind an inner occurrence by moving the start instead
// of filtering the rest of the text recursively: a long line cannot exhaust
// the stack, and the rest is never copied. The start counts as a word
// boundary, as the start of a separate text would. Each word's next
// occurrence is remembered while the start has not passed it, so a line is
// scanned about once per word.
int CWordFilter::MaskFrom(std::string& text, size_t start) const {
  const std::string lower = Lower(text);
  std::vector<size_t> next(m_words.size(), 0);
  std::vector<bool> searched(m_words.size(), false);
  while (start < text.size()) {
    size_t tried = 0;
    for (; tried < m_words.size(); ++tried) {
      const std::string& word = m_words[tried];
      if (!CanMask(word)) continue;
      if (!searched[tried] || (next[tried] != std::string::npos && next[tried] < start)) {
        next[tried] = lower.find(word, start);
        searched[tried] = true;
      }
      const size_t p = next[tried];
      if (p == std::string::npos) continue;
      const size_t n = word.size();
      const bool before = p == start || IsWordBoundary(text, static_cast<std::ptrdiff_t>(p) - 1);
      if (before && IsWordBoundary(text, static_cast<std::ptrdiff_t>(p + n))) {
        text.replace(p, n, n, kMask);
        return 1;
      }
      start = std::min(p + n + 1, text.size());
      break;
    }
    if (tried == m_words.size()) return 0;
  }
  return 0;
}
