// COleControlItem: an ActiveX control of an in-process server placed in a
// window of ours at a given rectangle, started with fresh properties and
// driven through its dispatch interface by dispatch id.
#pragma once

#include "COleClientItem.h"

#include <ocidl.h>
#include <oleauto.h>

#include <functional>
#include <vector>

class COleControlItem : public COleClientItem {
 public:
  // An event of the control: its dispatch id and its arguments in declared
  // order, by-reference arguments read through (the values stay the
  // control's: copy what is kept).
  using EventHandler = std::function<void(DISPID id, const std::vector<VARIANT>& arguments)>;

  COleControlItem();
  ~COleControlItem() override;

  // Makes the control, gives it its default properties and shows it in
  // place at position (parent's client coordinates).
  HRESULT Create(REFCLSID classId, HWND parent, const RECT& position);
  bool IsCreated() const { return m_dispatch != nullptr; }
  // Closes the control and lets it go.
  void Destroy();

  HRESULT SetProperty(DISPID id, const VARIANT& value);
  HRESULT GetProperty(DISPID id, VARIANT* value);
  // Calls method id with arguments in declared order; result may be null.
  HRESULT CallMethod(DISPID id, std::vector<VARIANT> arguments, VARIANT* result);
  // Receives the events of the control's default event interface (found
  // through its class information) until the control is destroyed.
  HRESULT AdviseEvents(EventHandler handler);

  void GetItemPosition(RECT& position) const override { position = m_position; }

 private:
  class CEventSink;

  void ReleaseDispatch();
  void Unadvise();

  RECT m_position{};
  IDispatch* m_dispatch = nullptr;
  IConnectionPoint* m_eventPoint = nullptr;
  CEventSink* m_eventSink = nullptr;
  DWORD m_eventCookie = 0;
};
