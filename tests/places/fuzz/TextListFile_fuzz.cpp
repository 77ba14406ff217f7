// Fuzz target of the favourites reader: any text loads, and what is saved
// loads again to the same entries and kept lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CTextListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Empty names: no file is read or written.
  CTextListFile list("", "");
  list.LoadText(text);
  const std::string saved = list.SaveText();
  CTextListFile again("", "");
  again.LoadText(saved);
  if (again.SaveText() != saved) std::abort();
  list.Add(text.substr(0, size / 2), text.substr(size / 2));
  list.Clear();
  again.Clear();
  return 0;
}
