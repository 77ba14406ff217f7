// Values as one line of a private-profile file: the profile reader drops
// blanks around a value and one pair of enclosing quotes (double or single), and a line
// break would end the value and start a new line (or a new section).
#pragma once

#include <string>

class CZrProfileText {
 public:
  // The text to write so that the reader gives back value; line breaks and
  // other control characters become blanks.
  static std::string ForWrite(const std::string& value);
};
