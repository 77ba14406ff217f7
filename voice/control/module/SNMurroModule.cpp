// The voice control module's entry points: its class factories (three
// controls and their pages) and its registration with the type library.
#include "COleControlFactory.h"
#include "CSonorelle2Ctrl.h"
#include "CSonorelle3Ctrl.h"
#include "CSonorelleCtrl.h"
#include "CSonorellePropPages.h"
#include "CTypeLibBuilder.h"
#include "SonorelleControlClasses.h"
#include "SonorelleInterfaces.h"

#include <olectl.h>

#include <string>

namespace {

COleControlFactory g_sonorelleFactory(kSonorelleClassId, L"Sonorelle.SonorelleCtrl.1", 1,
    COleControl::CreateObject<CSonorelleCtrl>, kSonorelleRegistration);
COleControlFactory g_sonorelle2Factory(kSonorelle2ClassId, L"Sonorelle.Sonorelle2Ctrl.1", 5,
    COleControl::CreateObject<CSonorelle2Ctrl>, kSonorelleRegistration);
COleControlFactory g_sonorelle3Factory(kSonorelle3ClassId, L"Sonorelle.Sonorelle3Ctrl.1", 7,
    COleControl::CreateObject<CSonorelle3Ctrl>, kSonorelleRegistration);
COleObjectFactory g_sonorellePageFactory(kSonorellePageId, L"Sonorelle.SonorellePropPage.1", 2,
    COlePropertyPage::CreateObject<CSonorellePropPage>);
COleObjectFactory g_sonorelle2PageFactory(kSonorelle2PageId, L"Sonorelle.Sonorelle2PropPage.1", 6,
    COlePropertyPage::CreateObject<CSonorelle2PropPage>);
COleObjectFactory g_sonorelle3PageFactory(kSonorelle3PageId, L"Sonorelle.Sonorelle3PropPage.1", 8,
    COlePropertyPage::CreateObject<CSonorelle3PropPage>);

// The type library file beside the module, with the module's name.
std::wstring TypeLibraryPath()
{
    std::wstring path = COleObjectFactory::ModulePath();
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && path.find_last_of(L'\\') < dot)
        path.resize(dot);
    return path + L".tlb";
}

// Writes the library beside the module and registers it. A library that is
// in use cannot be replaced; the one in place then serves, as it was written
// from the same tables.
HRESULT RegisterTypeLibrary()
{
    const std::wstring path = TypeLibraryPath();
    const std::wstring fresh = path + L".new";
    if (SUCCEEDED(CTypeLibBuilder(SonorelleTypeLibrary()).Write(fresh))
        && !::MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        ::DeleteFileW(fresh.c_str());
    ITypeLib* library = nullptr;
    const HRESULT result = ::LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library);
    if (FAILED(result))
        return result;
    library->Release();
    return S_OK;
}

HRESULT UnregisterTypeLibrary()
{
    ITypeLib* registered = nullptr;
    if (FAILED(::LoadRegTypeLib(kSonorelleLibraryId, 1, 0, 0, &registered)))
        return S_OK;
    registered->Release();
    return ::UnRegisterTypeLib(kSonorelleLibraryId, 1, 0, 0, SYS_WIN64);
}

} // namespace

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** out)
{
    return COleObjectFactory::GetClassObject(classId, iid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return COleObjectFactory::CanUnloadNow();
}

HRESULT STDAPICALLTYPE DllRegisterServer()
{
    if (FAILED(RegisterTypeLibrary()))
        return SELFREG_E_TYPELIB;
    if (FAILED(COleObjectFactory::UpdateRegistryAll(true)))
        return SELFREG_E_CLASS;
    return S_OK;
}

HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    if (FAILED(UnregisterTypeLibrary()))
        return SELFREG_E_TYPELIB;
    if (FAILED(COleObjectFactory::UpdateRegistryAll(false)))
        return SELFREG_E_CLASS;
    return S_OK;
}

} // extern "C"
