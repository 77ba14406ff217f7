// COleControl: the base of an ActiveX control made in this module. It
// answers a container's interfaces (automation from the class's dispatch
// table, in-place activation in a window of its own, persistence of the
// properties that the control exchanges, events through one connection
// point, its property page) and leaves to the control class its members,
// its property exchange and its window's messages.
#pragma once

#include "CConnectionPoint.h"
#include "CPropertyExchange.h"
#include "DispatchMember.h"

#include <windows.h>
#include <ocidl.h>
#include <ole2.h>

#include <string>
#include <vector>

// What one control class is, for the base.
struct OleControlClass {
  CLSID classId;
  const DispatchInterface* dispatch;
  const DispatchInterface* events;
  CLSID propertyPage;
  GUID typeLibrary;
  WORD majorVersion;
  WORD minorVersion;
  DWORD miscStatus;
  SIZE initialSize;  // in pixels
};

class COleControl : public IDispatch,
                    public IOleObject,
                    public IOleInPlaceObject,
                    public IOleInPlaceActiveObject,
                    public IOleControl,
                    public IViewObject2,
                    public IPersistStreamInit,
                    public IPersistPropertyBag,
                    public IProvideClassInfo2,
                    public IConnectionPointContainer,
                    public ISpecifyPropertyPages {
 public:
  explicit COleControl(const OleControlClass& controlClass);
  COleControl(const COleControl&) = delete;
  COleControl& operator=(const COleControl&) = delete;

  // Hands out iid of a new control and drops the creator's reference.
  template <typename Control>
  static HRESULT CreateObject(REFIID iid, void** out) {
    Control* control = new Control();
    const HRESULT result = control->QueryInterface(iid, out);
    control->Release();
    return result;
  }

  HWND GetSafeHwnd() const { return m_window; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                      LPCRECT position) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* classId) override { return GetClassID(classId); }
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* name) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
  STDMETHODIMP FreezeEvents(BOOL freeze) override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc, HDC dc,
                    LPCRECTL bounds, LPCRECTL metafileBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                    ULONG_PTR contArgument) override;
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

  // IPersist, IPersistStreamInit, IPersistPropertyBag
  STDMETHODIMP GetClassID(CLSID* classId) override;
  STDMETHODIMP IsDirty() override { return m_modified ? S_OK : S_FALSE; }
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  STDMETHODIMP InitNew() override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* id) override;

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // ISpecifyPropertyPages
  STDMETHODIMP GetPages(CAUUID* pages) override;

 protected:
  virtual ~COleControl();

  // A property's value; value is already of the member's type.
  virtual HRESULT GetProperty(DISPID id, VARIANT& value) = 0;
  virtual HRESULT SetProperty(DISPID id, const VARIANT& value) = 0;
  // A method; arguments are in declared order and of the declared types.
  virtual HRESULT CallMethod(DISPID id, VARIANT* arguments, VARIANT& result) = 0;
  // Lists the persistent properties in their stored order.
  virtual void DoPropExchange(CPropertyExchange&) {}

  // The control's window messages; -1 from OnCreate fails the creation.
  virtual int OnCreate() { return 0; }
  virtual void OnSize(int, int) {}
  virtual void OnPaint();
  virtual void OnDestroy() {}
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Fires event id with arguments in declared order (texts by reference).
  void FireEvent(DISPID id, std::vector<VARIANT> arguments);
  void SetModifiedFlag(bool modified = true) { m_modified = modified; }
  // The address of the page or document that hosts the control; empty when
  // the container names none.
  std::string GetContainerUrl() const;

 private:
  static LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HRESULT InPlaceActivate(HWND parent, LPCRECT position);
  bool CreateControlWindow(HWND parent, const RECT& position);
  void DestroyControlWindow();
  HRESULT LoadTypeLibrary(ITypeLib** library) const;
  HRESULT InvokeProperty(const DispatchMember& member, DISPID id, WORD flags, DISPPARAMS& parameters,
                         VARIANT* result);
  HRESULT InvokeMethod(const DispatchMember& member, DISPID id, DISPPARAMS& parameters, VARIANT* result,
                       UINT* argumentError);
  HRESULT Exchange(CPropertyExchange exchange, bool clearDirty);
  HRESULT ShowPropertyFrame(HWND parent);

  const OleControlClass& m_class;
  LONG m_references = 1;
  HWND m_window = nullptr;
  IOleClientSite* m_clientSite = nullptr;
  IOleInPlaceSite* m_inPlaceSite = nullptr;
  IOleAdviseHolder* m_adviseHolder = nullptr;
  IAdviseSink* m_viewSink = nullptr;
  CConnectionPoint m_events;
  SIZEL m_extent{};
  LONG m_frozenEvents = 0;
  bool m_modified = false;
};
