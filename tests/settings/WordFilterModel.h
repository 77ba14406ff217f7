// The masking rule written out literally, recursion and copies included, as
// the model that the word filter's loop is compared with.
#pragma once

#include <cctype>
#include <string>
#include <vector>

namespace word_filter_model {

inline bool Boundary(const std::string& text, long index) {
  if (index == -1 || index >= static_cast<long>(text.size())) return true;
  const char c = text[static_cast<size_t>(index)];
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
}

// Words made only of "#" are left out, as the filter does.
inline int MaskOne(const std::vector<std::string>& words, std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const std::string& word : words) {
    if (word.find_first_not_of('#') == std::string::npos) continue;
    const size_t p = lower.find(word);
    if (p == std::string::npos) continue;
    const size_t n = word.size();
    if (Boundary(text, static_cast<long>(p) - 1) && Boundary(text, static_cast<long>(p + n))) {
      text.replace(p, n, n, '#');
      return 1;
    }
    const size_t cut = p + n + 1 < text.size() ? p + n + 1 : text.size();
    std::string rest = text.substr(cut);
    const int result = MaskOne(words, rest);
    text = text.substr(0, cut) + rest;
    return result;
  }
  return 0;
}

inline void MaskAll(const std::vector<std::string>& words, std::string& text) {
  while (MaskOne(words, text)) {
  }
}

}  // namespace word_filter_model
