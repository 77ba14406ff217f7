#include "ZrProgramPaths.h"

#include <vector>

#include "ZrProgramPath.h"

namespace {

constexpr DWORD kFirstPathSize = MAX_PATH;
constexpr DWORD kLargestPathSize = 32768;

}  // namespace

std::string GetModuleFilePath(HMODULE module) {
  // The call cuts a name that does not fit and answers the buffer size; the
  // buffer grows until the whole name fits.
  for (DWORD size = kFirstPathSize; size <= kLargestPathSize; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetModuleFileNameA(module, buffer.data(), size);
    if (length == 0) return std::string();
    if (length < size) return std::string(buffer.data(), length);
  }
  return std::string();
}

std::string GetProgramDir(HMODULE module) {
  return CZrProgramPath(GetModuleFilePath(module)).Folder();
}

std::string GetProgramBasePath(HMODULE module) {
  return CZrProgramPath(GetModuleFilePath(module)).BasePath();
}
