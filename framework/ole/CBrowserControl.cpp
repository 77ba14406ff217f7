#include "CBrowserControl.h"

#include <exdispid.h>
#include <ocidl.h>

#include "CBrowserSite.h"

namespace {

// {EAB22AC3-30C1-11CF-A7EB-0000C05BAE0B}
const CLSID kWebBrowserClass = {0xEAB22AC3, 0x30C1, 0x11CF, {0xA7, 0xEB, 0x00, 0x00, 0xC0, 0x5B, 0xAE, 0x0B}};
constexpr char kHostClass[] = "ZRWebControlHost";

const char* RegisterHostClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kHostClass;
    registered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }
  return registered ? kHostClass : nullptr;
}

BSTR WideString(const std::string& text) {
  int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR out = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (out && length > 0) {
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out, length);
  }
  return out;
}

std::string TakeText(BSTR text) {
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = text;
  std::string out = CBrowserSite::TextOf(value);
  ::SysFreeString(text);
  return out;
}

}  // namespace

CBrowserControl::~CBrowserControl() {
  Release();
}

bool CBrowserControl::Create(HWND parent, const RECT& rect, DWORD style, UINT id,
                             CWebControlEvents& events) {
  const char* hostClass = RegisterHostClass();
  if (!hostClass) {
    return false;
  }
  m_window = ::CreateWindowExA(0, hostClass, m_windowName.c_str(), style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ::GetModuleHandleA(nullptr), nullptr);
  if (!m_window || !Activate(events)) {
    Release();
    return false;
  }
  return true;
}

bool CBrowserControl::Activate(CWebControlEvents& events) {
  if (FAILED(::CoCreateInstance(kWebBrowserClass, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&m_object)))) {
    return false;
  }
  m_site = new CBrowserSite(m_window, events);
  m_site->SetObject(m_object);
  if (FAILED(m_object->SetClientSite(m_site))) {
    return false;
  }
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(m_object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
    persist->InitNew();
    persist->Release();
  }
  RECT area{};
  ::GetClientRect(m_window, &area);
  if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site, 0, m_window, &area)) ||
      FAILED(m_object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_browser)))) {
    return false;
  }
  return Advise();
}

bool CBrowserControl::Advise() {
  IConnectionPointContainer* points = nullptr;
  if (FAILED(m_object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
    return false;
  }
  // One event set only, so that the events both sets share come once.
  const IID* eventSets[] = {&DIID_DWebBrowserEvents2, &DIID_DWebBrowserEvents};
  for (const IID* events : eventSets) {
    if (SUCCEEDED(points->FindConnectionPoint(*events, &m_point))) {
      if (SUCCEEDED(m_point->Advise(static_cast<IDispatch*>(m_site), &m_cookie))) {
        break;
      }
      m_point->Release();
      m_point = nullptr;
    }
  }
  points->Release();
  return m_point != nullptr;
}

void CBrowserControl::Release() {
  if (m_point) {
    m_point->Unadvise(m_cookie);
    m_point->Release();
    m_point = nullptr;
  }
  if (m_browser) {
    m_browser->Release();
    m_browser = nullptr;
  }
  if (m_object) {
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
      inPlace->InPlaceDeactivate();
      inPlace->Release();
    }
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    m_object->Release();
    m_object = nullptr;
  }
  if (m_site) {
    m_site->Detach();
    m_site->SetObject(nullptr);
    m_site->Release();
    m_site = nullptr;
  }
  if (m_window && ::IsWindow(m_window)) {
    ::DestroyWindow(m_window);
  }
  m_window = nullptr;
}

void CBrowserControl::Move(const RECT& rect) {
  if (!m_window) {
    return;
  }
  ::MoveWindow(m_window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  IOleInPlaceObject* inPlace = nullptr;
  if (m_object && SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
    RECT area{};
    ::GetClientRect(m_window, &area);
    inPlace->SetObjectRects(&area, &area);
    inPlace->Release();
  }
}

void CBrowserControl::Navigate(const std::string& address, bool noCache) {
  if (!m_browser) {
    return;
  }
  BSTR url = WideString(address);
  VARIANT flags;
  ::VariantInit(&flags);
  flags.vt = VT_I4;
  flags.lVal = noCache ? navNoReadFromCache : 0;
  VARIANT empty;
  ::VariantInit(&empty);
  m_browser->Navigate(url, &flags, &empty, &empty, &empty);
  ::SysFreeString(url);
}

void CBrowserControl::Stop() {
  if (m_browser) {
    m_browser->Stop();
  }
}

void CBrowserControl::Refresh() {
  if (m_browser) {
    m_browser->Refresh();
  }
}

std::string CBrowserControl::LocationURL() const {
  BSTR text = nullptr;
  if (!m_browser || FAILED(m_browser->get_LocationURL(&text))) {
    return std::string();
  }
  return TakeText(text);
}

std::string CBrowserControl::LocationName() const {
  BSTR text = nullptr;
  if (!m_browser || FAILED(m_browser->get_LocationName(&text))) {
    return std::string();
  }
  return TakeText(text);
}
