// Word list and line from the input (split at the first newline): the
// filter must end, keep the length and agree with the literal rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../WordFilterModel.h"
#include "WordFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t newline = input.find('\n');
  if (newline == std::string::npos || input.size() > 4096) return 0;
  CWordFilter filter;
  filter.SplitCommaList(input.substr(0, newline));
  std::vector<std::string> words;
  for (size_t i = 0; i < filter.GetCount(); ++i) words.push_back(*filter.GetWord(i));
  std::string line = input.substr(newline + 1);
  std::string expected = line;
  word_filter_model::MaskAll(words, expected);
  filter.MaskAll(line);
  if (line != expected || line.size() != size - newline - 1) std::abort();
  return 0;
}
