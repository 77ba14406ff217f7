#include "CRuntimeClass.h"

#include "CObject.h"

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
    if (c == base) {
      return true;
    }
  }
  return false;
}
