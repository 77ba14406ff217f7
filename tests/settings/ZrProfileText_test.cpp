// Values written as one profile line that reads back unchanged.
#include "ZrProfileText.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
  const char* value;
  const char* line;
};

TEST(ZrProfileText, ValuesThatTheReaderWouldChangeAreQuotedOrFlattened) {
  const TextCase cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"inner blanks stay", "inner blanks stay"},
      {" lead", "\" lead\""},
      {"trail ", "\"trail \""},
      {"\"quoted\"", "\"\"quoted\"\""},
      {"\"", "\""},
      {"'single'", "\"'single'\""},
      {"'mixed\"", "'mixed\""},
      {"say \"hi\" now", "say \"hi\" now"},
      {"Bob\r\n[DLLs]\r\nResources=evil.dll", "Bob  [DLLs]  Resources=evil.dll"},
      {"tab\there", "tab\there"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(CZrProfileText::ForWrite(c.value), c.line) << c.value;
}

}  // namespace
