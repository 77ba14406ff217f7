// Received command records and start arguments of any bytes are read without
// reading past their size, and the text rules never fail on them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CCopyCommand.h"
#include "CStartArguments.h"
#include "DirectoryText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CCopyCommand command = CCopyCommand::FromRecord(1553, data, size);
  if (command.Text().size() > size) {
    __builtin_trap();
  }
  std::string text(reinterpret_cast<const char*>(data), size);
  CStartArguments arguments;
  arguments.Parse(text);
  if (arguments.DisplayTitle().size() > CStartArguments::kMaxTitle + 16) {
    __builtin_trap();
  }
  zr::directory::ParseWindowPlace(text);
  zr::directory::StatusTextForDisplay(text);
  zr::directory::PageAddressesEqual(text, command.Text());
  return 0;
}
