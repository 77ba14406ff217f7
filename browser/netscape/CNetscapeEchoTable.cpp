#include "CNetscapeEchoTable.h"

#include <cstdlib>

int32_t CNetscapeEchoTable::Add(uintptr_t view) {
  for (size_t i = 0; i < kSize; ++i) {
    if (m_records[i]) continue;
    m_records[i] = std::make_unique<Record>();
    m_records[i]->view = view;
    return static_cast<int32_t>(i);
  }
  return -1;
}

void CNetscapeEchoTable::Remove(int32_t index) {
  if (index >= 0 && static_cast<size_t>(index) < kSize) m_records[index].reset();
}

CNetscapeEchoTable::Record* CNetscapeEchoTable::At(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= kSize) return nullptr;
  return m_records[index].get();
}

size_t CNetscapeEchoTable::Count() const {
  size_t count = 0;
  for (const auto& record : m_records) count += record ? 1 : 0;
  return count;
}

int32_t CNetscapeEchoTable::IndexOfWindow(uint32_t windowId) const {
  if (windowId == 0) return -1;
  for (size_t i = 0; i < kSize; ++i)
    if (m_records[i] && m_records[i]->windowId == windowId) return static_cast<int32_t>(i);
  return -1;
}

int32_t CNetscapeEchoTable::IndexOfTransaction(uint32_t transactionId) const {
  if (transactionId == 0) return -1;
  for (size_t i = 0; i < kSize; ++i)
    if (m_records[i] && m_records[i]->transactionId == transactionId) return static_cast<int32_t>(i);
  return -1;
}

uint32_t CNetscapeEchoTable::NextTransaction() {
  m_transactions = m_transactions == 0xFFFFFFFF ? 1 : m_transactions + 1;
  return m_transactions;
}

std::string CNetscapeEchoTable::Field(const std::string& list, int n) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    const size_t comma = list.find(',', start);
    if (comma == std::string::npos) return std::string();
    start = comma + 1;
  }
  const size_t end = list.find(',', start);
  std::string field = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (!field.empty() && field.front() == '"') field = field.size() >= 2 ? field.substr(1, field.size() - 2) : "";
  return field;
}

uint32_t CNetscapeEchoTable::Number(const std::string& field) {
  if (field.empty()) return 0;
  char* end = nullptr;
  const long long value = std::strtoll(field.c_str(), &end, 10);
  const bool fits = value >= -0x80000000ll && value <= 0xFFFFFFFFll;
  return *end == '\0' && fits ? static_cast<uint32_t>(value) : 0;
}

void CNetscapeEchoTable::ParseWindowInfo(const std::string& answer, std::string& url, std::string& title) {
  url = Field(answer, 0);
  title = Field(answer, 1);
  const size_t close = title.find(']');
  if (close == std::string::npos) return;
  const size_t open = title.find('[');
  const size_t from = open == std::string::npos || open > close ? 0 : open + 1;
  title = title.substr(from, close - from);
}
