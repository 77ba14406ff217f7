// The lines a user sent from one chat input, recalled with the Up and Down
// keys: Up steps to older lines, Down back to newer ones and, past the
// newest, to the text that was being typed before recalling began.
#pragma once
#include <cstddef>
#include <deque>
#include <string>

class InputHistory {
 public:
  static constexpr size_t kMaxLines = 50;

  // A sent line becomes the newest; an empty line or a repeat of the newest
  // is not kept twice. Recalling starts again from the newest.
  void Add(const std::string& line);
  // The older line, with current the text now in the input (kept as the
  // draft when recalling begins); false when there is none.
  bool Older(const std::string& current, std::string& line);
  // The newer line, or the draft past the newest; false when not recalling.
  bool Newer(std::string& line);
  size_t Size() const { return m_lines.size(); }

 private:
  std::deque<std::string> m_lines;  // oldest first
  size_t m_position = 0;  // index of the recalled line; size when none
  std::string m_draft;
  bool m_recalling = false;
};
