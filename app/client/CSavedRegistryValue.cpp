#include "CSavedRegistryValue.h"

namespace {

class CKey {
 public:
  CKey(HKEY root, const std::string& path) {
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &m_key) != ERROR_SUCCESS)
      m_key = nullptr;
  }
  ~CKey() {
    if (m_key) ::RegCloseKey(m_key);
  }
  CKey(const CKey&) = delete;
  CKey& operator=(const CKey&) = delete;
  HKEY Get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

}  // namespace

bool CSavedRegistryValue::SaveAndForce(DWORD number) {
  Restore();
  CKey key(m_root, m_key);
  if (!key.Get()) return false;
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
  CKey key(m_root, m_key);
  if (!key.Get()) return;
  if (m_existed)
    ::RegSetValueExA(key.Get(), m_name.c_str(), 0, m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
  else
    ::RegDeleteValueA(key.Get(), m_name.c_str());
}
