// Any file text: parsing must end and keep to the line rules, and the text
// written from what was read must read back to the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CZrServerList.h"

namespace {

bool HasOuterBlank(const std::string& text) {
  if (text.empty()) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  return blank(text.front()) || blank(text.back());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CZrServerList list;
  list.Load(text);
  for (const ZrServerEntry& entry : list.Entries()) {
    if (entry.name.empty() || entry.name.find('\t') != std::string::npos ||
        entry.name.find('\n') != std::string::npos || entry.address.find('\n') != std::string::npos ||
        HasOuterBlank(entry.name) || HasOuterBlank(entry.address) ||
        entry.name.size() + entry.address.size() >= CZrServerList::kMaxLineLength)
      std::abort();
  }
  CZrServerList again;
  again.Load(list.Format());
  if (again.Format() != list.Format() || again.Entries().size() != list.Entries().size()) std::abort();
  return 0;
}
