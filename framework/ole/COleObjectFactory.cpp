#include "COleObjectFactory.h"

#include <olectl.h>

namespace {

LONG g_moduleLocks = 0;

}  // namespace

COleObjectFactory::COleObjectFactory(const CLSID& classId, const wchar_t* progId, UINT typeNameString,
                                     CreateFunction create)
    : m_classId(classId), m_progId(progId), m_typeNameString(typeNameString), m_create(create) {
  Factories().push_back(this);
}

std::vector<COleObjectFactory*>& COleObjectFactory::Factories() {
  static std::vector<COleObjectFactory*> factories;
  return factories;
}

STDMETHODIMP COleObjectFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleObjectFactory::AddRef() {
  LockModule();
  return 2;
}

STDMETHODIMP_(ULONG) COleObjectFactory::Release() {
  UnlockModule();
  return 1;
}

STDMETHODIMP COleObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return m_create(iid, out);
}

STDMETHODIMP COleObjectFactory::LockServer(BOOL lock) {
  if (lock)
    LockModule();
  else
    UnlockModule();
  return S_OK;
}

HRESULT COleObjectFactory::GetClassObject(REFCLSID classId, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (COleObjectFactory* factory : Factories())
    if (factory->m_classId == classId) return factory->QueryInterface(iid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT COleObjectFactory::CanUnloadNow() { return g_moduleLocks == 0 ? S_OK : S_FALSE; }

HRESULT COleObjectFactory::UpdateRegistryAll(bool add) {
  HRESULT first = S_OK;
  for (COleObjectFactory* factory : Factories()) {
    const HRESULT result = factory->UpdateRegistry(add);
    if (FAILED(result) && SUCCEEDED(first)) first = result;
  }
  return first;
}

void COleObjectFactory::LockModule() { ::InterlockedIncrement(&g_moduleLocks); }

void COleObjectFactory::UnlockModule() { ::InterlockedDecrement(&g_moduleLocks); }

HMODULE COleObjectFactory::Module() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&g_moduleLocks), &module);
  return module;
}

std::wstring COleObjectFactory::ModulePath() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(Module(), path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::wstring COleObjectFactory::TypeName() const {
  wchar_t text[256] = {};
  ::LoadStringW(Module(), m_typeNameString, text, 256);
  return text;
}

std::wstring COleObjectFactory::GuidText(const GUID& id) {
  wchar_t text[40] = {};
  ::StringFromGUID2(id, text, 40);
  return text;
}

bool COleObjectFactory::WriteKey(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG result = ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

void COleObjectFactory::RemoveKey(const std::wstring& key) { ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str()); }

HRESULT COleObjectFactory::UpdateRegistry(bool add) {
  const std::wstring classKey = ClassKey();
  if (!add) {
    RemoveKey(classKey);
    RemoveKey(m_progId);
    return S_OK;
  }
  const std::wstring typeName = TypeName();
  const bool written = WriteKey(classKey, nullptr, typeName) &&
                       WriteKey(classKey + L"\\InprocServer32", nullptr, ModulePath()) &&
                       WriteKey(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                       WriteKey(classKey + L"\\ProgID", nullptr, m_progId) &&
                       WriteKey(m_progId, nullptr, typeName) &&
                       WriteKey(std::wstring(m_progId) + L"\\CLSID", nullptr, GuidText(m_classId));
  return written ? S_OK : SELFREG_E_CLASS;
}
