// What the other browser reports back about each of its views: one record a
// view, found by the browser's window id or by the id of a load in progress,
// and the reading of the comma lists its calls carry.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CNetscapeEchoTable {
 public:
  static constexpr size_t kSize = 1024;
  // The browser's own number for "its last active window".
  static constexpr uint32_t kLastActiveWindow = 0xFFFFFFFF;

  struct Record {
    uintptr_t view = 0;  // whose window hears of the reports
    uint32_t windowId = kLastActiveWindow;
    uint32_t transactionId = 0;
    std::string url;
    std::string title;
    std::string progress;
  };

  // The index of a new record for the view; -1 when all are in use.
  int32_t Add(uintptr_t view);
  void Remove(int32_t index);
  Record* At(int32_t index);
  size_t Count() const;
  // A key of 0 matches nothing; -1 when none matches.
  int32_t IndexOfWindow(uint32_t windowId) const;
  int32_t IndexOfTransaction(uint32_t transactionId) const;
  Record* ByWindow(uint32_t windowId) { return At(IndexOfWindow(windowId)); }
  Record* ByTransaction(uint32_t transactionId) { return At(IndexOfTransaction(transactionId)); }
  // The next load's id: 1 after the counter wrapped to -1.
  uint32_t NextTransaction();

  // Field n of a comma list, without the quotes around a quoted field.
  static std::string Field(const std::string& list, int n);
  // A decimal field (a negative one taken as its 32-bit pattern); 0 when it
  // is not a number.
  static uint32_t Number(const std::string& field);
  // The window information answer: a quoted URL, a comma, a quoted title;
  // a title holding "]" is cut to what lies between "[" and "]".
  static void ParseWindowInfo(const std::string& answer, std::string& url, std::string& title);

 private:
  std::array<std::unique_ptr<Record>, kSize> m_records;
  uint32_t m_transactions = 0;
};
