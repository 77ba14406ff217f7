#include "TipStateText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "TipTable.h"

namespace {

// Leading blanks, a sign and digits, like the C library's reading of a
// number; anything else reads as 0 and a number past the int range as a
// value out of every valid range.
int ReadNumber(const std::string& text) {
  errno = 0;
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value > INT_MAX || value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// False when the item ends the reading.
bool ParseItem(const std::string& item, std::vector<TipState>& states) {
  size_t comma = item.find(',');
  if (comma == std::string::npos || item.size() - comma < 3) return true;
  int category = ReadNumber(item.substr(0, comma));
  int row = ReadNumber(item.substr(comma + 2));
  // -1 is what a state whose category has no row is written with.
  if (category < 0 || category > kTipCategoryLast || row < -1 || row >= kTipRowCount) {
    return false;
  }
  states.push_back(TipState{category, item[comma + 1] == 'Y', row});
  return true;
}

}  // namespace

void ParseTipStates(const std::string& text, std::vector<TipState>& states) {
  std::string rest = text + " ";
  size_t start = 0;
  while (start < rest.size()) {
    size_t end = rest.find(';', start);
    if (end == std::string::npos) end = rest.size();
    if (!ParseItem(rest.substr(start, end - start), states)) return;
    start = end + 1;
  }
}

std::string FormatTipStates(const std::vector<TipState>& states) {
  std::string text;
  for (const TipState& state : states) {
    text += std::to_string(state.category) + "," + (state.show ? "Y" : "N") +
            std::to_string(state.lastRow) + ";";
  }
  return text;
}
