#include "CSavedRegistryValue.h"

namespace {

class CKey {
 public:
  CKey() = default;
  ~CKey() {
    if (m_key) ::RegCloseKey(m_key);
  }
  CKey(const CKey&) = delete;
  CKey& operator=(const CKey&) = delete;
  bool Open(HKEY root, const std::string& path) {
    return ::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &m_key) == ERROR_SUCCESS;
  }
  bool Create(HKEY root, const std::string& path) {
    return ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr) == ERROR_SUCCESS;
  }
  HKEY Get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The keys along path that do not exist yet, outermost first.
std::vector<std::string> MissingKeys(HKEY root, const std::string& path) {
  std::vector<std::string> missing;
  for (size_t end = 0; end != std::string::npos;) {
    end = path.find('\\', end + 1);
    const std::string key = path.substr(0, end);
    if (!missing.empty() || !KeyExists(root, key)) missing.push_back(key);
  }
  return missing;
}

// Deletes the key when it holds neither values nor subkeys; true when gone.
bool DeleteKeyIfEmpty(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, values = 0;
  const bool empty = ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                     subkeys == 0 && values == 0;
  ::RegCloseKey(key);
  return empty && ::RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

bool CSavedRegistryValue::SaveAndForce(DWORD number) {
  Restore();
  std::vector<std::string> missing = MissingKeys(m_root, m_key);
  CKey key;
  if (missing.empty() ? !key.Open(m_root, m_key) : !key.Create(m_root, m_key)) return false;
  m_madeKeys = std::move(missing);
  DWORD size = 0;
  DWORD type = REG_NONE;
  m_existed = ::RegQueryValueExA(key.Get(), m_name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  m_data.assign(size, 0);
  if (m_existed && size > 0 &&
      ::RegQueryValueExA(key.Get(), m_name.c_str(), nullptr, &type, m_data.data(), &size) != ERROR_SUCCESS)
    return false;
  m_data.resize(size);
  m_type = type;
  if (::RegSetValueExA(key.Get(), m_name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number) != ERROR_SUCCESS)
    return false;
  m_forced = true;
  return true;
}

void CSavedRegistryValue::Restore() {
  if (!m_forced) return;
  m_forced = false;
  {
    CKey key;
    if (!key.Open(m_root, m_key)) return;
    if (m_existed)
      ::RegSetValueExA(key.Get(), m_name.c_str(), 0, m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
    else
      ::RegDeleteValueA(key.Get(), m_name.c_str());
  }
  // Innermost first; a key that has gained values or subkeys meanwhile stays.
  for (auto made = m_madeKeys.rbegin(); made != m_madeKeys.rend(); ++made)
    if (!DeleteKeyIfEmpty(m_root, *made)) break;
  m_madeKeys.clear();
}
