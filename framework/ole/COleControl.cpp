#include "COleControl.h"

#include "COleObjectFactory.h"

#include <olectl.h>

namespace {

constexpr wchar_t kWindowClass[] = L"ZrOleControlWindow";
constexpr LONG kHimetricPerInch = 2540;

LONG PixelsToHimetric(LONG pixels, int axis) {
  HDC screen = ::GetDC(nullptr);
  const int perInch = ::GetDeviceCaps(screen, axis);
  ::ReleaseDC(nullptr, screen);
  return ::MulDiv(pixels, kHimetricPerInch, perInch ? perInch : 96);
}

void RegisterWindowClass(HINSTANCE module, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  if (::GetClassInfoExW(module, kWindowClass, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = module;
  windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExW(&windowClass);
}

template <typename T>
void ReleaseAndClear(T*& object) {
  if (object) object->Release();
  object = nullptr;
}

}  // namespace

COleControl::COleControl(const OleControlClass& controlClass)
    : m_class(controlClass), m_events(*this, controlClass.events->id) {
  COleObjectFactory::LockModule();
  m_extent.cx = PixelsToHimetric(controlClass.initialSize.cx, LOGPIXELSX);
  m_extent.cy = PixelsToHimetric(controlClass.initialSize.cy, LOGPIXELSY);
}

COleControl::~COleControl() {
  m_events.UnadviseAll();
  ReleaseAndClear(m_inPlaceSite);
  ReleaseAndClear(m_clientSite);
  ReleaseAndClear(m_adviseHolder);
  ReleaseAndClear(m_viewSink);
  COleObjectFactory::UnlockModule();
}

// IUnknown

STDMETHODIMP COleControl::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == m_class.dispatch->id)
    *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IOleObject)
    *out = static_cast<IOleObject*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
    *out = static_cast<IOleInPlaceObject*>(this);
  else if (iid == IID_IOleInPlaceActiveObject)
    *out = static_cast<IOleInPlaceActiveObject*>(this);
  else if (iid == IID_IOleControl)
    *out = static_cast<IOleControl*>(this);
  else if (iid == IID_IViewObject || iid == IID_IViewObject2)
    *out = static_cast<IViewObject2*>(this);
  else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
    *out = static_cast<IPersistStreamInit*>(this);
  else if (iid == IID_IPersistPropertyBag)
    *out = static_cast<IPersistPropertyBag*>(this);
  else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
    *out = static_cast<IProvideClassInfo2*>(this);
  else if (iid == IID_IConnectionPointContainer)
    *out = static_cast<IConnectionPointContainer*>(this);
  else if (iid == IID_ISpecifyPropertyPages)
    *out = static_cast<ISpecifyPropertyPages*>(this);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) COleControl::AddRef() { return ::InterlockedIncrement(&m_references); }

STDMETHODIMP_(ULONG) COleControl::Release() {
  const ULONG left = ::InterlockedDecrement(&m_references);
  if (left == 0) {
    // The window goes while the control class is still whole, so that its
    // destroy handler runs.
    m_references = 1;
    DestroyControlWindow();
    delete this;
  }
  return left;
}

// IDispatch

STDMETHODIMP COleControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT COleControl::LoadTypeLibrary(ITypeLib** library) const {
  return ::LoadRegTypeLib(m_class.typeLibrary, m_class.majorVersion, m_class.minorVersion, 0, library);
}

STDMETHODIMP COleControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ITypeLib* library = nullptr;
  HRESULT result = LoadTypeLibrary(&library);
  if (FAILED(result)) return result;
  result = library->GetTypeInfoOfGuid(m_class.dispatch->id, info);
  library->Release();
  return result;
}

STDMETHODIMP COleControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  if (count == 0) return S_OK;
  ids[0] = m_class.dispatch->IdOfName(names[0]);
  // Arguments are passed by position only.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP COleControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                 EXCEPINFO*, UINT* argumentError) {
  if (!parameters) return E_POINTER;
  const DispatchMember* member = m_class.dispatch->Find(id);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  if (member->kind == DispatchMember::kMethod) {
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    return InvokeMethod(*member, id, *parameters, result, argumentError);
  }
  return InvokeProperty(*member, id, flags, *parameters, result);
}

HRESULT COleControl::InvokeProperty(const DispatchMember& member, DISPID id, WORD flags, DISPPARAMS& parameters,
                                    VARIANT* result) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (member.kind == DispatchMember::kReadOnlyProperty) return CTL_E_SETNOTSUPPORTED;
    if (parameters.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    VARIANT value;
    ::VariantInit(&value);
    HRESULT hr = ::VariantChangeType(&value, &parameters.rgvarg[0], 0, member.type);
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    hr = SetProperty(id, value);
    ::VariantClear(&value);
    return hr;
  }
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (parameters.cArgs != 0) return DISP_E_BADPARAMCOUNT;
  VARIANT value;
  ::VariantInit(&value);
  const HRESULT hr = GetProperty(id, value);
  if (SUCCEEDED(hr) && result)
    *result = value;
  else
    ::VariantClear(&value);
  return hr;
}

HRESULT COleControl::InvokeMethod(const DispatchMember& member, DISPID id, DISPPARAMS& parameters, VARIANT* result,
                                  UINT* argumentError) {
  const size_t count = member.parameters.size();
  if (parameters.cArgs != count || parameters.cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
  std::vector<VARIANT> arguments(count);
  HRESULT hr = S_OK;
  for (size_t i = 0; i < count; ++i) {
    ::VariantInit(&arguments[i]);
    VARIANT& given = parameters.rgvarg[count - 1 - i];
    const VARTYPE type = member.parameters[i].type;
    if (SUCCEEDED(hr))
      hr = type == VT_VARIANT ? ::VariantCopyInd(&arguments[i], &given)
                              : ::VariantChangeType(&arguments[i], &given, 0, type);
    if (FAILED(hr) && argumentError && hr != E_OUTOFMEMORY) {
      *argumentError = static_cast<UINT>(count - 1 - i);
      hr = DISP_E_TYPEMISMATCH;
    }
  }
  VARIANT value;
  ::VariantInit(&value);
  if (SUCCEEDED(hr)) hr = CallMethod(id, arguments.data(), value);
  if (SUCCEEDED(hr) && result)
    *result = value;
  else
    ::VariantClear(&value);
  for (VARIANT& argument : arguments) ::VariantClear(&argument);
  return hr;
}

// Events

void COleControl::FireEvent(DISPID id, std::vector<VARIANT> arguments) {
  if (m_frozenEvents == 0) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters{reversed.empty() ? nullptr : reversed.data(), nullptr,
                          static_cast<UINT>(reversed.size()), 0};
    AddRef();
    m_events.Fire(id, parameters);
    Release();
  }
}

STDMETHODIMP COleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != m_events.EventsInterface()) return CONNECT_E_NOCONNECTION;
  *point = &m_events;
  m_events.AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::FreezeEvents(BOOL freeze) {
  m_frozenEvents += freeze ? 1 : (m_frozenEvents > 0 ? -1 : 0);
  return S_OK;
}

STDMETHODIMP COleControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

// IOleObject

STDMETHODIMP COleControl::SetClientSite(IOleClientSite* site) {
  if (site) site->AddRef();
  ReleaseAndClear(m_clientSite);
  m_clientSite = site;
  return S_OK;
}

STDMETHODIMP COleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = m_clientSite;
  if (m_clientSite) m_clientSite->AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::Close(DWORD) {
  InPlaceDeactivate();
  if (m_adviseHolder) m_adviseHolder->SendOnClose();
  return S_OK;
}

STDMETHODIMP COleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) {
  if (site && !m_clientSite) SetClientSite(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return InPlaceActivate(parent, position);
    case OLEIVERB_HIDE:
      if (m_window) ::ShowWindow(m_window, SW_HIDE);
      return S_OK;
    case OLEIVERB_PROPERTIES:
      return ShowPropertyFrame(parent);
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT COleControl::InPlaceActivate(HWND parent, LPCRECT position) {
  if (m_window) {
    if (position) SetObjectRects(position, position);
    ::ShowWindow(m_window, SW_SHOW);
    return S_OK;
  }
  RECT place{0, 0, m_class.initialSize.cx, m_class.initialSize.cy};
  if (position) place = *position;
  IOleInPlaceSite* site = nullptr;
  if (m_clientSite) m_clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site));
  if (site) {
    if (site->CanInPlaceActivate() != S_OK) {
      site->Release();
      return E_FAIL;
    }
    site->OnInPlaceActivate();
    HWND siteWindow = nullptr;
    if (SUCCEEDED(site->GetWindow(&siteWindow)) && siteWindow) parent = siteWindow;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    if (SUCCEEDED(site->GetWindowContext(&frame, &document, &place, &clip, &info))) {
      if (frame) frame->Release();
      if (document) document->Release();
    }
  }
  if (!parent || !CreateControlWindow(parent, place)) {
    if (site) {
      site->OnInPlaceDeactivate();
      site->Release();
    }
    return E_FAIL;
  }
  m_inPlaceSite = site;
  return S_OK;
}

STDMETHODIMP COleControl::EnumVerbs(IEnumOLEVERB** verbs) { return ::OleRegEnumVerbs(m_class.classId, verbs); }

STDMETHODIMP COleControl::GetUserType(DWORD form, LPOLESTR* name) {
  return ::OleRegGetUserType(m_class.classId, form, name);
}

STDMETHODIMP COleControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  m_extent = *size;
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  *size = m_extent;
  return S_OK;
}

STDMETHODIMP COleControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!m_adviseHolder && FAILED(::CreateOleAdviseHolder(&m_adviseHolder))) return E_OUTOFMEMORY;
  return m_adviseHolder->Advise(sink, connection);
}

STDMETHODIMP COleControl::Unadvise(DWORD connection) {
  return m_adviseHolder ? m_adviseHolder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP COleControl::EnumAdvise(IEnumSTATDATA** advises) {
  if (!advises) return E_POINTER;
  *advises = nullptr;
  return m_adviseHolder ? m_adviseHolder->EnumAdvise(advises) : S_OK;
}

STDMETHODIMP COleControl::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = m_class.miscStatus;
  return S_OK;
}

// In-place object

STDMETHODIMP COleControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_window;
  return m_window ? S_OK : E_FAIL;
}

STDMETHODIMP COleControl::InPlaceDeactivate() {
  DestroyControlWindow();
  if (m_inPlaceSite) {
    m_inPlaceSite->OnInPlaceDeactivate();
    ReleaseAndClear(m_inPlaceSite);
  }
  return S_OK;
}

STDMETHODIMP COleControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (m_window)
    ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, TRUE);
  return S_OK;
}

// View

STDMETHODIMP COleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                               BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;
  const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  return S_OK;
}

STDMETHODIMP COleControl::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
  if (sink) sink->AddRef();
  ReleaseAndClear(m_viewSink);
  m_viewSink = sink;
  return S_OK;
}

STDMETHODIMP COleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = DVASPECT_CONTENT;
  if (flags) *flags = 0;
  if (sink) {
    *sink = m_viewSink;
    if (m_viewSink) m_viewSink->AddRef();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

// Persistence

STDMETHODIMP COleControl::GetClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = m_class.classId;
  return S_OK;
}

HRESULT COleControl::Exchange(CPropertyExchange exchange, bool clearDirty) {
  DoPropExchange(exchange);
  if (SUCCEEDED(exchange.Result()) && (exchange.IsLoading() || clearDirty)) m_modified = false;
  return exchange.Result();
}

STDMETHODIMP COleControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  return Exchange(CPropertyExchange::LoadFrom(stream), true);
}

STDMETHODIMP COleControl::Save(LPSTREAM stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  return Exchange(CPropertyExchange::SaveTo(stream), clearDirty);
}

STDMETHODIMP COleControl::InitNew() { return Exchange(CPropertyExchange::Defaults(), true); }

STDMETHODIMP COleControl::Load(IPropertyBag* bag, IErrorLog*) {
  if (!bag) return E_POINTER;
  return Exchange(CPropertyExchange::LoadFrom(bag), true);
}

STDMETHODIMP COleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  if (!bag) return E_POINTER;
  return Exchange(CPropertyExchange::SaveTo(bag), clearDirty);
}

// Class information and pages

STDMETHODIMP COleControl::GetClassInfo(ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ITypeLib* library = nullptr;
  HRESULT result = LoadTypeLibrary(&library);
  if (FAILED(result)) return result;
  result = library->GetTypeInfoOfGuid(m_class.classId, info);
  library->Release();
  return result;
}

STDMETHODIMP COleControl::GetGUID(DWORD kind, GUID* id) {
  if (!id) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *id = m_class.events->id;
  return S_OK;
}

STDMETHODIMP COleControl::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID)));
  if (!pages->pElems) {
    pages->cElems = 0;
    return E_OUTOFMEMORY;
  }
  pages->cElems = 1;
  pages->pElems[0] = m_class.propertyPage;
  return S_OK;
}

HRESULT COleControl::ShowPropertyFrame(HWND parent) {
  IUnknown* self = static_cast<IDispatch*>(this);
  CLSID page = m_class.propertyPage;
  return ::OleCreatePropertyFrame(parent, 0, 0, nullptr, 1, &self, 1, &page, LOCALE_USER_DEFAULT, 0, nullptr);
}

std::string COleControl::GetContainerUrl() const {
  if (!m_clientSite) return {};
  IMoniker* moniker = nullptr;
  if (FAILED(m_clientSite->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_CONTAINER, &moniker)) || !moniker)
    return {};
  std::string url;
  IBindCtx* context = nullptr;
  if (SUCCEEDED(::CreateBindCtx(0, &context))) {
    LPOLESTR name = nullptr;
    if (SUCCEEDED(moniker->GetDisplayName(context, nullptr, &name)) && name) {
      const int length = ::WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
      if (length > 1) {
        url.resize(static_cast<size_t>(length - 1));
        ::WideCharToMultiByte(CP_ACP, 0, name, -1, url.data(), length, nullptr, nullptr);
      }
      ::CoTaskMemFree(name);
    }
    context->Release();
  }
  moniker->Release();
  return url;
}

// The control's window

bool COleControl::CreateControlWindow(HWND parent, const RECT& position) {
  const HINSTANCE module = COleObjectFactory::Module();
  RegisterWindowClass(module, ControlWindowProc);
  ::CreateWindowExW(0, kWindowClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                    position.left, position.top, position.right - position.left, position.bottom - position.top,
                    parent, nullptr, module, this);
  return m_window != nullptr;
}

void COleControl::DestroyControlWindow() {
  if (m_window) ::DestroyWindow(m_window);
}

LRESULT CALLBACK COleControl::ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* control = static_cast<COleControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    control->m_window = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
  }
  auto* control = reinterpret_cast<COleControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!control) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (control->OnCreate() == -1) return -1;
      return 0;
    case WM_SIZE:
      control->OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_PAINT:
      control->OnPaint();
      return 0;
    case WM_DESTROY:
      control->OnDestroy();
      return 0;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      control->m_window = nullptr;
      return ::DefWindowProcW(window, message, wParam, lParam);
    default:
      return control->WindowProc(message, wParam, lParam);
  }
}

void COleControl::OnPaint() {
  PAINTSTRUCT paint;
  ::BeginPaint(m_window, &paint);
  ::EndPaint(m_window, &paint);
}

LRESULT COleControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(m_window, message, wParam, lParam);
}
