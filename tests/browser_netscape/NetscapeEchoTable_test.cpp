// The other browser's records and the comma lists its calls carry.
#include <gtest/gtest.h>

#include "CNetscapeEchoTable.h"

TEST(NetscapeEchoTable, FieldsOfACommaList) {
  struct Case {
    const char* list;
    int n;
    const char* field;
  };
  const Case cases[] = {
      {"http://a/,,-1,0x3", 0, "http://a/"}, {"http://a/,,-1,0x3", 1, ""}, {"http://a/,,-1,0x3", 2, "-1"},
      {"\"http://a/\",\"Title\"", 1, "Title"}, {"a,b", 5, ""},            {"\"", 0, ""},
      {"\"x\"", 0, "x"},
  };
  for (const Case& c : cases) EXPECT_EQ(CNetscapeEchoTable::Field(c.list, c.n), c.field) << c.list << " " << c.n;
}

TEST(NetscapeEchoTable, Numbers) {
  EXPECT_EQ(CNetscapeEchoTable::Number("42"), 42u);
  EXPECT_EQ(CNetscapeEchoTable::Number("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(CNetscapeEchoTable::Number("4294967295"), 0xFFFFFFFFu);
  EXPECT_EQ(CNetscapeEchoTable::Number("4294967296"), 0u);
  EXPECT_EQ(CNetscapeEchoTable::Number("0x10"), 0u);
  EXPECT_EQ(CNetscapeEchoTable::Number(""), 0u);
}

TEST(NetscapeEchoTable, WindowInformation) {
  struct Case {
    const char* answer;
    const char* url;
    const char* title;
  };
  const Case cases[] = {
      {"\"http://a/\",\"Plain\"", "http://a/", "Plain"},
      {"\"http://a/\",\"Browser - [Page]\"", "http://a/", "Page"},
      {"\"http://a/\",\"odd]\"", "http://a/", "odd"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::string url, title;
    CNetscapeEchoTable::ParseWindowInfo(c.answer, url, title);
    EXPECT_EQ(url, c.url) << c.answer;
    EXPECT_EQ(title, c.title) << c.answer;
  }
}

TEST(NetscapeEchoTable, RecordsAreFoundByWindowAndLoadButNeverByZero) {
  CNetscapeEchoTable table;
  const int32_t first = table.Add(1);
  const int32_t second = table.Add(2);
  ASSERT_EQ(first, 0);
  ASSERT_EQ(second, 1);
  table.At(second)->windowId = 7;
  table.At(second)->transactionId = table.NextTransaction();
  EXPECT_EQ(table.ByWindow(7), table.At(second));
  EXPECT_EQ(table.ByWindow(CNetscapeEchoTable::kLastActiveWindow), table.At(first));
  EXPECT_EQ(table.ByTransaction(1), table.At(second));
  EXPECT_EQ(table.ByTransaction(0), nullptr);
  table.At(first)->windowId = 0;
  EXPECT_EQ(table.ByWindow(0), nullptr);
  // A freed entry is reused first.
  table.Remove(first);
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.Add(3), first);
}

TEST(NetscapeEchoTable, AFullTableRefusesAView) {
  CNetscapeEchoTable table;
  for (size_t i = 0; i < CNetscapeEchoTable::kSize; ++i) ASSERT_EQ(table.Add(i + 1), static_cast<int32_t>(i));
  EXPECT_EQ(table.Add(9999), -1);
  EXPECT_EQ(table.At(-1), nullptr);
  EXPECT_EQ(table.At(static_cast<int32_t>(CNetscapeEchoTable::kSize)), nullptr);
}
