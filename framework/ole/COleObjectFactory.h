// COleObjectFactory: the class factory of one creatable class of an
// in-process server, and the module's list of them. A server module makes
// one static factory per class; its DllGetClassObject, DllCanUnloadNow,
// DllRegisterServer and DllUnregisterServer call the static members here.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

class COleObjectFactory : public IClassFactory {
 public:
  // Makes a new object of the class and hands out the asked interface.
  using CreateFunction = HRESULT (*)(REFIID iid, void** out);

  COleObjectFactory(const CLSID& classId, const wchar_t* progId, UINT typeNameString, CreateFunction create);
  virtual ~COleObjectFactory() = default;
  COleObjectFactory(const COleObjectFactory&) = delete;
  COleObjectFactory& operator=(const COleObjectFactory&) = delete;

  // IUnknown: the factory is static; it holds the module while referenced.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IClassFactory
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

  // Writes (add) or removes the class's registry entries.
  virtual HRESULT UpdateRegistry(bool add);

  const CLSID& ClassId() const { return m_classId; }
  const wchar_t* ProgId() const { return m_progId; }
  // The type name from the module's string table.
  std::wstring TypeName() const;

  static HRESULT GetClassObject(REFCLSID classId, REFIID iid, void** out);
  static HRESULT CanUnloadNow();
  // Every factory's entries; S_OK, or the first failure's result.
  static HRESULT UpdateRegistryAll(bool add);
  // Objects and locks that keep the module loaded.
  static void LockModule();
  static void UnlockModule();
  // The module (executable or library) this code is linked into.
  static HMODULE Module();
  static std::wstring ModulePath();

 protected:
  static std::wstring GuidText(const GUID& id);
  // Sets the default value (name null) or a named value of HKEY_CLASSES_ROOT\key.
  static bool WriteKey(const std::wstring& key, const wchar_t* name, const std::wstring& value);
  static void RemoveKey(const std::wstring& key);
  std::wstring ClassKey() const { return L"CLSID\\" + GuidText(m_classId); }

 private:
  static std::vector<COleObjectFactory*>& Factories();

  CLSID m_classId;
  const wchar_t* m_progId;
  UINT m_typeNameString;
  CreateFunction m_create;
};
