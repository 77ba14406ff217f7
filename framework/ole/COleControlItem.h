// COleControlItem: an ActiveX control of an in-process server placed in a
// window of ours at a given rectangle, started with fresh properties and
// driven through its dispatch interface by dispatch id.
#pragma once

#include "COleClientItem.h"

#include <oleauto.h>

#include <vector>

class COleControlItem : public COleClientItem {
 public:
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

  void GetItemPosition(RECT& position) const override { position = m_position; }

 private:
  void ReleaseDispatch();

  RECT m_position{};
  IDispatch* m_dispatch = nullptr;
};
