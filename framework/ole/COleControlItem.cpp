#include "COleControlItem.h"

#include <ocidl.h>

#include <utility>

// The control's events reach the item's handler through this sink.
class COleControlItem::CEventSink : public IDispatch {
 public:
  explicit CEventSink(EventHandler handler) : m_handler(std::move(handler)) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_events) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    std::vector<VARIANT> arguments;
    if (parameters) {
      for (UINT i = parameters->cArgs; i > 0; --i) arguments.push_back(ReadThrough(parameters->rgvarg[i - 1]));
    }
    if (m_handler) m_handler(id, arguments);
    return S_OK;
  }

  void SetEvents(const IID& events) { m_events = events; }
  // The control is going: no more calls, even if it keeps the sink.
  void Detach() { m_handler = nullptr; }

 private:
  static VARIANT ReadThrough(const VARIANT& argument) {
    VARIANT value;
    ::VariantInit(&value);
    if (!(argument.vt & VT_BYREF)) return argument;
    value.vt = static_cast<VARTYPE>(argument.vt & ~VT_BYREF);
    switch (value.vt) {
      case VT_BSTR: value.bstrVal = argument.pbstrVal ? *argument.pbstrVal : nullptr; break;
      case VT_I4: value.lVal = argument.plVal ? *argument.plVal : 0; break;
      case VT_BOOL: value.boolVal = argument.pboolVal ? *argument.pboolVal : VARIANT_FALSE; break;
      default: value.vt = VT_EMPTY; break;
    }
    return value;
  }

  ULONG m_references = 1;
  IID m_events = IID_NULL;
  EventHandler m_handler;
};

COleControlItem::COleControlItem() = default;

COleControlItem::~COleControlItem() {
  Unadvise();
  ReleaseDispatch();
}

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
  Unadvise();
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

HRESULT COleControlItem::AdviseEvents(EventHandler handler) {
  if (!m_dispatch) return E_UNEXPECTED;
  Unadvise();
  IProvideClassInfo2* information = nullptr;
  HRESULT result = QueryObject(IID_IProvideClassInfo2, reinterpret_cast<void**>(&information));
  if (FAILED(result)) return result;
  IID events = IID_NULL;
  result = information->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events);
  information->Release();
  if (FAILED(result)) return result;
  IConnectionPointContainer* points = nullptr;
  result = QueryObject(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points));
  if (FAILED(result)) return result;
  result = points->FindConnectionPoint(events, &m_eventPoint);
  points->Release();
  if (FAILED(result)) return result;
  m_eventSink = new CEventSink(std::move(handler));
  m_eventSink->SetEvents(events);
  result = m_eventPoint->Advise(m_eventSink, &m_eventCookie);
  if (FAILED(result)) Unadvise();
  return result;
}

void COleControlItem::Unadvise() {
  if (m_eventPoint) {
    if (m_eventCookie) m_eventPoint->Unadvise(m_eventCookie);
    m_eventPoint->Release();
  }
  if (m_eventSink) {
    m_eventSink->Detach();
    m_eventSink->Release();
  }
  m_eventPoint = nullptr;
  m_eventSink = nullptr;
  m_eventCookie = 0;
}
