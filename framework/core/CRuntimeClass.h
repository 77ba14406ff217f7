// Run-time class information: name, base class and an optional factory, so
// that frames, views and documents can be created from a class description.
#pragma once

class CObject;

struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;
  CObject* (*m_pfnCreateObject)();

  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(cls) (&cls::classInfo)

#define DECLARE_DYNAMIC(cls)                                \
 public:                                                    \
  static const CRuntimeClass classInfo;                     \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(cls) \
  DECLARE_DYNAMIC(cls)         \
  static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(cls, base)                                       \
  const CRuntimeClass cls::classInfo = {#cls, RUNTIME_CLASS(base), nullptr}; \
  const CRuntimeClass* cls::GetRuntimeClass() const { return &cls::classInfo; }

#define IMPLEMENT_DYNCREATE(cls, base)                                          \
  CObject* cls::CreateObject() { return new cls; }                              \
  const CRuntimeClass cls::classInfo = {#cls, RUNTIME_CLASS(base), &cls::CreateObject}; \
  const CRuntimeClass* cls::GetRuntimeClass() const { return &cls::classInfo; }
