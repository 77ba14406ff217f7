#include "COleControlFactory.h"

#include <comcat.h>
#include <olectl.h>

#include <algorithm>
#include <string>

namespace {

// "Controls that are safely scriptable" and "Controls safely initializable
// from persistent data".
const CATID kSafeForScripting = {0x7DD95801, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};
const CATID kSafeForInitializing = {0x7DD95802, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};

struct SafeCategory {
  const CATID& id;
  const wchar_t* description;
};

const SafeCategory kSafeCategories[] = {
    {kSafeForScripting, L"Controls that are safely scriptable"},
    {kSafeForInitializing, L"Controls safely initializable from persistent data"},
};

constexpr LCID kEnglishLocale = 1033;
constexpr size_t kLongestCategoryDescription = 127;

ICatRegister* CreateCategoryManager() {
  ICatRegister* manager = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                                reinterpret_cast<void**>(&manager))))
    return nullptr;
  return manager;
}

}  // namespace

COleControlFactory::COleControlFactory(const CLSID& classId, const wchar_t* progId, UINT typeNameString,
                                       CreateFunction create, const OleControlRegistration& registration)
    : COleObjectFactory(classId, progId, typeNameString, create), m_registration(registration) {}

HRESULT COleControlFactory::UpdateRegistry(bool add) {
  if (!add) {
    UnregisterSafeCategories();
    return COleObjectFactory::UpdateRegistry(false);
  }
  HRESULT result = COleObjectFactory::UpdateRegistry(true);
  if (SUCCEEDED(result) && !WriteControlKeys()) result = SELFREG_E_CLASS;
  // The categories are a courtesy to scripting hosts: their failures do not
  // fail the registration.
  if (SUCCEEDED(result)) RegisterSafeCategories();
  return result;
}

bool COleControlFactory::WriteControlKeys() const {
  const std::wstring classKey = ClassKey();
  const std::wstring bitmap = ModulePath() + L", " + std::to_wstring(m_registration.toolboxBitmap);
  return WriteKey(classKey + L"\\Control", nullptr, L"") && WriteKey(classKey + L"\\Insertable", nullptr, L"") &&
         WriteKey(std::wstring(ProgId()) + L"\\Insertable", nullptr, L"") &&
         WriteKey(classKey + L"\\MiscStatus", nullptr, L"0") &&
         WriteKey(classKey + L"\\MiscStatus\\1", nullptr, std::to_wstring(m_registration.miscStatus)) &&
         WriteKey(classKey + L"\\ToolboxBitmap32", nullptr, bitmap) &&
         WriteKey(classKey + L"\\TypeLib", nullptr, GuidText(m_registration.typeLibrary)) &&
         WriteKey(classKey + L"\\Version", nullptr, m_registration.version);
}

void COleControlFactory::RegisterSafeCategories() const {
  for (const SafeCategory& category : kSafeCategories) {
    ICatRegister* manager = CreateCategoryManager();
    if (!manager) continue;
    CATEGORYINFO info{};
    info.catid = category.id;
    info.lcid = kEnglishLocale;
    std::wstring description = category.description;
    description.resize(std::min(description.size(), kLongestCategoryDescription));
    lstrcpynW(info.szDescription, description.c_str(), 128);
    CATID implemented = category.id;
    if (SUCCEEDED(manager->RegisterCategories(1, &info)))
      manager->RegisterClassImplCategories(ClassId(), 1, &implemented);
    manager->Release();
  }
}

void COleControlFactory::UnregisterSafeCategories() const {
  ICatRegister* manager = CreateCategoryManager();
  if (!manager) return;
  for (const SafeCategory& category : kSafeCategories) {
    CATID implemented = category.id;
    manager->UnRegisterClassImplCategories(ClassId(), 1, &implemented);
  }
  manager->Release();
}
