// CBrowserSite: the container side of the system's web browser control
// (the framework's OLE control container): client site,
// in-place site and frame over the host window, ambient properties (user
// mode), and the sink of the control's DWebBrowserEvents2 events, which it
// unpacks and hands to a CWebControlEvents.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>

class CWebControlEvents;

class CBrowserSite : public IOleClientSite,
                     public IOleInPlaceSite,
                     public IOleInPlaceFrame,
                     public IDispatch {
 public:
  CBrowserSite(HWND window, CWebControlEvents& events);

  // The events are no longer delivered (the control is being released).
  void Detach() { m_events = nullptr; }
  void SetObject(IOleObject* object) { m_object = object; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL) override;
  STDMETHODIMP RequestNewObjectLayout() override;

  // IOleWindow (shared by the in-place site and frame)
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override;

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override;
  STDMETHODIMP OnUIDeactivate(BOOL) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(LPCRECT rect) override;

  // IOleInPlaceUIWindow / IOleInPlaceFrame
  STDMETHODIMP GetBorder(LPRECT) override;
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override;
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
  STDMETHODIMP RemoveMenus(HMENU) override;
  STDMETHODIMP SetStatusText(LPCOLESTR) override;
  STDMETHODIMP EnableModeless(BOOL) override;
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;

  // IDispatch: ambient properties and the control's events
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO*, UINT*) override;

  // The text of a BSTR, or of a variant (by reference or not) holding one.
  static std::string TextOf(const VARIANT& value);

 private:
  virtual ~CBrowserSite() = default;
  void DispatchEvent(DISPID id, const DISPPARAMS& params);
  // form: 1 the older event, 2 the newer one, 0 a frame's navigation.
  void BeforeNavigate(const DISPPARAMS& params, unsigned addressArg, int form);

  LONG m_refs = 1;
  HWND m_window;
  CWebControlEvents* m_events;
  IOleObject* m_object = nullptr;
};
