#include "ZrProfileText.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string CZrProfileText::ForWrite(const std::string& value) {
  std::string line = value;
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = ' ';
  }
  if (line.empty()) return line;
  const bool padded = IsBlank(line.front()) || IsBlank(line.back());
  const bool quoted = line.size() >= 2 && (line.front() == '"' || line.front() == '\'') &&
                      line.back() == line.front();
  return padded || quoted ? "\"" + line + "\"" : line;
}
