// CConnectionPoint: the outgoing events interface of an object. Sinks
// advise with any interface that answers the events interface or IDispatch;
// Fire calls every sink's Invoke. It lives inside its container object and
// counts its references there.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <utility>
#include <vector>

class CConnectionPoint final : public IConnectionPoint {
 public:
  CConnectionPoint(IConnectionPointContainer& container, const IID& events) : m_container(container), m_events(events) {}
  ~CConnectionPoint();
  CConnectionPoint(const CConnectionPoint&) = delete;
  CConnectionPoint& operator=(const CConnectionPoint&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return m_container.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return m_container.Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  const IID& EventsInterface() const { return m_events; }
  // Calls event id on every sink with parameters (last argument first).
  void Fire(DISPID id, DISPPARAMS& parameters);
  void UnadviseAll();

 private:
  IConnectionPointContainer& m_container;
  IID m_events;
  std::vector<std::pair<DWORD, IDispatch*>> m_sinks;
  DWORD m_nextCookie = 1;
};
