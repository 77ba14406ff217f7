// A browser setting that the client forces while it runs and gives back at
// exit exactly as it found it: the value with its type, or no value at all;
// keys that had to be made for it are removed again.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CSavedRegistryValue {
 public:
  CSavedRegistryValue(HKEY root, std::string key, std::string name)
      : m_root(root), m_key(std::move(key)), m_name(std::move(name)) {}
  ~CSavedRegistryValue() { Restore(); }
  CSavedRegistryValue(const CSavedRegistryValue&) = delete;
  CSavedRegistryValue& operator=(const CSavedRegistryValue&) = delete;

  // Keeps the present value and writes number in its place, making the key
  // when it is missing; false (nothing changed) when it cannot be written.
  bool SaveAndForce(DWORD number);
  // Puts back what SaveAndForce found; once only.
  void Restore();

 private:
  HKEY m_root;
  std::string m_key;
  std::string m_name;
  bool m_forced = false;
  bool m_existed = false;
  // The keys SaveAndForce made, outermost first.
  std::vector<std::string> m_madeKeys;
  DWORD m_type = REG_DWORD;
  std::vector<BYTE> m_data;
};
