// The memory of the tips of the day per category, and the one text it is
// kept as in the settings: per state "<category>,<Y|N><row>;", for example
// "1,Y5;" for general tips on with row 5 shown last.
#pragma once
#include <string>
#include <vector>

struct TipState {
  int category;
  bool show;
  // Row of the tip table shown last; -1 when none was.
  int lastRow;
};

// Appends the states of text to states. Items without a comma followed by
// at least two characters are skipped; a category outside the known ones or
// a row outside the table ends the reading (states read so far stay).
void ParseTipStates(const std::string& text, std::vector<TipState>& states);
std::string FormatTipStates(const std::vector<TipState>& states);
