#include "ZrPrivateProfile.h"

#include <windows.h>

#include <vector>

#include "ZrProfileText.h"

namespace {

constexpr DWORD kFirstBufferSize = 256;
constexpr DWORD kLargestBufferSize = 1 << 20;

// The whole value: the buffer grows while the reader fills it to the brim
// (it cuts a longer value silently).
std::string ReadWhole(const char* file, const char* section, const char* key) {
  for (DWORD size = kFirstBufferSize; size <= kLargestBufferSize; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetPrivateProfileStringA(section, key, "", buffer.data(), size, file);
    if (length < size - 1) return std::string(buffer.data(), length);
  }
  return std::string();
}

}  // namespace

std::string CZrPrivateProfile::ReadString(const std::string& file, const std::string& section,
                                          const std::string& key) {
  return ReadWhole(file.c_str(), section.c_str(), key.c_str());
}

int32_t CZrPrivateProfile::ReadInt(const std::string& file, const std::string& section,
                                   const std::string& key, int32_t defaultValue) {
  return static_cast<int32_t>(
      GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str()));
}

bool CZrPrivateProfile::WriteString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  const std::string line = CZrProfileText::ForWrite(value);
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), line.c_str(), file.c_str()) != 0;
}

bool CZrPrivateProfile::DeleteKey(const std::string& file, const std::string& section,
                                  const std::string& key) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str()) != 0;
}

bool CZrPrivateProfile::HasSection(const std::string& file, const std::string& section) {
  char keys[4] = {};
  return GetPrivateProfileStringA(section.c_str(), nullptr, "", keys, sizeof keys,
                                  file.c_str()) > 0;
}
