// CTransferFile: one object offered or asked for: who offered it and under
// which serial, its name and announced size, where it lies here (never sent)
// and, once read or received, its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CTransferFile {
  uint32_t sender = 0;
  uint32_t serial = 0;
  std::string name;
  std::string path;
  uint32_t size = 0;
  std::vector<uint8_t> data;

  // Also sets the name: the part after the last backslash.
  void SetPath(const std::string& fullPath) {
    path = fullPath;
    const size_t cut = fullPath.find_last_of('\\');
    name = cut == std::string::npos ? fullPath : fullPath.substr(cut + 1);
  }
  bool Matches(const CTransferFile& other) const { return serial == other.serial && sender == other.sender; }
};
