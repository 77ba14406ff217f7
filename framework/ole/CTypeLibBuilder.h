// CTypeLibBuilder: writes a type library file from the dispatch tables of a
// control module (dispatch interfaces, event interfaces and the classes
// that implement them), so that the library a container reads always
// matches what the controls' Invoke does.
#pragma once

#include "DispatchMember.h"

#include <string>
#include <vector>

struct TypeLibClass {
  const wchar_t* name;
  CLSID id;
  const DispatchInterface* dispatch;
  const DispatchInterface* events;
};

struct TypeLibDescription {
  GUID id;
  const wchar_t* name;
  WORD majorVersion;
  WORD minorVersion;
  const wchar_t* helpFile;
  std::vector<const DispatchInterface*> interfaces;
  std::vector<TypeLibClass> classes;
};

class CTypeLibBuilder {
 public:
  explicit CTypeLibBuilder(const TypeLibDescription& description) : m_description(description) {}

  // Writes the library to path; an OLE error when it cannot be made.
  HRESULT Write(const std::wstring& path) const;

 private:
  HRESULT AddInterface(ICreateTypeLib2* library, ITypeInfo* dispatchBase, const DispatchInterface& table,
                       ITypeInfo** made) const;
  HRESULT AddClass(ICreateTypeLib2* library, const TypeLibClass& entry,
                   const std::vector<ITypeInfo*>& interfaces) const;
  static HRESULT AddMember(ICreateTypeInfo* info, UINT& index, DISPID id, const DispatchMember& member);

  const TypeLibDescription& m_description;
};
