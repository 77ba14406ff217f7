#include "CGamesRegistry.h"

#include <windows.h>
#include <objbase.h>

#include "GameStrings.h"

namespace {

bool ReadDefaultValue(HKEY parent, const char* subkey, std::string& value) {
  char buffer[256];
  LONG size = sizeof(buffer);
  if (RegQueryValueA(parent, subkey, buffer, &size) != ERROR_SUCCESS || size <= 0) return false;
  value.assign(buffer, static_cast<size_t>(size - 1));
  return !value.empty();
}

bool IsClassId(const std::string& text) {
  BSTR wide = GameTextToWide(text);
  CLSID id;
  const bool valid = wide && SUCCEEDED(CLSIDFromString(wide, &id));
  SysFreeString(wide);
  return valid;
}

}  // namespace

std::vector<GameEntry> CGamesRegistry::ListGames() {
  std::vector<GameEntry> games;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kGamesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return games;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(name);
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    GameEntry entry{std::string(name, length), {}};
    if (ReadDefaultValue(key, name, entry.serverClass)) games.push_back(entry);
  }
  RegCloseKey(key);
  return games;
}

bool CGamesRegistry::LookupGame(const std::string& serverClass) {
  if (!IsClassId(serverClass)) return false;
  for (const GameEntry& game : ListGames()) {
    if (game.serverClass == serverClass) return true;
  }
  return false;
}
