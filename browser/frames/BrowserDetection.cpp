#include "BrowserDetection.h"

#include <windows.h>

#include <vector>

namespace {

constexpr char kEmbeddedAppPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
constexpr char kNavigatorServer[] = "CLSID\\{E67D6A10-4438-11CE-8CE4-0020AF18F905}\\LocalServer32";

std::optional<std::string> DefaultValueOf(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  char buffer[MAX_PATH] = {};
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  const LONG result = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  ::RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::string(buffer);
}

// A registered server command may carry arguments after the program.
std::string ProgramOf(const std::string& command) {
  if (!command.empty() && command[0] == '"') {
    const size_t end = command.find('"', 1);
    return command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  }
  return command;
}

std::optional<BrowserVersion> VersionOfRegistered(HKEY root, const char* path) {
  const std::optional<std::string> command = DefaultValueOf(root, path);
  if (!command || command->empty()) return std::nullopt;
  return GetFileVersion(ProgramOf(*command));
}

}  // namespace

std::optional<BrowserVersion> GetFileVersion(const std::string& path) {
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> data(size);
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info)
    return std::nullopt;
  BrowserVersion version;
  version.major = HIWORD(info->dwProductVersionMS);
  version.minor = LOWORD(info->dwProductVersionMS);
  version.least = info->dwProductVersionLS;
  return version;
}

std::optional<BrowserVersion> GetEmbeddedBrowserVersion() {
  return VersionOfRegistered(HKEY_LOCAL_MACHINE, kEmbeddedAppPath);
}

std::optional<BrowserVersion> GetNavigatorVersion() { return VersionOfRegistered(HKEY_CLASSES_ROOT, kNavigatorServer); }
