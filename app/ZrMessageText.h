// Texts of message boxes by string number: joining the texts of two or three
// string numbers and formatting the result with the caller's arguments.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

class CZrMessageText {
 public:
  // Room that the caller's arguments may take in the formatted text.
  static constexpr size_t kArgumentRoom = 1024;

  // first, then ": " when first is longer than 2 characters, then second.
  static std::string Join(const std::string& first, const std::string& second);
  // The two-number join with third appended directly, without a separator.
  static std::string Join(const std::string& first, const std::string& second,
                          const std::string& third);

  // Formats with printf rules into a new buffer of format length + 1024
  // bytes; a longer result is cut at the end of the buffer. The buffer is
  // released with Free.
  static char* Format(const std::string& format, va_list args);
  static void Free(char* text);
};
