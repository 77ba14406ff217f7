#include "ChatTextCleaner.h"

#include <cctype>

std::string CleanChatText(const std::string& text) {
  std::string clean;
  clean.reserve(text.size());
  for (char c : text) {
    if (std::iscntrl(static_cast<unsigned char>(c))) {
      continue;
    }
    if (c == ' ' && (clean.empty() || clean.back() == ' ')) {
      continue;
    }
    clean.push_back(c);
  }
  return clean;
}
