#include "CTypeLibBuilder.h"

namespace {

// Element descriptions of one function; by-reference types point at their
// base type, which therefore lives beside them.
struct ElementList {
  explicit ElementList(size_t count) : elements(count), pointed(count) {}
  void Set(size_t i, VARTYPE type) {
    elements[i] = ELEMDESC{};
    if (type & VT_BYREF) {
      pointed[i].vt = type & ~VT_BYREF;
      elements[i].tdesc.vt = VT_PTR;
      elements[i].tdesc.lptdesc = &pointed[i];
      elements[i].paramdesc.wParamFlags = PARAMFLAG_FIN | PARAMFLAG_FOUT;
    } else {
      elements[i].tdesc.vt = type;
      elements[i].paramdesc.wParamFlags = PARAMFLAG_FIN;
    }
  }
  std::vector<ELEMDESC> elements;
  std::vector<TYPEDESC> pointed;
};

HRESULT AddFunction(ICreateTypeInfo* info, UINT index, DISPID id, INVOKEKIND kind, VARTYPE result,
                    const std::vector<DispatchParameter>& parameters, const wchar_t* name) {
  ElementList list(parameters.size());
  for (size_t i = 0; i < parameters.size(); ++i) list.Set(i, parameters[i].type);
  FUNCDESC function{};
  function.memid = id;
  function.funckind = FUNC_DISPATCH;
  function.invkind = kind;
  function.callconv = CC_STDCALL;
  function.cParams = static_cast<SHORT>(parameters.size());
  function.lprgelemdescParam = list.elements.empty() ? nullptr : list.elements.data();
  function.elemdescFunc.tdesc.vt = result == VT_EMPTY ? VT_VOID : result;
  HRESULT hr = info->AddFuncDesc(index, &function);
  if (FAILED(hr)) return hr;
  // A property put names only the property; its value stays unnamed.
  std::vector<LPOLESTR> names{const_cast<LPOLESTR>(name)};
  if (kind != INVOKE_PROPERTYPUT)
    for (const DispatchParameter& parameter : parameters) names.push_back(const_cast<LPOLESTR>(parameter.name));
  return info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size()));
}

template <typename T>
void ReleaseAll(std::vector<T*>& objects) {
  for (T* object : objects)
    if (object) object->Release();
  objects.clear();
}

}  // namespace

HRESULT CTypeLibBuilder::Write(const std::wstring& path) const {
  ICreateTypeLib2* library = nullptr;
  HRESULT hr = ::CreateTypeLib2(SYS_WIN64, path.c_str(), &library);
  if (FAILED(hr)) return hr;
  library->SetGuid(m_description.id);
  library->SetName(const_cast<LPOLESTR>(m_description.name));
  library->SetVersion(m_description.majorVersion, m_description.minorVersion);
  library->SetLcid(LOCALE_NEUTRAL);
  if (m_description.helpFile) library->SetHelpFileName(const_cast<LPOLESTR>(m_description.helpFile));

  ITypeLib* standard = nullptr;
  ITypeInfo* dispatchBase = nullptr;
  hr = ::LoadTypeLib(L"stdole2.tlb", &standard);
  if (SUCCEEDED(hr)) hr = standard->GetTypeInfoOfGuid(IID_IDispatch, &dispatchBase);

  std::vector<ITypeInfo*> interfaces;
  for (const DispatchInterface* table : m_description.interfaces) {
    if (FAILED(hr)) break;
    ITypeInfo* made = nullptr;
    hr = AddInterface(library, dispatchBase, *table, &made);
    interfaces.push_back(made);
  }
  for (const TypeLibClass& entry : m_description.classes) {
    if (FAILED(hr)) break;
    hr = AddClass(library, entry, interfaces);
  }
  if (SUCCEEDED(hr)) hr = library->SaveAllChanges();

  ReleaseAll(interfaces);
  if (dispatchBase) dispatchBase->Release();
  if (standard) standard->Release();
  library->Release();
  return hr;
}

HRESULT CTypeLibBuilder::AddInterface(ICreateTypeLib2* library, ITypeInfo* dispatchBase,
                                      const DispatchInterface& table, ITypeInfo** made) const {
  ICreateTypeInfo* info = nullptr;
  HRESULT hr = library->CreateTypeInfo(const_cast<LPOLESTR>(table.name), TKIND_DISPATCH, &info);
  if (FAILED(hr)) return hr;
  info->SetGuid(table.id);
  HREFTYPE base = 0;
  hr = info->AddRefTypeInfo(dispatchBase, &base);
  if (SUCCEEDED(hr)) hr = info->AddImplType(0, base);
  UINT index = 0;
  for (size_t i = 0; i < table.members.size() && SUCCEEDED(hr); ++i)
    hr = AddMember(info, index, table.IdOf(i), table.members[i]);
  if (SUCCEEDED(hr)) hr = info->LayOut();
  if (SUCCEEDED(hr)) hr = info->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(made));
  info->Release();
  return hr;
}

HRESULT CTypeLibBuilder::AddMember(ICreateTypeInfo* info, UINT& index, DISPID id, const DispatchMember& member) {
  if (member.kind == DispatchMember::kMethod)
    return AddFunction(info, index++, id, INVOKE_FUNC, member.type, member.parameters, member.name);
  HRESULT hr = AddFunction(info, index++, id, INVOKE_PROPERTYGET, member.type, {}, member.name);
  if (FAILED(hr) || member.kind == DispatchMember::kReadOnlyProperty) return hr;
  return AddFunction(info, index++, id, INVOKE_PROPERTYPUT, VT_EMPTY, {{L"value", member.type}}, member.name);
}

HRESULT CTypeLibBuilder::AddClass(ICreateTypeLib2* library, const TypeLibClass& entry,
                                  const std::vector<ITypeInfo*>& interfaces) const {
  auto infoOf = [&](const DispatchInterface* table) -> ITypeInfo* {
    for (size_t i = 0; i < m_description.interfaces.size(); ++i)
      if (m_description.interfaces[i] == table) return interfaces[i];
    return nullptr;
  };
  ITypeInfo* dispatch = infoOf(entry.dispatch);
  ITypeInfo* events = infoOf(entry.events);
  if (!dispatch || !events) return E_INVALIDARG;

  ICreateTypeInfo* info = nullptr;
  HRESULT hr = library->CreateTypeInfo(const_cast<LPOLESTR>(entry.name), TKIND_COCLASS, &info);
  if (FAILED(hr)) return hr;
  info->SetGuid(entry.id);
  info->SetTypeFlags(TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
  HREFTYPE dispatchRef = 0, eventsRef = 0;
  hr = info->AddRefTypeInfo(dispatch, &dispatchRef);
  if (SUCCEEDED(hr)) hr = info->AddImplType(0, dispatchRef);
  if (SUCCEEDED(hr)) hr = info->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT);
  if (SUCCEEDED(hr)) hr = info->AddRefTypeInfo(events, &eventsRef);
  if (SUCCEEDED(hr)) hr = info->AddImplType(1, eventsRef);
  if (SUCCEEDED(hr)) hr = info->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  if (SUCCEEDED(hr)) hr = info->LayOut();
  info->Release();
  return hr;
}
