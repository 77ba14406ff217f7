// Root of the framework's classes: a virtual destructor and run-time class
// information.
#pragma once
#include "CRuntimeClass.h"

class CObject {
 public:
  static const CRuntimeClass classInfo;

  CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
  virtual ~CObject() = default;

  virtual const CRuntimeClass* GetRuntimeClass() const;
  bool IsKindOf(const CRuntimeClass* cls) const;
};
