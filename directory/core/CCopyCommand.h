// CCopyCommand: one command of the directory link, as sent and as received.
// The wire form is the text followed by one NUL; what arrives is read only
// within the record's stated size, so a sender that leaves out the NUL, or
// gives no data at all, yields a text cut at the end of its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CCopyCommand {
 public:
  CCopyCommand() = default;
  CCopyCommand(uint64_t code, std::string text) : m_code(code), m_text(std::move(text)) {}

  // The command read from a received record: data may be null (empty text);
  // the text ends at the first NUL or after size bytes.
  static CCopyCommand FromRecord(uint64_t code, const void* data, size_t size);

  uint64_t Code() const { return m_code; }
  const std::string& Text() const { return m_text; }

  // The bytes to send: the text and its terminating NUL.
  std::vector<char> Payload() const;

 private:
  uint64_t m_code = 0;
  std::string m_text;
};
