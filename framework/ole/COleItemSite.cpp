#include "COleItemSite.h"

#include "COleClientItem.h"

STDMETHODIMP COleItemSite::QueryInterface(REFIID iid, void** out) {
  if (iid == IID_IUnknown || iid == IID_IOleClientSite)
    *out = static_cast<IOleClientSite*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
    *out = static_cast<IOleInPlaceSite*>(this);
  else if (iid == IID_IAdviseSink)
    *out = static_cast<IAdviseSink*>(this);
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) COleItemSite::AddRef() { return ::InterlockedIncrement(&m_references); }

STDMETHODIMP_(ULONG) COleItemSite::Release() {
  const ULONG left = ::InterlockedDecrement(&m_references);
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP COleItemSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP COleItemSite::GetContainer(IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP COleItemSite::GetWindow(HWND* window) {
  *window = m_item ? m_item->GetContainerWindow() : nullptr;
  return *window ? S_OK : E_FAIL;
}

STDMETHODIMP COleItemSite::CanInPlaceActivate() { return m_item && m_item->GetContainerWindow() ? S_OK : S_FALSE; }

// No frame or document window of ours takes part: the item shows its own
// bars inside its window.
STDMETHODIMP COleItemSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                            LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  *frame = nullptr;
  *document = nullptr;
  if (!m_item) return E_FAIL;
  m_item->GetItemPosition(*position);
  *clip = *position;
  if (info) {
    info->fMDIApp = FALSE;
    info->hwndFrame = m_item->GetContainerWindow();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

STDMETHODIMP_(void) COleItemSite::OnDataChange(FORMATETC*, STGMEDIUM*) {
  if (m_item) m_item->OnChange(COleClientItem::kChanged, DVASPECT_CONTENT);
}

STDMETHODIMP_(void) COleItemSite::OnViewChange(DWORD aspect, LONG) {
  if (m_item) m_item->OnChange(COleClientItem::kChanged, aspect);
}
