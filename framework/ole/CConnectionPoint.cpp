#include "CConnectionPoint.h"

#include <olectl.h>

CConnectionPoint::~CConnectionPoint() { UnadviseAll(); }

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = m_events;
  return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &m_container;
  m_container.AddRef();
  return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  IDispatch* dispatch = nullptr;
  if (FAILED(sink->QueryInterface(m_events, reinterpret_cast<void**>(&dispatch))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
    return CONNECT_E_CANNOTCONNECT;
  *cookie = m_nextCookie++;
  m_sinks.emplace_back(*cookie, dispatch);
  return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
    if (it->first != cookie) continue;
    IDispatch* sink = it->second;
    m_sinks.erase(it);
    sink->Release();
    return S_OK;
  }
  return CONNECT_E_NOCONNECTION;
}

void CConnectionPoint::Fire(DISPID id, DISPPARAMS& parameters) {
  // A sink may unadvise from inside its handler: call a held copy.
  std::vector<IDispatch*> sinks;
  for (const auto& entry : m_sinks) {
    entry.second->AddRef();
    sinks.push_back(entry.second);
  }
  for (IDispatch* sink : sinks) {
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
    sink->Release();
  }
}

void CConnectionPoint::UnadviseAll() {
  auto sinks = std::move(m_sinks);
  m_sinks.clear();
  for (const auto& entry : sinks) entry.second->Release();
}
