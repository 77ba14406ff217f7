// Fuzz target of the place address parsers: links, page URLs, command-line
// keys and the words of place files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CPlaceAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CPlaceAddress address(CCommunityCheck("chat.test", "chat2.test", "default.test", ""));
  address.Parse(text);
  address.Reset();
  address.ParseArgumentKeys(text);
  address.Reset();
  address.ParseWords(text);
  return 0;
}
