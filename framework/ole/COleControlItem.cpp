#include "COleControlItem.h"

#include <ocidl.h>

COleControlItem::COleControlItem() = default;

COleControlItem::~COleControlItem() { ReleaseDispatch(); }

HRESULT COleControlItem::Create(REFCLSID classId, HWND parent, const RECT& position) {
  ReleaseDispatch();
  m_position = position;
  HRESULT result = CreateFromClass(classId, parent, CLSCTX_INPROC_SERVER);
  if (FAILED(result)) return result;
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(QueryObject(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
    persist->InitNew();
    persist->Release();
  }
  result = QueryObject(IID_IDispatch, reinterpret_cast<void**>(&m_dispatch));
  if (SUCCEEDED(result)) result = DoVerb(OLEIVERB_INPLACEACTIVATE);
  if (FAILED(result)) Destroy();
  return result;
}

void COleControlItem::Destroy() {
  ReleaseDispatch();
  Close();
}

HRESULT COleControlItem::SetProperty(DISPID id, const VARIANT& value) {
  if (!m_dispatch) return E_UNEXPECTED;
  VARIANT argument = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{&argument, &named, 1, 1};
  return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr, nullptr,
                            nullptr);
}

HRESULT COleControlItem::GetProperty(DISPID id, VARIANT* value) {
  if (!m_dispatch) return E_UNEXPECTED;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
}

HRESULT COleControlItem::CallMethod(DISPID id, std::vector<VARIANT> arguments, VARIANT* result) {
  if (!m_dispatch) return E_UNEXPECTED;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()),
                        0};
  return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result, nullptr, nullptr);
}

void COleControlItem::ReleaseDispatch() {
  if (m_dispatch) m_dispatch->Release();
  m_dispatch = nullptr;
}
