#include "CCopyCommand.h"

#include <cstring>

CCopyCommand CCopyCommand::FromRecord(uint64_t code, const void* data, size_t size) {
  if (!data || size == 0) {
    return CCopyCommand(code, std::string());
  }
  const char* bytes = static_cast<const char*>(data);
  const void* nul = std::memchr(bytes, '\0', size);
  size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : size;
  return CCopyCommand(code, std::string(bytes, length));
}

std::vector<char> CCopyCommand::Payload() const {
  std::vector<char> bytes(m_text.begin(), m_text.end());
  bytes.push_back('\0');
  return bytes;
}
