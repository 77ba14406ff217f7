// COleControlFactory: the class factory of an ActiveX control. Besides the
// entries of any class it registers the control's marks (control,
// insertable, miscellaneous status, toolbox bitmap, type library and
// version) and enters the control into the categories of controls that are
// safe for scripting and for initialising from persistent data.
#pragma once

#include "COleObjectFactory.h"

struct OleControlRegistration {
  GUID typeLibrary;
  const wchar_t* version;  // "1.0"
  DWORD miscStatus;
  UINT toolboxBitmap;
};

class COleControlFactory : public COleObjectFactory {
 public:
  COleControlFactory(const CLSID& classId, const wchar_t* progId, UINT typeNameString, CreateFunction create,
                     const OleControlRegistration& registration);

  HRESULT UpdateRegistry(bool add) override;

 private:
  bool WriteControlKeys() const;
  void RegisterSafeCategories() const;
  void UnregisterSafeCategories() const;

  OleControlRegistration m_registration;
};
