#include "CObject.h"

const CRuntimeClass CObject::classInfo = {"CObject", nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const {
  return &classInfo;
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
  return GetRuntimeClass()->IsDerivedFrom(cls);
}
