#include "ZrMessageText.h"

#include <cstdio>

namespace {

constexpr size_t kNoSeparatorLength = 2;
constexpr char kSeparator[] = ": ";

}  // namespace

std::string CZrMessageText::Join(const std::string& first, const std::string& second) {
  std::string joined = first;
  if (first.size() > kNoSeparatorLength) joined += kSeparator;
  joined += second;
  return joined;
}

std::string CZrMessageText::Join(const std::string& first, const std::string& second,
                                 const std::string& third) {
  return Join(first, second) + third;
}

char* CZrMessageText::Format(const std::string& format, va_list args) {
  const size_t size = format.size() + kArgumentRoom;
  char* text = new char[size];
  // Bounded: arguments longer than the room are cut rather than written past
  // the end of the buffer.
  const int written = std::vsnprintf(text, size, format.c_str(), args);
  if (written < 0) text[0] = '\0';
  return text;
}

void CZrMessageText::Free(char* text) { delete[] text; }
