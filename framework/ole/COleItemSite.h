// COleItemSite: the container's side of one embedded OLE item as the server
// sees it: its client site, its in-place site (the item's window is made
// inside the container's window) and the sink of its change notifications.
// The item that owns it detaches it before letting it go; the server may
// hold it a little longer and then finds nothing behind it.
#pragma once

#include <windows.h>
#include <ole2.h>

class COleClientItem;

class COleItemSite final : public IOleClientSite, public IOleInPlaceSite, public IAdviseSink {
 public:
  explicit COleItemSite(COleClientItem& item) : m_item(&item) {}
  void Detach() { m_item = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return S_OK; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow / IOleInPlaceSite
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IAdviseSink
  STDMETHODIMP_(void) OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override;
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override {}
  STDMETHODIMP_(void) OnClose() override {}

 private:
  ~COleItemSite() = default;

  LONG m_references = 1;
  COleClientItem* m_item;
};
