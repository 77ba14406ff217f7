#include "CBrowserSite.h"

#include <exdisp.h>
#include <exdispid.h>
#include <olectl.h>

#include "CWebControl.h"

namespace {

// Ambient property: the control runs in user mode, not in a designer.
constexpr DISPID kAmbientUserMode = DISPID_AMBIENT_USERMODE;

std::string Narrow(const wchar_t* text, int length) {
  if (!text || length <= 0) {
    return std::string();
  }
  int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), size, nullptr, nullptr);
  return out;
}

long LongOf(const VARIANT& value) {
  VARIANT converted;
  ::VariantInit(&converted);
  long result = 0;
  if (SUCCEEDED(::VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, VT_I4))) {
    result = converted.lVal;
  }
  ::VariantClear(&converted);
  return result;
}

}  // namespace

CBrowserSite::CBrowserSite(HWND window, CWebControlEvents& events)
    : m_window(window), m_events(&events) {}

std::string CBrowserSite::TextOf(const VARIANT& value) {
  if (value.vt == VT_BSTR) {
    return Narrow(value.bstrVal, static_cast<int>(::SysStringLen(value.bstrVal)));
  }
  if (value.vt == (VT_BYREF | VT_BSTR) && value.pbstrVal) {
    return Narrow(*value.pbstrVal, static_cast<int>(::SysStringLen(*value.pbstrVal)));
  }
  if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal) {
    return TextOf(*value.pvarVal);
  }
  return std::string();
}

STDMETHODIMP CBrowserSite::QueryInterface(REFIID riid, void** object) {
  if (!object) {
    return E_POINTER;
  }
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
    *object = static_cast<IOleInPlaceFrame*>(this);
  } else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
    *object = static_cast<IDispatch*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CBrowserSite::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) CBrowserSite::Release() {
  LONG refs = ::InterlockedDecrement(&m_refs);
  if (refs == 0) {
    delete this;
  }
  return static_cast<ULONG>(refs);
}

STDMETHODIMP CBrowserSite::SaveObject() { return S_OK; }
STDMETHODIMP CBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  *moniker = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP CBrowserSite::GetContainer(IOleContainer** container) {
  *container = nullptr;
  return E_NOINTERFACE;
}
STDMETHODIMP CBrowserSite::ShowObject() { return S_OK; }
STDMETHODIMP CBrowserSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP CBrowserSite::RequestNewObjectLayout() { return E_NOTIMPL; }

STDMETHODIMP CBrowserSite::GetWindow(HWND* window) {
  *window = m_window;
  return S_OK;
}
STDMETHODIMP CBrowserSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP CBrowserSite::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP CBrowserSite::OnInPlaceActivate() { return S_OK; }
STDMETHODIMP CBrowserSite::OnUIActivate() { return S_OK; }

STDMETHODIMP CBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                            LPRECT position, LPRECT clip,
                                            LPOLEINPLACEFRAMEINFO info) {
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;
  ::GetClientRect(m_window, position);
  ::GetClientRect(m_window, clip);
  info->fMDIApp = FALSE;
  info->hwndFrame = ::GetAncestor(m_window, GA_ROOT);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP CBrowserSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP CBrowserSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP CBrowserSite::OnInPlaceDeactivate() { return S_OK; }
STDMETHODIMP CBrowserSite::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP CBrowserSite::DeactivateAndUndo() { return E_NOTIMPL; }

STDMETHODIMP CBrowserSite::OnPosRectChange(LPCRECT rect) {
  IOleInPlaceObject* inPlace = nullptr;
  if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject,
                                                     reinterpret_cast<void**>(&inPlace)))) {
    inPlace->SetObjectRects(rect, rect);
    inPlace->Release();
  }
  return S_OK;
}

STDMETHODIMP CBrowserSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP CBrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP CBrowserSite::SetBorderSpace(LPCBORDERWIDTHS) { return S_OK; }
STDMETHODIMP CBrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }
STDMETHODIMP CBrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return S_OK; }
STDMETHODIMP CBrowserSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP CBrowserSite::RemoveMenus(HMENU) { return S_OK; }
STDMETHODIMP CBrowserSite::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP CBrowserSite::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP CBrowserSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

STDMETHODIMP CBrowserSite::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}
STDMETHODIMP CBrowserSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP CBrowserSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

STDMETHODIMP CBrowserSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO*, UINT*) {
  if ((flags & DISPATCH_PROPERTYGET) && id == kAmbientUserMode && result) {
    result->vt = VT_BOOL;
    result->boolVal = VARIANT_TRUE;
    return S_OK;
  }
  if (!(flags & DISPATCH_METHOD) || !params) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (m_events) {
    DispatchEvent(id, *params);
  }
  return S_OK;
}

void CBrowserSite::DispatchEvent(DISPID id, const DISPPARAMS& params) {
  // Arguments arrive last first: rgvarg[0] is the event's last argument.
  const UINT count = params.cArgs;
  switch (id) {
    case DISPID_BEFORENAVIGATE:
      if (count >= 6) {
        BeforeNavigate(params, 5, 1);
      }
      break;
    case DISPID_BEFORENAVIGATE2:
      if (count >= 7) {
        BeforeNavigate(params, 5, 2);
      }
      break;
    case DISPID_FRAMEBEFORENAVIGATE:
      if (count >= 6) {
        BeforeNavigate(params, 5, 0);
      }
      break;
    case DISPID_NAVIGATECOMPLETE:
    case DISPID_NAVIGATECOMPLETE2:
      if (count >= 1) {
        m_events->OnNavigateComplete(TextOf(params.rgvarg[0]));
      }
      break;
    case DISPID_STATUSTEXTCHANGE:
      if (count >= 1) {
        m_events->OnStatusTextChange(TextOf(params.rgvarg[0]));
      }
      break;
    case DISPID_PROGRESSCHANGE:
      if (count >= 2) {
        m_events->OnProgressChange(LongOf(params.rgvarg[1]), LongOf(params.rgvarg[0]));
      }
      break;
    case DISPID_DOWNLOADCOMPLETE:
      m_events->OnDownloadComplete();
      break;
    case DISPID_DOWNLOADBEGIN:
      m_events->OnDownloadBegin();
      break;
    case DISPID_TITLECHANGE:
      if (count >= 1) {
        m_events->OnTitleChange(TextOf(params.rgvarg[0]));
      }
      break;
    default:
      break;
  }
}

void CBrowserSite::BeforeNavigate(const DISPPARAMS& params, unsigned addressArg, int form) {
  const VARIANT& cancelArg = params.rgvarg[0];
  bool cancel = false;
  AddRef();  // the wait for the answer may release the control and this site
  const std::string address = TextOf(params.rgvarg[addressArg]);
  if (form == 0) {
    m_events->OnFrameBeforeNavigate(address, cancel);
  } else {
    m_events->OnBeforeNavigate(address, form == 2, cancel);
  }
  if (cancel && cancelArg.vt == (VT_BYREF | VT_BOOL) && cancelArg.pboolVal) {
    *cancelArg.pboolVal = VARIANT_TRUE;
  }
  Release();
}
