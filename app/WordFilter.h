// The word filter: a list of lower-case words that are masked with "#" in
// chat lines where they stand as whole words.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CWordFilter {
 public:
  // Adds every non-empty comma-separated piece of text, in lower case.
  void SplitCommaList(const std::string& text);
  void ClearStringList() { m_words.clear(); }
  size_t GetCount() const { return m_words.size(); }
  // The word at index; nothing past the end.
  std::optional<std::string> GetWord(size_t index) const;

  // Masks whole-word occurrences until none is left; the length is kept.
  void MaskAll(std::string& text) const;
  // Masks one occurrence; 1 when it did, else 0. Words are tried in list
  // order; the first occurrence of a word that sits inside a longer word ends
  // the search of the text up to it, and the search goes on after it from
  // the first word again.
  int MaskOne(std::string& text) const;
  // True for index -1, an index not below the length, or a non-letter there.
  static bool IsWordBoundary(const std::string& text, std::ptrdiff_t index);

 private:
  // Words made only of "#" would match their own mask again and again.
  static bool CanMask(const std::string& word);
  int MaskFrom(std::string& text, size_t start) const;

  std::vector<std::string> m_words;
};
